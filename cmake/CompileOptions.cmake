# SPDX-FileCopyrightText: 2026 Tirel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The options of every target of ours. Every result must match to the last digit: no fused
# multiply-add, no fast-math.
#
# The hardening a Linux distribution expects of a program it ships (checked string and memory
# calls where the optimiser can see the sizes, a read-only relocation table bound at start) is
# added only where the builder has not chosen their own: a distribution's flags (dpkg-buildflags,
# Fedora's redhat-rpm-config) bring theirs, and a second definition would clash with them.
# Neither touches a floating-point operation.
if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
  string(TOUPPER "${CMAKE_BUILD_TYPE}" tirel_config)
  # A sanitizer build checks those calls itself.
  if(NOT "${CMAKE_CXX_FLAGS} ${CMAKE_CXX_FLAGS_${tirel_config}}" MATCHES "_FORTIFY_SOURCE|-fsanitize")
    set(tirel_fortify ON)
  endif()
  if(NOT "${CMAKE_EXE_LINKER_FLAGS} ${CMAKE_EXE_LINKER_FLAGS_${tirel_config}}" MATCHES "relro")
    set(tirel_relro ON)
  endif()
endif()

function(tirel_compile_options target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -ffp-contract=off)
  if(TIREL_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  if(tirel_fortify)
    target_compile_definitions(${target} PRIVATE $<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
  endif()
  if(tirel_relro)
    target_link_options(${target} PRIVATE LINKER:-z,relro,-z,now)
  endif()
endfunction()

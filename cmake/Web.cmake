# SPDX-FileCopyrightText: 2026 Tirel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The WebAssembly build (scripts/web.sh): the same targets, over a static Qt built with emscripten.
# qt_add_executable gives the program Qt's own wasm settings (a module factory named tirel_entry,
# embind, the memory Qt asks for, the runtime helpers its loader uses); what follows is only ours.
# Included before the targets are made; what concerns one target runs once they all exist.

# The core reports a failed formula by throwing; without this the first throw would end the
# program instead of reaching its catch. Qt itself is built without exceptions.
add_compile_options(-fexceptions "SHELL:-sDISABLE_EXCEPTION_CATCHING=0")
add_link_options(-fexceptions "SHELL:-sDISABLE_EXCEPTION_CATCHING=0")
# That Qt was built without zstd, so it cannot read resources the host rcc would compress with it.
set(CMAKE_AUTORCC_OPTIONS --no-zstd)

function(tirel_web_program target)
  # The program: every message box is modal in the middle of an operation, as on the desktop, and
  # a nested event loop in a browser needs ASYNCIFY, which wants the optimiser. Its stack holds
  # the frames from the event loop down to the box's own loop. Never -Oz: emscripten then links
  # other algorithms for pow and log, whose results differ from glibc's.
  # Calls from embind's JavaScript reach the program through exported dynCalls, the only entries
  # ASYNCIFY can suspend and resume.
  target_link_options(${target} PRIVATE -O2 -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536 -sDYNCALLS=1)
  # --- What a first visit downloads (bench/web/load_bench.js measures it) ---
  # Assertions would stop the page at once on a misuse of ASYNCIFY, at the cost of a check in
  # every suspension and of the runtime's own checks in its JavaScript: the page goes without
  # them; -DTIREL_WEB_ASSERTIONS=ON brings them back to hunt such a misuse. -O2 stays: -Os makes
  # tirel.wasm 2 % smaller raw but 1.4 % larger once compressed, which is what a visit downloads.
  # Nothing to strip: an optimised link keeps neither names nor debug information.
  option(TIREL_WEB_ASSERTIONS "Link the web page with emscripten's runtime assertions" OFF)
  if(TIREL_WEB_ASSERTIONS)
    target_link_options(${target} PRIVATE -sASSERTIONS=1)
  else()
    target_link_options(${target} PRIVATE -sASSERTIONS=0)
  endif()
  # ---
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -DSCRIPT=$<TARGET_FILE:${target}>
            -P ${PROJECT_SOURCE_DIR}/cmake/WebEmbindAsyncify.cmake
    VERBATIM)
endfunction()

function(tirel_web_targets)
  # The core suites run under node (tests/web/node_run.js starts each as a module factory and
  # hands it the environment); they report through their exit status, and link unoptimised,
  # which keeps each link short. Qt's wasm code needs embind, which only qt_add_executable adds.
  if(BUILD_TESTING)
    get_property(tests DIRECTORY ${PROJECT_SOURCE_DIR}/tests PROPERTY BUILDSYSTEM_TARGETS)
    foreach(test IN LISTS tests)
      get_target_property(type ${test} TYPE)
      if(type STREQUAL "EXECUTABLE")
        target_link_libraries(${test} PRIVATE embind)
        target_link_options(${test} PRIVATE -O0 -sEXIT_RUNTIME=1 -sMODULARIZE=1
          -sEXPORTED_RUNTIME_METHODS=ENV)
      endif()
    endforeach()
  endif()
endfunction()
cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL tirel_web_targets)

# SPDX-FileCopyrightText: 2026 Tirel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# What Windows shows of the program: dist/windows/tirel.rc compiles its icon, version resource
# and manifest into the executable. The icon is made here from the icons the Linux build
# installs: the 32-pixel drawing as it is, the other sizes rendered from the scalable one, and
# 256 pixels kept as PNG inside the .ico, as Windows expects at that size.
include_guard(GLOBAL)

find_program(TIREL_RSVG_CONVERT rsvg-convert REQUIRED)
find_program(TIREL_ICOTOOL icotool REQUIRED)

set(tirel_windows_dist ${PROJECT_SOURCE_DIR}/dist/windows)
set(tirel_icon_dir ${PROJECT_BINARY_DIR}/generated/icon)
set(TIREL_WINDOWS_ICON ${PROJECT_BINARY_DIR}/generated/tirel.ico)
set(tirel_icon_commands)
set(tirel_icon_images)
foreach(size 16 24 48 64 256)
  list(APPEND tirel_icon_commands COMMAND ${TIREL_RSVG_CONVERT} --width ${size} --height ${size}
       --output ${tirel_icon_dir}/tirel-${size}.png ${PROJECT_SOURCE_DIR}/dist/icons/tirel.svg)
endforeach()
add_custom_command(
  OUTPUT ${TIREL_WINDOWS_ICON}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${tirel_icon_dir}
  ${tirel_icon_commands}
  COMMAND ${TIREL_ICOTOOL} --create --output ${TIREL_WINDOWS_ICON}
          ${tirel_icon_dir}/tirel-16.png ${tirel_icon_dir}/tirel-24.png
          ${PROJECT_SOURCE_DIR}/dist/icons/tirel.png ${tirel_icon_dir}/tirel-48.png
          ${tirel_icon_dir}/tirel-64.png --raw=${tirel_icon_dir}/tirel-256.png
  DEPENDS ${PROJECT_SOURCE_DIR}/dist/icons/tirel.svg ${PROJECT_SOURCE_DIR}/dist/icons/tirel.png
  COMMENT "Making tirel.ico"
  VERBATIM)
add_custom_target(tirel_windows_icon DEPENDS ${TIREL_WINDOWS_ICON})

# Gives an executable the program's resources: tirel itself, and the probe build that stands in
# for it in the Windows check.
function(tirel_windows_resources target)
  set(rc ${tirel_windows_dist}/tirel.rc)
  target_sources(${target} PRIVATE ${rc})
  add_dependencies(${target} tirel_windows_icon)
  # windres finds the icon and the manifest along the include path; the generated header holds
  # the version.
  set_source_files_properties(${rc} TARGET_DIRECTORY ${target} PROPERTIES
    INCLUDE_DIRECTORIES "${PROJECT_BINARY_DIR}/generated;${tirel_windows_dist}"
    OBJECT_DEPENDS "${TIREL_WINDOWS_ICON};${tirel_windows_dist}/tirel.exe.manifest;${PROJECT_BINARY_DIR}/generated/tirel_version.h")
endfunction()

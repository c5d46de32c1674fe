# SPDX-FileCopyrightText: 2026 Tirel developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The manual pages, the changelog, the copyright file and the help page. The pages and
# the changelog are compressed at build time, as Debian wants them (gzip -9, no name or time
# stamp, so two builds give the same bytes); the program target depends on them, so building
# just `tirel` before cpack is enough.
if(NOT UNIX)
  return()
endif()

find_program(TIREL_GZIP gzip REQUIRED)
set(tirel_doc_dir ${CMAKE_CURRENT_BINARY_DIR}/doc)
set(tirel_package_doc ${CMAKE_INSTALL_DATADIR}/doc/tirel)

# One compressed copy of a source file, made when the source changes.
function(tirel_gzip source output)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${TIREL_GZIP} -9nc ${source} > ${output}
    DEPENDS ${source}
    VERBATIM)
endfunction()

file(MAKE_DIRECTORY ${tirel_doc_dir}/man1 ${tirel_doc_dir}/ca/man1)
tirel_gzip(${tirel_dist}/man/tirel.1 ${tirel_doc_dir}/man1/tirel.1.gz)
tirel_gzip(${tirel_dist}/man/tirel.ca.1 ${tirel_doc_dir}/ca/man1/tirel.1.gz)

# CHANGELOG.md in Debian's form, kept in step with it (scripts/checks/package.sh).
tirel_gzip(${tirel_dist}/debian/changelog ${tirel_doc_dir}/changelog.gz)

add_custom_target(
  tirel_docs
  DEPENDS ${tirel_doc_dir}/man1/tirel.1.gz ${tirel_doc_dir}/ca/man1/tirel.1.gz
          ${tirel_doc_dir}/changelog.gz)
add_dependencies(tirel tirel_docs)

install(FILES ${tirel_doc_dir}/man1/tirel.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${tirel_doc_dir}/ca/man1/tirel.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/ca/man1)
# The copyright file names the project's one contact.
configure_file(${tirel_dist}/debian/copyright ${tirel_doc_dir}/copyright @ONLY)
install(FILES ${tirel_doc_dir}/changelog.gz ${tirel_doc_dir}/copyright
        DESTINATION ${tirel_package_doc})

# The help page, and beside the program the Info.bat that opens it (Packaging.cmake). The script
# finds the page from its own place, so it is written here, never into the build's program
# folder: a build that is not installed keeps the box that says no Info.bat was found.
install(FILES ${tirel_dist}/help/ajuda.html DESTINATION ${tirel_package_doc})
if(DEFINED TIREL_INSTALL_PROGRAMDIR)
  cmake_path(ABSOLUTE_PATH TIREL_INSTALL_PROGRAMDIR BASE_DIRECTORY ${CMAKE_INSTALL_PREFIX}
             OUTPUT_VARIABLE tirel_program_dir)
  cmake_path(ABSOLUTE_PATH tirel_package_doc BASE_DIRECTORY ${CMAKE_INSTALL_PREFIX}
             OUTPUT_VARIABLE tirel_help_dir)
  cmake_path(RELATIVE_PATH tirel_help_dir BASE_DIRECTORY ${tirel_program_dir}
             OUTPUT_VARIABLE TIREL_HELP_FROM_PROGRAM)
  configure_file(${tirel_dist}/linux/Info.bat.in ${tirel_doc_dir}/Info.bat @ONLY)
  install(PROGRAMS ${tirel_doc_dir}/Info.bat DESTINATION ${TIREL_INSTALL_PROGRAMDIR})
endif()

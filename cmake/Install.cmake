# SPDX-License-Identifier: GPL-3.0-or-later
# Installing Velmora as a desktop program, and the Debian package made from
# that installation by CPack (cpack -G DEB in a configured build folder).
#
#   bin/velmora, bin/velmora-batch, bin/velmora-syllabify, bin/velmora-import
#   share/velmora/                the bundled data; each user's first start copies
#                                 it into $XDG_DATA_HOME/velmora (src/platform/program_folder.h)
#   share/velmora/NAME/           every other bundled data set, copied into the
#                                 user's folder once it is chosen
#   share/applications/, share/icons/hicolor/scalable/apps/, share/metainfo/
#   share/man/man1/               velmora-batch.1, velmora-syllabify.1 and velmora-import.1, written
#                                 from their --help while building
#   share/doc/velmora/            copyright and changelog, as Debian wants them
include(GNUInstallDirs)

set(VELMORA_VERSION 1.0.0)
set(VELMORA_APP_ID io.github.velmora.Velmora)
set(VELMORA_DATA_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/velmora)

# An installed program finds its data at ../share/velmora beside bin/; the
# configured prefix is where it looks when it was moved elsewhere.
if(IS_ABSOLUTE "${CMAKE_INSTALL_DATADIR}")
  set(_velmora_builtin_datadir "${CMAKE_INSTALL_DATADIR}/velmora")
else()
  set(_velmora_builtin_datadir "${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/velmora")
endif()
set_source_files_properties(${CMAKE_SOURCE_DIR}/src/platform/program_folder.cc PROPERTIES
  COMPILE_DEFINITIONS "VELMORA_INSTALL_DATADIR=\"${_velmora_builtin_datadir}\"")

# The programs link nothing of ours dynamically and find the system's Qt by
# the usual paths: the installed copies carry no RPATH (CMake drops the build
# tree's when installing; tests/package/check_package.sh checks it).
set(_velmora_programs velmora-batch velmora-syllabify velmora-import)
if(TARGET velmora)
  list(PREPEND _velmora_programs velmora)
endif()
install(TARGETS ${_velmora_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

file(GLOB _velmora_data_files ${CMAKE_SOURCE_DIR}/data/*.txt)
install(FILES ${_velmora_data_files} DESTINATION ${VELMORA_DATA_INSTALL_DIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/NaturalClasses ${CMAKE_SOURCE_DIR}/data/SyllabifiedNaturalClasses
        DESTINATION ${VELMORA_DATA_INSTALL_DIR})
# The other bundled data sets: each subfolder of data/ that holds in.txt.
file(GLOB _velmora_data_children LIST_DIRECTORIES true ${CMAKE_SOURCE_DIR}/data/*)
foreach(_velmora_set IN LISTS _velmora_data_children)
  if(IS_DIRECTORY ${_velmora_set} AND EXISTS ${_velmora_set}/in.txt)
    install(DIRECTORY ${_velmora_set} DESTINATION ${VELMORA_DATA_INSTALL_DIR} FILES_MATCHING PATTERN "*.txt")
  endif()
endforeach()

if(TARGET velmora)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/${VELMORA_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/${VELMORA_APP_ID}.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/${VELMORA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

# Man pages from --help, compressed as Debian wants them.
set(_velmora_man_dir ${CMAKE_BINARY_DIR}/man)
set(_velmora_man_pages)
foreach(tool IN ITEMS velmora-batch velmora-syllabify velmora-import)
  set(page ${_velmora_man_dir}/${tool}.1)
  add_custom_command(
    OUTPUT ${page} ${page}.gz
    COMMAND ${CMAKE_COMMAND} -DEXE=$<TARGET_FILE:${tool}> -DNAME=${tool} -DVERSION=${VELMORA_VERSION}
            -DEXTRA=${CMAKE_SOURCE_DIR}/packaging/man/${tool}.extra -DOUT=${page}
            -P ${CMAKE_SOURCE_DIR}/cmake/ManPage.cmake
    COMMAND gzip -9n -c ${page} > ${page}.gz
    DEPENDS ${tool} ${CMAKE_SOURCE_DIR}/cmake/ManPage.cmake ${CMAKE_SOURCE_DIR}/packaging/man/${tool}.extra
    COMMENT "Writing the man page of ${tool} from its --help"
    VERBATIM)
  list(APPEND _velmora_man_pages ${page}.gz)
endforeach()
# The window's page is written by hand: it has no --help.
set(_velmora_window_page ${_velmora_man_dir}/velmora.1.gz)
add_custom_command(
  OUTPUT ${_velmora_window_page}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${_velmora_man_dir}
  COMMAND gzip -9n -c ${CMAKE_SOURCE_DIR}/packaging/man/velmora.1 > ${_velmora_window_page}
  DEPENDS ${CMAKE_SOURCE_DIR}/packaging/man/velmora.1
  VERBATIM)
if(TARGET velmora)
  list(APPEND _velmora_man_pages ${_velmora_window_page})
endif()
add_custom_target(velmora_man_pages ALL DEPENDS ${_velmora_man_pages})
install(FILES ${_velmora_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Debian's copyright file and the changelog of a native package.
set(_velmora_changelog ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(
  OUTPUT ${_velmora_changelog}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
  COMMAND gzip -9n -c ${CMAKE_SOURCE_DIR}/packaging/changelog > ${_velmora_changelog}
  DEPENDS ${CMAKE_SOURCE_DIR}/packaging/changelog
  VERBATIM)
add_custom_target(velmora_changelog ALL DEPENDS ${_velmora_changelog})
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright ${_velmora_changelog}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/velmora)

# CPack: one Debian package, its library dependencies found by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VERSION ${VELMORA_VERSION})
set(CPACK_PACKAGE_VENDOR "Velmora developers")
set(CPACK_PACKAGE_CONTACT "Velmora developers <velmora@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "search a pronouncing dictionary by phonemes and natural classes")
set(CPACK_PACKAGE_DESCRIPTION
  "Velmora is a desktop tool for phonologists. It searches a pronunciation\ndictionary of 20,000 English words for every word whose transcription holds\na configuration of phonemes, natural classes and word boundaries, or whose\nspelling holds a string, and writes the results as plain text files for a\nspreadsheet. velmora-batch runs the same search from a script.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window's texts are measured against DejaVu Sans, the font it falls back to.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
include(CPack)

# The package's own checks (lintian, appstreamcli, desktop-file-validate, the
# man pages): run cpack in this build folder, so not under the sanitizers.
# Installing the package into a fresh Debian root is slower and needs root and
# the network: tests/package/check_package.sh BUILD --install, run by hand
# (see README.md).
if(BUILD_TESTING OR NOT DEFINED BUILD_TESTING)
  add_test(NAME velmora_package_checks
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/package/check_package.sh ${CMAKE_BINARY_DIR})
  set_tests_properties(velmora_package_checks PROPERTIES
    LABELS "package;nosan" SKIP_RETURN_CODE 77 TIMEOUT 900 RUN_SERIAL ON)
endif()

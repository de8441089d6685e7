# The Debian package of the programs: cd build && cpack -G DEB
#
# Its library dependencies come from dpkg-shlibdeps, never from a hand-kept
# list: a package built without them installs and then cannot start. So cpack
# stops when dpkg-shlibdeps (dpkg-dev) or file is missing (see
# SoramiPackageCheck.cmake, read by cpack itself).

set(SORAMI_PACKAGE_MAINTAINER "Sorami developers <sorami@example.org>"
  CACHE STRING "Maintainer of the Debian package, as Name <address>")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sorami)
set(CPACK_PACKAGE_VERSION 1.0.5)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "English composition drill for Japanese learners")
# cpack puts the summary above in front; lintian wants the rest in short lines.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "A drill for Japanese learners of English composition: Japanese sentences
one at a time, the typed English judged against the model answer, mistakes
marked in the question file, a live score, block runs with grades and a
score table, a rich-text memo notebook, a card viewer and a mini drill.
The srmtool command checks and converts question files and charts scores.")
set(CPACK_PACKAGE_CONTACT "${SORAMI_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# Found at run time, not linked: without Japanese faces every caption is boxes.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk")
# Better with them, usable without: the Wayland plugin (else XWayland), Qt's
# Japanese texts for the standard dialogs, the manual pages' viewer.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n, man-db, espeak-ng")
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/SoramiPackageCheck.cmake)
include(CPack)

# What Debian asks of every package: the changelog and the copyright, the
# manual pages compressed.
set(SORAMI_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/sorami)
set(package_dir ${CMAKE_BINARY_DIR}/package)
set(gz_outputs)
foreach(page Sorami105 SrmMini Srmmini32 srmtool)
  list(APPEND gz_pairs ${CMAKE_SOURCE_DIR}/docs/${page}.1 ${package_dir}/man/${page}.1.gz)
endforeach()
list(APPEND gz_pairs ${CMAKE_SOURCE_DIR}/assets/package/changelog ${package_dir}/changelog.gz)
while(gz_pairs)
  list(POP_FRONT gz_pairs source output)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${package_dir}/man
    COMMAND sh -c "gzip -9n -c \"$1\" > \"$2\"" sh ${source} ${output}
    DEPENDS ${source}
    VERBATIM)
  list(APPEND gz_outputs ${output})
endwhile()
add_custom_target(package_docs ALL DEPENDS ${gz_outputs})
foreach(page Sorami105 SrmMini Srmmini32 srmtool)
  install(FILES ${package_dir}/man/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
install(FILES ${package_dir}/changelog.gz ${CMAKE_SOURCE_DIR}/assets/package/copyright
  DESTINATION ${SORAMI_DOC_DIR})
# srmtool's commands, options and files completed in bash.
install(FILES ${CMAKE_SOURCE_DIR}/assets/completion/srmtool
  DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

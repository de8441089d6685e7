# Read by cpack before it packs. A Debian package without the libraries it
# needs in Depends would install and then fail to start: refuse to build one.
if(CPACK_GENERATOR STREQUAL "DEB")
  find_program(SORAMI_DPKG_SHLIBDEPS dpkg-shlibdeps)
  find_program(SORAMI_FILE file)
  if(NOT SORAMI_DPKG_SHLIBDEPS OR NOT SORAMI_FILE)
    message(FATAL_ERROR "The package's library dependencies need dpkg-shlibdeps and file: "
      "install dpkg-dev and file (bash scripts/deps.sh does).")
  endif()
endif()

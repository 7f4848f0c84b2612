# The Debian package, built from a Release build with
#   cpack -G DEB --config build/CPackConfig.cmake -B build/package
# Its dependencies are read off the program's shared libraries.
set(TAVRELO_PACKAGE_MAINTAINER "Tavrelo developers <maintainers@tavrelo.invalid>" CACHE STRING
    "Maintainer named in the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavrelo)
set(CPACK_PACKAGE_VENDOR "The Tavrelo developers")
set(CPACK_PACKAGE_CONTACT "${TAVRELO_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://github.com/tavrelo/tavrelo")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "batch file renamer")
# Debian shows the description as it stands: lines kept under 80 columns.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Tavrelo renames many files at once. It lists the files and folders dropped"
    "on its window or handed to it by the file manager, then either renames them"
    "with a text and a zero-padded number, numbered per folder in the order of"
    "their date, size or name, or replaces a text or a regular expression in"
    "their names.")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)

# Builds the package from this build tree and checks it as Debian would.
# Slow-ish and beside the point under the sanitizers, so it carries a label
# of its own (ctest -LE package skips it).
if(BUILD_TESTING AND NOT TAVRELO_SANITIZE)
    find_program(TAVRELO_DPKG_DEB dpkg-deb)
    find_program(TAVRELO_DPKG_SHLIBDEPS dpkg-shlibdeps)
    find_program(TAVRELO_LINTIAN lintian)
    if(TAVRELO_DPKG_DEB AND TAVRELO_DPKG_SHLIBDEPS AND TAVRELO_LINTIAN)
        add_test(NAME debian_package
            COMMAND ${CMAKE_COMMAND}
                -DCPACK=${CMAKE_CPACK_COMMAND}
                -DDPKG_DEB=${TAVRELO_DPKG_DEB}
                -DLINTIAN=${TAVRELO_LINTIAN}
                -DBUILD_DIR=${PROJECT_BINARY_DIR}
                -DOUTPUT_DIR=${PROJECT_BINARY_DIR}/package-test
                -P ${CMAKE_CURRENT_LIST_DIR}/CheckPackage.cmake)
        set_tests_properties(debian_package PROPERTIES LABELS package TIMEOUT 300)
    endif()
endif()

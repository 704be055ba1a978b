# A Debian package of both programs: cpack -G DEB in the build directory.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tubarogas)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "Tubaro GAS")
set(CPACK_PACKAGE_CONTACT "Tubaro GAS developers <sviluppo@tubaro.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Calculator for sizing low-pressure gas piping")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Relates the inner diameter, the power, the equivalent length and the total pressure loss of a pipe run: given three, it computes the fourth, and shows the nominal pipe size in inches.
TubaroGAS is the window, always at hand beside other work; tubarogas-calc gives the same results from the command line, one case or a whole file at a time.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the programs link, found by dpkg-shlibdeps, plus the platform
# plugins Qt loads at run time.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_STRIP_FILES ON)
include(CPack)

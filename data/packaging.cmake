# The Debian package of the installed program, made by CPack
# (scripts/package.sh): rv820_<version>_<arch>.deb. The dependencies are
# those that dpkg-shlibdeps finds for the binaries, plus the CJK font that the
# window and the reports are drawn with.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME rv820)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "analysis program of the RV820 digital rebound hammer")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "analysis program of the RV820 digital rebound hammer\n"
    " RV820-数显回弹仪分析软件 imports the component files of the RV820 digital\n"
    " rebound hammer, keeps components and their test areas in project files,\n"
    " evaluates the concrete strength of each test area and component and prints\n"
    " the component and test-area reports. rv820-cli does the same from the\n"
    " command line.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${RV820_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-noto-cjk)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
include(CPack)

# A Debian package of the calculator, built with CPack: `cpack -G DEB` in a
# build tree. Library dependencies are computed from the binary, Qt's GUI
# library among them, whose package also holds the X11 platform; the fonts
# the windows use are added by name, since the program finds them at run
# time.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME rurozovizera)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH})
set(CPACK_PACKAGE_VENDOR "The RuRozovizera developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small winter-themed desktop calculator")
set(CPACK_PACKAGE_DESCRIPTION
    "A desktop calculator dressed for winter, with a keypad of 24 keys, a\n"
    "one-line display, a memory register, and square, square-root, percent\n"
    "and pi keys, a splash window and a help example for chained sums.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGE_CONTACT "The RuRozovizera developers <developers@rurozovizera.org>")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-comic-neue, fonts-liberation2")
# Qt's Wayland platform, so that the windows are native in a Wayland
# session rather than going through its X11 compatibility server.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The folders CPack makes itself (usr/ and usr/share/ among them) get the
# same modes as those the install makes.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})
include(CPack)

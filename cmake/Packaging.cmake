# Packages of the installed game, made by cpack in a build tree:
#   Windows (cross build): Trivane-<version>-win32.zip / -win64.zip, one folder
#     holding the program as it runs: TrivaneGUI.exe, TrivaneEngine.dll,
#     JpegLib.dll, the pictures, "Sounds\", "Resources\" (skins, pointers),
#     "enviroment.nfo", and SDK\ with the engine's header, import library and
#     definition file.
#   Linux: trivane_<version>_<arch>.deb with the game folder under lib/trivane,
#     the launcher trivane-gui on the PATH, a desktop entry and the icon drawn
#     by the data generator.  Configure that tree with -DCMAKE_INSTALL_PREFIX=/usr
#     (scripts/package-deb.sh does): the toolkit looks for an installed copy's
#     resources under the prefix given at build time.
set(CPACK_PACKAGE_NAME "Trivane")
set(CPACK_PACKAGE_VENDOR "Trivane")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "A desktop game of Nine Men's Morris")
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(CPACK_SYSTEM_NAME win32)
  else()
    set(CPACK_SYSTEM_NAME win64)
  endif()
  set(CPACK_PACKAGE_FILE_NAME "Trivane-${PROJECT_VERSION}-${CPACK_SYSTEM_NAME}")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX "${CMAKE_INSTALL_PREFIX}")
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_NAME trivane)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Trivane developers <dev@trivane.example>")
  set(CPACK_DEBIAN_PACKAGE_SECTION games)
  # The libraries the programs link (SDL2, FreeType, fontconfig, libpng,
  # libjpeg) become the package's dependencies; the fonts the program draws
  # text with are found through fontconfig at run time.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
endif()
include(CPack)

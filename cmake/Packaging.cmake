# Packages of the installed game, made by cpack in a build tree:
#   Windows (cross build): Trivane-<version>-win32.zip / -win64.zip, one folder
#     holding the program as it runs: TrivaneGUI.exe, TrivaneEngine.dll,
#     JpegLib.dll, the pictures, "Sounds\", "Resources\" (skins, pointers),
#     "enviroment.nfo", and SDK\ with the engine's header, import library and
#     definition file.
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
endif()
include(CPack)

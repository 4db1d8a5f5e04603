# Cross build for Windows with mingw-w64 (i686).  The programs it makes run
# under Wine on the build machine, which CTest uses as the emulator.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TRIVANE_MINGW_PREFIX i686-w64-mingw32)

set(CMAKE_C_COMPILER ${TRIVANE_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TRIVANE_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TRIVANE_MINGW_PREFIX}-windres)
set(CMAKE_OBJDUMP ${TRIVANE_MINGW_PREFIX}-objdump)
set(CMAKE_DLLTOOL ${TRIVANE_MINGW_PREFIX}-dlltool)

set(CMAKE_FIND_ROOT_PATH /usr/${TRIVANE_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

find_program(TRIVANE_WINE NAMES wine)
set(CMAKE_CROSSCOMPILING_EMULATOR ${TRIVANE_WINE})

# The programs carry the compiler's runtime inside them, so the program folder
# needs no DLL beyond TrivaneEngine.dll and the system's own.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
# Release programs ship without symbols.
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")
set(CMAKE_SHARED_LINKER_FLAGS_RELEASE_INIT "-s")

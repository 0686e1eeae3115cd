# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (posix threads).
# BRIXEL_WINDOWS_PREFIX (or the environment's) names the prefix tools/windows-deps filled.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(triplet x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${triplet}-windres)
set(CMAKE_AR ${triplet}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${triplet}-ranlib CACHE FILEPATH "")

if(NOT BRIXEL_WINDOWS_PREFIX AND DEFINED ENV{BRIXEL_WINDOWS_PREFIX})
  set(BRIXEL_WINDOWS_PREFIX $ENV{BRIXEL_WINDOWS_PREFIX})
endif()
set(CMAKE_FIND_ROOT_PATH /usr/${triplet} ${BRIXEL_WINDOWS_PREFIX})
list(APPEND CMAKE_PREFIX_PATH ${BRIXEL_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Test programs run under wine on this machine, in a wine prefix of the build's own, with the
# libraries' DLLs on their path and wine's own chatter off.
# Debian's wine loader sits at a fixed address without a preloader, and Linux places its heap at
# a random point of the next gigabyte; about one start in a few hundred the heap covers the page
# wine must map at 0x7ffe0000 for Windows' shared user data, and the program ends before main()
# ("failed to map the shared user data: c0000018", hidden by WINEDEBUG=-all). Started without
# address randomisation the heap follows the loader directly, far below that page.
find_program(BRIXEL_WINE NAMES wine64 wine)
find_program(BRIXEL_WINESERVER NAMES wineserver)
find_program(BRIXEL_SETARCH NAMES setarch)
if(BRIXEL_WINE)
  set(BRIXEL_WINE_ENV env WINEPREFIX=${CMAKE_BINARY_DIR}/wine
      WINEPATH=${BRIXEL_WINDOWS_PREFIX}/bin WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=)
  if(BRIXEL_SETARCH)
    list(APPEND BRIXEL_WINE_ENV ${BRIXEL_SETARCH} -R)
  endif()
  set(CMAKE_CROSSCOMPILING_EMULATOR ${BRIXEL_WINE_ENV} ${BRIXEL_WINE})
endif()

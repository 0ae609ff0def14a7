# Cross-builds for x86-64 Windows with Debian's MinGW-w64 (POSIX threads, so
# that std::thread and std::mutex work) and runs what it builds under Wine.
# Libraries built for Windows (GoogleTest, the JSON headers) are found under
# the folders given in CMAKE_FIND_ROOT_PATH, never among the host's.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

list(APPEND CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every program carries its C++ runtime, so that it starts without the
# compiler's DLLs next to it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Test discovery and ctest start the programs through Wine's 64-bit loader.
find_program(RV820_WINE NAMES wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(RV820_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${RV820_WINE})
endif()

# Building for WebAssembly with Debian's emscripten: its own platform file,
# with C++ exceptions as WebAssembly's own (without them a build links and
# then dies at the first error). Programs built here run in Node.js for the
# tests, through CMAKE_CROSSCOMPILING_EMULATOR; a Node.js with a global
# fetch would try to fetch a .wasm beside the program, so every program
# carries its .wasm inside (SINGLE_FILE) and fetch is switched off besides.
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)

set(CMAKE_CXX_FLAGS_INIT "-fwasm-exceptions")
set(CMAKE_C_FLAGS_INIT "-fwasm-exceptions")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fwasm-exceptions")

find_program(TUBARO_NODE node REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${TUBARO_NODE} --no-experimental-fetch)

# Building for WebAssembly with Debian's emscripten: its own platform file,
# with C++ exceptions as WebAssembly's own (without them a build links and
# then dies at the first error). Programs built here run in Node.js for the
# tests, through CMAKE_CROSSCOMPILING_EMULATOR; a Node.js with a global
# fetch would try to fetch a .wasm beside the program, so every program
# carries its .wasm inside (SINGLE_FILE) and fetch is switched off besides.
#
# emscripten's folder: EMSCRIPTEN_ROOT when set, otherwise where the emcc on
# the PATH really lives (Debian's /usr/bin/emcc leads to
# /usr/share/emscripten).
if(DEFINED ENV{EMSCRIPTEN_ROOT})
  set(emscripten_root $ENV{EMSCRIPTEN_ROOT})
else()
  find_program(emcc_program emcc REQUIRED)
  file(REAL_PATH ${emcc_program} emcc_real)
  get_filename_component(emscripten_root ${emcc_real} DIRECTORY)
endif()
include(${emscripten_root}/cmake/Modules/Platform/Emscripten.cmake)

set(CMAKE_CXX_FLAGS_INIT "-fwasm-exceptions")
set(CMAKE_C_FLAGS_INIT "-fwasm-exceptions")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fwasm-exceptions")

find_program(TUBARO_NODE node REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${TUBARO_NODE} --no-experimental-fetch)

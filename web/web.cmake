# The browser build (emscripten): the same game and platform code, with the
# browser's backend (platform/backends/browser/), the music in the page's
# FluidSynth and no Debian libraries. Writes the page, its script, the wasm
# and the game data into web/ of the build folder. Included by the top
# CMakeLists.txt when TWINWORLDS_BACKEND is browser: PLATFORM_SOURCES then
# hold the shared folders and platform/backends/browser/.
if(NOT EMSCRIPTEN)
  message(FATAL_ERROR "TWINWORLDS_BACKEND=browser needs emscripten: emcmake cmake ... (scripts/web.sh build)")
endif()

set(TWINWORLDS_GAME_DATA "${CMAKE_SOURCE_DIR}/build/game" CACHE PATH "The game folder the native build wrote")
set(TWINWORLDS_SOUNDFONT "/usr/share/sounds/sf2/TimGM6mb.sf2" CACHE FILEPATH "The General MIDI soundfont")
find_package(Python3 REQUIRED COMPONENTS Interpreter)

# nlohmann_json alone, not the rest of /usr/include.
set(WEB_INCLUDE ${CMAKE_BINARY_DIR}/include)
file(MAKE_DIRECTORY ${WEB_INCLUDE})
if(NOT EXISTS ${WEB_INCLUDE}/nlohmann)
  file(COPY /usr/include/nlohmann DESTINATION ${WEB_INCLUDE})
endif()

# Chromium, Firefox and Safari all run wasm SIMD; the picture loops vectorise with it.
add_compile_options(-O3 -msimd128)

# The platform without SDL2, X11, FluidSynth and libpng: the browser's
# backend has its own of what needs them.
add_library(twinworlds_platform STATIC ${PLATFORM_SOURCES})
target_include_directories(twinworlds_platform PUBLIC ${CMAKE_SOURCE_DIR} ${WEB_INCLUDE})

# The game's Japanese strings are code page 932 bytes; clang has no
# -fexec-charset for it, so each source is compiled from a copy whose
# non-ASCII characters are written as escapes of those bytes.
set(GAME_DIRS app stage player enemy gfx sound growth)
set(GAME_SOURCES)
foreach(d ${GAME_DIRS})
  file(GLOB s CONFIGURE_DEPENDS RELATIVE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/${d}/*.cpp)
  list(APPEND GAME_SOURCES ${s})
endforeach()
set(ESCAPED_SOURCES)
foreach(src ${GAME_SOURCES})
  set(out ${CMAKE_BINARY_DIR}/cp932/${src})
  get_filename_component(outDir ${out} DIRECTORY)
  file(MAKE_DIRECTORY ${outDir})
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/web/cp932_escape.py ${CMAKE_SOURCE_DIR}/${src} ${out}
    DEPENDS ${CMAKE_SOURCE_DIR}/${src} ${CMAKE_SOURCE_DIR}/web/cp932_escape.py
    VERBATIM)
  list(APPEND ESCAPED_SOURCES ${out})
endforeach()
set(MAIN_SOURCE ${CMAKE_BINARY_DIR}/cp932/app/main.cpp)
list(REMOVE_ITEM ESCAPED_SOURCES ${MAIN_SOURCE})
add_library(twinworlds_game STATIC ${ESCAPED_SOURCES})
target_include_directories(twinworlds_game PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(twinworlds_game PUBLIC twinworlds_platform)

# The page: index.html, twinworlds.js (+ .wasm, .data) and what the page loads.
set(WEB_OUT ${CMAKE_BINARY_DIR}/web)
file(MAKE_DIRECTORY ${WEB_OUT})
add_executable(twinworlds ${MAIN_SOURCE})
target_link_libraries(twinworlds PRIVATE twinworlds_game)
set_target_properties(twinworlds PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${WEB_OUT} SUFFIX ".js")
file(GLOB_RECURSE GAME_DATA_FILES CONFIGURE_DEPENDS ${TWINWORLDS_GAME_DATA}/*)
set_property(TARGET twinworlds APPEND PROPERTY LINK_DEPENDS ${GAME_DATA_FILES})
target_link_options(twinworlds PRIVATE
  -O3
  # Flip and the clock wait by yielding to the page, inside the game's loops.
  -sASYNCIFY=1 -sASYNCIFY_STACK_SIZE=65536
  -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=67108864
  -sMODULARIZE=1 -sEXPORT_NAME=createTwinworlds -sENVIRONMENT=web
  -sEXPORTED_RUNTIME_METHODS=FS
  -sEXPORTED_FUNCTIONS=_main,_malloc,_free
  "SHELL:--preload-file ${TWINWORLDS_GAME_DATA}@/game")

set(PAGE_FILES index.html page.js audio_worklet.js)
set(SYNTH_DIR ${CMAKE_SOURCE_DIR}/web/node_modules/js-synthesizer)
set(COPIED)
foreach(f ${PAGE_FILES})
  add_custom_command(OUTPUT ${WEB_OUT}/${f}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/web/${f} ${WEB_OUT}/${f}
    DEPENDS ${CMAKE_SOURCE_DIR}/web/${f} VERBATIM)
  list(APPEND COPIED ${WEB_OUT}/${f})
endforeach()
foreach(pair "externals/libfluidsynth-2.4.6.js:libfluidsynth.js" "dist/js-synthesizer.min.js:js-synthesizer.js"
             "externals/LICENSE.fluidsynth.txt:LICENSE.fluidsynth.txt" "LICENSE:LICENSE.js-synthesizer.txt")
  string(REPLACE ":" ";" parts ${pair})
  list(GET parts 0 from)
  list(GET parts 1 to)
  add_custom_command(OUTPUT ${WEB_OUT}/${to}
    COMMAND ${CMAKE_COMMAND} -E copy ${SYNTH_DIR}/${from} ${WEB_OUT}/${to}
    DEPENDS ${SYNTH_DIR}/${from} VERBATIM)
  list(APPEND COPIED ${WEB_OUT}/${to})
endforeach()
add_custom_command(OUTPUT ${WEB_OUT}/TimGM6mb.sf2
  COMMAND ${CMAKE_COMMAND} -E copy ${TWINWORLDS_SOUNDFONT} ${WEB_OUT}/TimGM6mb.sf2
  DEPENDS ${TWINWORLDS_SOUNDFONT} VERBATIM)
list(APPEND COPIED ${WEB_OUT}/TimGM6mb.sf2)
# Whose each shipped file is, and its licence.
add_custom_command(OUTPUT ${WEB_OUT}/copyright.txt
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/dist/copyright ${WEB_OUT}/copyright.txt
  DEPENDS ${CMAKE_SOURCE_DIR}/dist/copyright VERBATIM)
list(APPEND COPIED ${WEB_OUT}/copyright.txt)
add_custom_target(web_page ALL DEPENDS ${COPIED})

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

# Chromium, Firefox and Safari all run wasm SIMD; the picture loops vectorise
# with it. Bulk memory: copies and fills become memory.copy and memory.fill,
# where the library's memcpy would call out to JavaScript for 512 bytes or more.
add_compile_options(-O3 -msimd128 -mbulk-memory)

# The platform without SDL2, X11, FluidSynth and libpng: the browser's
# backend has its own of what needs them.
add_library(twinworlds_platform STATIC ${PLATFORM_SOURCES})
# Its one thread_local would need the atomics feature beside bulk memory; the
# page has one thread, and a bitmap's header is read once.
set_source_files_properties(${CMAKE_SOURCE_DIR}/platform/win32/gdi_bitmap_file.cpp PROPERTIES COMPILE_OPTIONS -mno-bulk-memory)
target_include_directories(twinworlds_platform PUBLIC ${CMAKE_SOURCE_DIR} ${WEB_INCLUDE})
# What runs only when a pack is read or the list of stages is shown is built
# for size: the bundle is what the title waits for.
set(FOR_SIZE ${CMAKE_SOURCE_DIR}/platform/files/packs.cpp ${CMAKE_SOURCE_DIR}/platform/files/pack_info.cpp
    ${CMAKE_SOURCE_DIR}/platform/shell/pack_choice.cpp ${CMAKE_BINARY_DIR}/cp932/app/packs.cpp
    ${CMAKE_BINARY_DIR}/cp932/app/pack_chooser.cpp ${CMAKE_SOURCE_DIR}/platform/input/pack_link.cpp
    ${CMAKE_SOURCE_DIR}/platform/shell/linked_packs.cpp)
set_source_files_properties(${FOR_SIZE} PROPERTIES COMPILE_OPTIONS -Os)

# The game's Japanese strings are code page 932 bytes; clang has no
# -fexec-charset for it, so each source is compiled from a copy whose
# non-ASCII characters are written as escapes of those bytes.
set(GAME_DIRS app stage player enemy gfx sound growth editor)
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
add_library(twinworlds_main OBJECT ${MAIN_SOURCE})
target_link_libraries(twinworlds_main PRIVATE twinworlds_game)
add_executable(twinworlds $<TARGET_OBJECTS:twinworlds_main>)
target_link_libraries(twinworlds PRIVATE twinworlds_game)
set_target_properties(twinworlds PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${WEB_OUT} SUFFIX ".js")
# The folders the asset builder writes, and nothing else a run of the
# native game may have left in the game folder.
set(GAME_DATA_DIRS Sound font image se stage)
set(GAME_DATA_FILES)
set(PRELOADS)
foreach(d ${GAME_DATA_DIRS})
  file(GLOB_RECURSE f CONFIGURE_DEPENDS ${TWINWORLDS_GAME_DATA}/${d}/*)
  list(APPEND GAME_DATA_FILES ${f})
  list(APPEND PRELOADS "SHELL:--preload-file ${TWINWORLDS_GAME_DATA}/${d}@/game/${d}")
endforeach()
# The rest of code page 932 for packs' names (0.5 MB, 170 KB gzipped) would
# hold up the title: in the browser such characters are drawn as boxes.
list(FILTER GAME_DATA_FILES EXCLUDE REGEX "/font/names\\.hex$")
list(APPEND PRELOADS "SHELL:--exclude-file *names.hex")
set_property(TARGET twinworlds APPEND PROPERTY LINK_DEPENDS ${GAME_DATA_FILES})
# Flip and the clock wait by yielding to the page, inside the game's loops:
# Asyncify instruments only the functions listed (with the parts the
# optimiser splits out of them), and asserts that nothing else is on the
# stack when the game waits.
file(STRINGS ${CMAKE_SOURCE_DIR}/web/asyncify_functions.txt ASYNCIFY_NAMES REGEX "^[^#]")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/web/asyncify_functions.txt)
set(ASYNCIFY_LIST)
foreach(name ${ASYNCIFY_NAMES})
  list(APPEND ASYNCIFY_LIST "*${name}")  # and byn-split-outlined-A$NAME
endforeach()
list(JOIN ASYNCIFY_LIST "\n" ASYNCIFY_TEXT)
file(WRITE ${CMAKE_BINARY_DIR}/asyncify_functions.txt "${ASYNCIFY_TEXT}")
set_property(TARGET twinworlds APPEND PROPERTY LINK_DEPENDS ${CMAKE_BINARY_DIR}/asyncify_functions.txt)
# The list is checked against the call graph of the game linked as it is
# before any optimiser runs: a function missing from it fails the build.
# (The warnings of the link below name listed functions the optimiser has
# inlined into others.)
find_program(WASM_OPT wasm-opt REQUIRED)
add_executable(twinworlds_callgraph $<TARGET_OBJECTS:twinworlds_main>)
target_link_libraries(twinworlds_callgraph PRIVATE twinworlds_game)
target_link_options(twinworlds_callgraph PRIVATE -O0 --profiling-funcs -mbulk-memory)
set_target_properties(twinworlds_callgraph PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/callgraph SUFFIX ".js")
set(ASYNCIFY_CHECKED ${CMAKE_BINARY_DIR}/callgraph/asyncify-list-checked.stamp)
add_custom_command(OUTPUT ${ASYNCIFY_CHECKED}
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/web/asyncify_check.py ${WASM_OPT}
          ${CMAKE_BINARY_DIR}/callgraph/twinworlds_callgraph.wasm ${CMAKE_SOURCE_DIR}/web/asyncify_functions.txt
          ${ASYNCIFY_CHECKED}
  DEPENDS twinworlds_callgraph ${CMAKE_SOURCE_DIR}/web/asyncify_check.py ${CMAKE_SOURCE_DIR}/web/asyncify_functions.txt
  COMMENT "Checking web/asyncify_functions.txt against the call graph" VERBATIM)
add_custom_target(asyncify_list_checked DEPENDS ${ASYNCIFY_CHECKED})
add_dependencies(twinworlds asyncify_list_checked)
target_link_options(twinworlds PRIVATE
  -O3 -mbulk-memory
  -sASYNCIFY=1 -sASYNCIFY_STACK_SIZE=65536 -sASYNCIFY_ONLY=@${CMAKE_BINARY_DIR}/asyncify_functions.txt -sASSERTIONS=1
  -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=67108864
  -sMODULARIZE=1 -sEXPORT_NAME=createTwinworlds -sENVIRONMENT=web
  -sEXPORTED_RUNTIME_METHODS=FS,callMain
  -sEXPORTED_FUNCTIONS=_main,_malloc,_free,_TwOpenPackLink,_TwKeepPackLink,_TwPackArchive
  # Kept packs live in the browser's IndexedDB, mounted at /packs.
  -lidbfs.js
  ${PRELOADS})

# The page's script is a set of modules in page/, one a concern.
file(GLOB PAGE_SCRIPTS CONFIGURE_DEPENDS RELATIVE ${CMAKE_SOURCE_DIR}/web ${CMAKE_SOURCE_DIR}/web/page/*.js)
set(PAGE_FILES index.html audio_worklet.js manifest.webmanifest ${PAGE_SCRIPTS})
file(MAKE_DIRECTORY ${WEB_OUT}/page)
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
# The soundfont cut down to the presets, keys and velocities the music
# plays (about 5% of the full one); the desktop keeps the full soundfont.
set(SONGS ${GAME_DATA_FILES})
list(FILTER SONGS INCLUDE REGEX "\\.mid$")
add_custom_command(OUTPUT ${WEB_OUT}/music.sf2
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/soundfont_cut.py ${TWINWORLDS_SOUNDFONT} ${WEB_OUT}/music.sf2 ${SONGS}
  DEPENDS ${TWINWORLDS_SOUNDFONT} ${SONGS} ${CMAKE_SOURCE_DIR}/tools/soundfont_cut.py VERBATIM)
list(APPEND COPIED ${WEB_OUT}/music.sf2)
# Whose each shipped file is, and its licence.
add_custom_command(OUTPUT ${WEB_OUT}/copyright.txt
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/dist/copyright ${WEB_OUT}/copyright.txt
  DEPENDS ${CMAKE_SOURCE_DIR}/dist/copyright VERBATIM)
list(APPEND COPIED ${WEB_OUT}/copyright.txt)
add_custom_target(web_page ALL DEPENDS ${COPIED})

# ---- Offline and installable: the game's icons for the manifest, then the
# service worker with the list of every file above and a version that is
# their hash (written after the rest, each build).
set(TWINWORLDS_ICONS "${CMAKE_SOURCE_DIR}/build/icons" CACHE PATH "The icons the native build's asset builder wrote")
set(ICON_FILES)
foreach(size 32 128 256)
  add_custom_command(OUTPUT ${WEB_OUT}/icon-${size}.png
    COMMAND ${CMAKE_COMMAND} -E copy ${TWINWORLDS_ICONS}/${size}x${size}/twinworlds.png ${WEB_OUT}/icon-${size}.png
    DEPENDS ${TWINWORLDS_ICONS}/${size}x${size}/twinworlds.png VERBATIM)
  list(APPEND ICON_FILES ${WEB_OUT}/icon-${size}.png)
endforeach()
add_custom_target(web_icons ALL DEPENDS ${ICON_FILES})
add_custom_target(web_offline ALL
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/web/offline_bundle.py ${CMAKE_SOURCE_DIR}/web/service_worker.js ${WEB_OUT}
  VERBATIM)
add_dependencies(web_offline twinworlds web_page web_icons)

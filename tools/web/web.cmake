# The program as a web page (included by CMakeLists.txt for Emscripten): the
# page, Qt's loader, the program's .js and .wasm, the cues, the icons, a web
# app manifest and a service worker that keeps every file for use offline.
# `cmake --install` writes the folder a web server serves as it stands.

# The quit question waits in its own event loop: in the browser, which has no
# threads, that needs Emscripten's asyncify.
target_link_options(parking-dice PRIVATE "SHELL:-s ASYNCIFY" -Os)

# The browser has no system fonts: the program carries the Japanese face it
# uses on Linux (IPA P Gothic), cut down to the characters of the program's
# own sources and printable ASCII (python3-fonttools' subsetter).
set(PARKING_WEB_FONT_SOURCE "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf" CACHE FILEPATH
    "The font the page carries, cut down")
file(GLOB_RECURSE PARKING_TEXT_SOURCES CONFIGURE_DEPENDS
     "${CMAKE_SOURCE_DIR}/app/*.cpp" "${CMAKE_SOURCE_DIR}/areas/*.cpp" "${CMAKE_SOURCE_DIR}/ui/*.cpp")
set(WEB_FONT_DIR "${CMAKE_BINARY_DIR}/web-font")
set(WEB_FONT "${WEB_FONT_DIR}/ipagp.ttf")
add_custom_command(
    OUTPUT "${WEB_FONT}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${WEB_FONT_DIR}"
    COMMAND ${CMAKE_COMMAND} -E cat ${PARKING_TEXT_SOURCES} > "${WEB_FONT_DIR}/text.txt"
    COMMAND /usr/bin/python3 -m fontTools.subset "${PARKING_WEB_FONT_SOURCE}"
            "--text-file=${WEB_FONT_DIR}/text.txt" --unicodes=U+0020-007E,U+00A0,U+3000
            --layout-features=* "--output-file=${WEB_FONT}"
    DEPENDS ${PARKING_TEXT_SOURCES} "${PARKING_WEB_FONT_SOURCE}"
    COMMENT "Cutting the Japanese font down to the program's characters")
set_source_files_properties("${WEB_FONT}" PROPERTIES GENERATED TRUE)
qt_add_resources(parking-dice web_font PREFIX /fonts BASE "${WEB_FONT_DIR}" FILES "${WEB_FONT}")

set(WEB_NAME "駐車場のサイコロ実験")
# The tab carries the main window's title, which the page shows without its frame.
set(WEB_TITLE "簡単なソラミネとシミュレーション")
set(WEB_ICON "icons/${PARKING_APP_ID}.png")
# What the service worker keeps: every file of the folder.
set(WEB_FILES ./ index.html parking-dice.js parking-dice.wasm qtloader.js manifest.webmanifest
              sounds/pinpon.wav sounds/endpinpon.wav)
foreach(size IN LISTS ICON_SIZES)
    list(APPEND WEB_FILES "icons/${size}.png")
endforeach()
list(JOIN WEB_FILES "\",\n    \"" WEB_FILE_LIST)
configure_file(tools/web/index.html.in web/index.html @ONLY)
configure_file(tools/web/manifest.webmanifest.in web/manifest.webmanifest @ONLY)
configure_file(tools/web/service-worker.js.in web/service-worker.js @ONLY)

install(FILES "${CMAKE_BINARY_DIR}/web/index.html" "${CMAKE_BINARY_DIR}/web/manifest.webmanifest"
              "${CMAKE_BINARY_DIR}/web/service-worker.js"
              "$<TARGET_FILE_DIR:parking-dice>/parking-dice.js" "$<TARGET_FILE_DIR:parking-dice>/parking-dice.wasm"
              "$<TARGET_FILE_DIR:parking-dice>/qtloader.js"
        DESTINATION .)
install(FILES ${CUE_FILES} DESTINATION sounds)
foreach(size IN LISTS ICON_SIZES)
    install(FILES "${CMAKE_BINARY_DIR}/icons/${size}x${size}/apps/${PARKING_APP_ID}.png"
            DESTINATION icons RENAME "${size}.png")
endforeach()

# The page hands the program its environment (the sound log's switch).
set_target_properties(parking-dice PROPERTIES QT_WASM_EXTRA_EXPORTED_METHODS ENV)

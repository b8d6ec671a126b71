# The Windows build runs from a folder laid out as a player's: the programs beside the Qt and C++
# runtime DLLs they load, the plugins Qt looks for beside them and the font the layout names. The
# copies are stripped, so the tests load what ships. Wine runs the programs and tests.
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
    find_program(WINE_PROGRAM NAMES wine wine64 PATHS /usr/lib/wine REQUIRED)
    set(CMAKE_CROSSCOMPILING_EMULATOR "${WINE_PROGRAM}")
endif()
find_program(MINGW_STRIP NAMES x86_64-w64-mingw32-strip REQUIRED)
# What cpack strips the programs with.
set(CMAKE_STRIP "${MINGW_STRIP}" CACHE FILEPATH "" FORCE)

set(VELBERD_RUNTIME_FILES)

# Copies one file, stripped, into the program folder (or a folder below it); shipped files are
# also installed beside the programs.
function(velberd_runtime_file source subfolder ship)
    get_filename_component(name "${source}" NAME)
    set(folder "${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${subfolder}")
    set(copy "${folder}/${name}")
    if(name MATCHES "\\.dll$")
        set(place "${MINGW_STRIP}" --strip-unneeded -o "${copy}" "${source}")
    else()
        set(place "${CMAKE_COMMAND}" -E copy "${source}" "${copy}")
    endif()
    add_custom_command(OUTPUT "${copy}" COMMAND "${CMAKE_COMMAND}" -E make_directory "${folder}" COMMAND ${place}
                       DEPENDS "${source}" VERBATIM)
    set(VELBERD_RUNTIME_FILES ${VELBERD_RUNTIME_FILES} "${copy}" PARENT_SCOPE)
    if(ship)
        install(FILES "${copy}" DESTINATION "./${subfolder}" COMPONENT folder)
    endif()
endfunction()

function(velberd_qt_file target subfolder ship)
    get_target_property(location ${target} IMPORTED_LOCATION_RELEASE)
    if(NOT location)
        get_target_property(location ${target} IMPORTED_LOCATION)
    endif()
    velberd_runtime_file("${location}" "${subfolder}" ${ship})
    set(VELBERD_RUNTIME_FILES ${VELBERD_RUNTIME_FILES} PARENT_SCOPE)
endfunction()

function(velberd_compiler_file name ship)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${name} OUTPUT_VARIABLE location
                    OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${location}")
        message(FATAL_ERROR "The compiler does not know where ${name} is")
    endif()
    velberd_runtime_file("${location}" "" ${ship})
    set(VELBERD_RUNTIME_FILES ${VELBERD_RUNTIME_FILES} PARENT_SCOPE)
endfunction()

foreach(module Core Gui Widgets Network)
    velberd_qt_file(Qt6::${module} "" TRUE)
endforeach()
velberd_qt_file(Qt6::QWindowsIntegrationPlugin platforms TRUE)
# The native look of buttons, boxes and lists on Windows 7 and later.
velberd_qt_file(Qt6::QWindowsVistaStylePlugin styles TRUE)
foreach(library libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    velberd_compiler_file(${library} TRUE)
endforeach()
# The layout is drawn in Arial Narrow, which Windows lacks unless Office brings it; its metric
# twin comes along.
foreach(style Regular Bold)
    velberd_runtime_file(/usr/share/fonts/truetype/liberation/LiberationSansNarrow-${style}.ttf fonts TRUE)
endforeach()

# The licences of the DLLs and the font that ship, and where their exact sources are.
include(${CMAKE_CURRENT_LIST_DIR}/windowslicences.cmake)

if(VELBERD_TESTS)
    # Only the tests load these: Qt Test, and the platform plugin that draws without a screen.
    velberd_qt_file(Qt6::Test "" FALSE)
    velberd_qt_file(Qt6::QOffscreenIntegrationPlugin platforms FALSE)
endif()

add_custom_target(windows_runtime ALL DEPENDS ${VELBERD_RUNTIME_FILES})

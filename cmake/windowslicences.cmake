# What the shipped third-party files come under and where their exact sources are, in licenses/
# beside the programs; licenses/README.txt says which file comes under which licence.
function(velberd_licence source destination)
    get_filename_component(folder "licenses/${destination}" DIRECTORY)
    get_filename_component(name "${destination}" NAME)
    install(FILES "${source}" DESTINATION "${folder}" RENAME "${name}" COMPONENT folder)
endfunction()

# The Debian source package, with its version, that a package of the build machine comes from.
function(velberd_debian_source package variable)
    execute_process(COMMAND dpkg-query -W "-f=\${source:Package} \${source:Version}" ${package}
                    OUTPUT_VARIABLE source RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "dpkg-query does not know ${package}, whose files the Windows packages ship")
    endif()
    set(${variable} "${source}" PARENT_SCOPE)
endfunction()

# Qt's install keeps its licences, each bundled part's attribution with that part's licence, and
# the source notice with Debian's patches and the recipe that built it (scripts/qt-windows).
set(qt_licences "${QT6_INSTALL_PREFIX}/licenses/qtbase")
set(qt_source "${QT6_INSTALL_PREFIX}/source")
if(NOT EXISTS "${qt_licences}/LICENSES" OR NOT EXISTS "${qt_source}/origin.txt")
    message(FATAL_ERROR "Qt for Windows in ${QT6_INSTALL_PREFIX} keeps no licences or source notice: "
                        "build it anew with scripts/qt-windows")
endif()
install(DIRECTORY "${qt_licences}/" DESTINATION licenses/qt COMPONENT folder)
install(DIRECTORY "${qt_source}/" DESTINATION licenses/qt-source COMPONENT folder)
file(STRINGS "${qt_source}/origin.txt" VELBERD_QT_SOURCE REGEX "^Debian source package: ")
string(REGEX REPLACE "^Debian source package: " "" VELBERD_QT_SOURCE "${VELBERD_QT_SOURCE}")
string(REGEX REPLACE "^[^ ]+ " "" VELBERD_QT_SOURCE_VERSION "${VELBERD_QT_SOURCE}")
# The C++ runtime: GCC's under the GPL-3 with its runtime library exception, and winpthreads.
velberd_licence(/usr/share/doc/gcc-mingw-w64-x86-64-posix-runtime/copyright c++-runtime/copyright.txt)
velberd_licence(/usr/share/common-licenses/GPL-3 c++-runtime/GPL-3.txt)
velberd_debian_source(gcc-mingw-w64-x86-64-posix-runtime VELBERD_GCC_SOURCE)
string(REGEX MATCH "^[0-9]+" VELBERD_GCC_MAJOR "${CMAKE_CXX_COMPILER_VERSION}")
velberd_licence(/usr/share/doc/mingw-w64-x86-64-dev/copyright winpthreads/copyright.txt)
velberd_debian_source(mingw-w64-x86-64-dev VELBERD_MINGW_SOURCE)
# The narrow font: the GPL-2 with font exceptions.
velberd_licence(/usr/share/doc/fonts-liberation/copyright liberation-fonts/copyright.txt)
velberd_licence(/usr/share/common-licenses/GPL-2 liberation-fonts/GPL-2.txt)
velberd_debian_source(fonts-liberation VELBERD_FONT_SOURCE)
# Notepad on older Windows shows only CRLF lines as lines.
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/licenses-readme.txt.in
               ${CMAKE_CURRENT_BINARY_DIR}/licenses-README.txt @ONLY NEWLINE_STYLE WIN32)
velberd_licence(${CMAKE_CURRENT_BINARY_DIR}/licenses-README.txt README.txt)

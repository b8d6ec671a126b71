# Run by cpack once the files to pack are staged: the installer's list of the files it installs,
# one relative Windows path a line, which lands in the install folder beside them. An upgrade
# removes what the list of the version before names, and the uninstaller what it names. The list
# leaves itself out: the uninstaller removes it last, once it is read.
if(NOT CPACK_GENERATOR STREQUAL "NSIS")
    return()
endif()
set(staged "${CPACK_TEMPORARY_DIRECTORY}")
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${staged}" "${staged}/*")
list(REMOVE_ITEM files "${CPACK_VELBERD_INSTALLED_FILES}")
list(SORT files)
set(lines "")
foreach(file IN LISTS files)
    string(REPLACE "/" "\\" file "${file}")
    string(APPEND lines "${file}\r\n")
endforeach()
file(WRITE "${staged}/${CPACK_VELBERD_INSTALLED_FILES}" "${lines}")

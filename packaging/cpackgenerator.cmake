# Read by cpack once per generator: the archive is the bare program folder, named after the
# release; the Debian package is the system layout around it; the Windows installer, its files.
if(CPACK_GENERATOR STREQUAL "DEB")
    set(CPACK_COMPONENTS_ALL deb)
    set(CPACK_PACKAGING_INSTALL_PREFIX /)
elseif(CPACK_GENERATOR STREQUAL "NSIS")
    # The installer puts the program folder's files straight into the folder the player chose.
    set(CPACK_COMPONENTS_ALL folder)
    set(CPACK_MONOLITHIC_INSTALL ON)
else()
    set(CPACK_COMPONENTS_ALL folder)
    set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
endif()

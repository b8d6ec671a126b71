# Read by cpack once per generator: the archive is the bare program folder, named after the
# release; the Debian package is the system layout around it.
if(CPACK_GENERATOR STREQUAL "DEB")
    set(CPACK_COMPONENTS_ALL deb)
    set(CPACK_PACKAGING_INSTALL_PREFIX /)
else()
    set(CPACK_COMPONENTS_ALL folder)
    set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
endif()

# Debian's GoogleTest serves the native build; the Windows cross-build compiles it from Debian's
# source package, since no prebuilt mingw library exists.
if(CMAKE_CROSSCOMPILING)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
    # Newer GoogleTest sources name their targets GTest::* themselves.
    foreach(name gtest gtest_main gmock gmock_main)
        if(NOT TARGET GTest::${name})
            add_library(GTest::${name} ALIAS ${name})
        endif()
    endforeach()
else()
    find_package(GTest REQUIRED)
endif()
include(GoogleTest)

# One place for the warning set, so every target of the project is held to the same bar.
add_library(velberd_warnings INTERFACE)
if(MSVC)
    target_compile_options(velberd_warnings INTERFACE /W4)
    if(VELBERD_WERROR)
        target_compile_options(velberd_warnings INTERFACE /WX)
    endif()
else()
    target_compile_options(velberd_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow
                                                      -Wnon-virtual-dtor -Woverloaded-virtual)
    if(VELBERD_WERROR)
        target_compile_options(velberd_warnings INTERFACE -Werror)
    endif()
endif()

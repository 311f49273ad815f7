# Every target of the project compiles without a warning. CI and scripts/test make a new warning
# break the build (QUORVEL_WERROR=ON); a plain build, a packager's with another compiler version
# among them, only reports it.
option(QUORVEL_WERROR "Treat compiler warnings as errors" OFF)

function(quorvel_warnings target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 /permissive-)
        if(QUORVEL_WERROR)
            target_compile_options(${target} PRIVATE /WX)
        endif()
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow)
        if(QUORVEL_WERROR)
            target_compile_options(${target} PRIVATE -Werror)
        endif()
    endif()
endfunction()

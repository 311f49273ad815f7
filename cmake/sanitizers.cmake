# The sanitizer build instruments every target, tests and libraries alike, so that a fault in the
# core is caught where a test drives it.
if(QUORVEL_SANITIZE)
    if(MSVC)
        message(FATAL_ERROR "The sanitizer build needs GCC or Clang")
    endif()
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

# The fuzz build instruments the libraries for coverage; the fuzz targets add the driver.
if(QUORVEL_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

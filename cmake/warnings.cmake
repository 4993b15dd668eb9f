# The one place for compiler flags. Every target links bastara_warnings;
# code that does byte arithmetic (the file writer) links the stricter set too.

add_library(bastara_warnings INTERFACE)
target_compile_options(bastara_warnings INTERFACE
  -Wall -Wextra -Werror -Wpedantic
  -Wshadow -Wnon-virtual-dtor -Wsuggest-override -Wimplicit-fallthrough
  -Wmissing-declarations -Wold-style-cast -Wcast-qual -Wformat=2)

# Integer narrowing is where on-disk formats go wrong silently.
add_library(bastara_conversion_warnings INTERFACE)
target_compile_options(bastara_conversion_warnings INTERFACE -Wconversion -Wsign-conversion)

# Tests may relax a named few: GoogleTest's macros trip these.
add_library(bastara_test_warnings INTERFACE)
target_link_libraries(bastara_test_warnings INTERFACE bastara_warnings)
target_compile_options(bastara_test_warnings INTERFACE -Wno-missing-declarations)

# Sanitizer build: configure with -DBASTARA_SANITIZE=ON (the "asan" preset).
option(BASTARA_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(BASTARA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# Fuzzing build (the "fuzz" preset, clang): every library is instrumented for
# coverage; only the fuzz targets link the libFuzzer driver (fuzz/CMakeLists.txt).
if(BASTARA_BUILD_FUZZERS)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

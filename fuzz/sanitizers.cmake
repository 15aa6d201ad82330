# Included by the top CMakeLists.txt before the libraries when TAVEL_FUZZ is on:
# every object of the build gets the fuzzer's coverage hooks and the address
# and undefined-behaviour sanitizers; libstdc++'s bounds assertions are on too.
# A compiler without libFuzzer (g++, a clang without compiler-rt) turns the
# fuzz build off with a message instead of failing.
include(CheckCXXSourceCompiles)
set(CMAKE_REQUIRED_FLAGS "-fsanitize=fuzzer,address,undefined")
check_cxx_source_compiles(
  "#include <cstddef>
   #include <cstdint>
   extern \"C\" int LLVMFuzzerTestOneInput(const uint8_t*, size_t) { return 0; }"
  TAVEL_HAVE_LIBFUZZER)
unset(CMAKE_REQUIRED_FLAGS)

if(NOT TAVEL_HAVE_LIBFUZZER)
  message(WARNING "fuzz: ${CMAKE_CXX_COMPILER_ID} ${CMAKE_CXX_COMPILER_VERSION} has no -fsanitize=fuzzer "
                  "(use clang with libclang-rt-dev); the fuzz targets are not built")
  set(TAVEL_FUZZ OFF)
  return()
endif()

# Line tables are all a sanitizer's stack trace needs, and full debug
# information would double the time of this build.
add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                    -fno-omit-frame-pointer -gline-tables-only)
add_compile_definitions(_GLIBCXX_ASSERTIONS)
add_link_options(-fsanitize=address,undefined)

# VELMORA_BUILD_FUZZERS=ON builds the libFuzzer targets of fuzz/. Every library is then
# instrumented for coverage and built with AddressSanitizer and UndefinedBehaviorSanitizer,
# so it belongs in a build directory of its own, configured with clang.
option(VELMORA_BUILD_FUZZERS "Build the libFuzzer targets (clang only)" OFF)
if(VELMORA_BUILD_FUZZERS)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "VELMORA_BUILD_FUZZERS needs clang: configure with CXX=clang++")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

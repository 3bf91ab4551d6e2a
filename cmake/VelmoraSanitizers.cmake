# VELMORA_SANITIZE=ON builds everything with AddressSanitizer and UndefinedBehaviorSanitizer;
# any finding aborts, so a test that trips one fails.
option(VELMORA_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(VELMORA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# AddressSanitizer + UndefinedBehaviorSanitizer for every target when asked.
if(CARTOVA_SANITIZE)
  set(_san -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_compile_options(${_san})
  add_link_options(-fsanitize=address,undefined)
endif()

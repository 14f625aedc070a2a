# AddressSanitizer + UndefinedBehaviorSanitizer for every target when asked.
# float-cast-overflow is not part of g++'s "undefined" group: a double that
# does not fit the integer it is converted to must abort a test too.
if(CARTOVA_SANITIZE)
  set(_checks address,undefined,float-cast-overflow)
  add_compile_options(-fsanitize=${_checks} -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined,float-cast-overflow)
  add_link_options(-fsanitize=${_checks})
endif()

# Fuzz builds (clang): the library and the readers are instrumented for
# libFuzzer's coverage as well as the fuzz executables, so the fuzzer sees
# which paths of the readers an input reaches.
if(CARTOVA_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "CARTOVA_FUZZ needs clang (CC=clang CXX=clang++)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined
                      -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

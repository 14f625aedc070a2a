# Warning flags shared by every target of the project.
function(cartova_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wno-unused-parameter)
endfunction()

# Adds the sources of the current folder (headers and .cpp files) to the library.
function(cartova_add_folder_sources)
  file(GLOB _srcs CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(_srcs)
    target_sources(cartova PRIVATE ${_srcs})
  endif()
endfunction()

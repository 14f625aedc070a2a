# Installs the library, its headers under include/cartova/, the CMake package
# (target Cartova::cartova) and a pkg-config file.
include(CMakePackageConfigHelpers)

install(TARGETS cartova EXPORT CartovaTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# formats/mitab is a library of its own with its own install rules.
foreach(dir IN LISTS CARTOVA_SUBSYSTEMS)
  install(DIRECTORY ${dir}/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/cartova/${dir}
          FILES_MATCHING PATTERN "*.h" PATTERN "mitab" EXCLUDE)
endforeach()

install(EXPORT CartovaTargets NAMESPACE Cartova::
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Cartova)
configure_package_config_file(cmake/CartovaConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/CartovaConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Cartova)
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/CartovaConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/CartovaConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/CartovaConfigVersion.cmake
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Cartova)

configure_file(cmake/cartova.pc.in ${CMAKE_CURRENT_BINARY_DIR}/cartova.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/cartova.pc
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

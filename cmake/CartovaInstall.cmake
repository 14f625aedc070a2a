# Installs the library, its headers under include/cartova/, the CMake package
# (target Cartova::cartova) and a pkg-config file.
include(CMakePackageConfigHelpers)

install(TARGETS cartova EXPORT CartovaTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The public headers: every header of the subsystems but the internal ones
# below, which only the library's own units include (no public header may
# include them; the consumer test checks that every installed include
# resolves). formats/mitab is a library of its own with its own install rules.
set(CARTOVA_INTERNAL_HEADERS
  host/ControlPeer.h host/DebugLog.h host/NumberText.h host/VectorState.h
  objects/PartToScreen.h
  formats/MidRecord.h formats/MifAttributes.h formats/MifCharset.h
  formats/MifColumns.h formats/MifFilePair.h formats/MifLineReader.h
  formats/MifNumbers.h formats/MifReader.h formats/MifWriter.h
  tools/EditableLayer.h
  controls/MapReference.h)
foreach(dir IN LISTS CARTOVA_SUBSYSTEMS)
  file(GLOB _headers CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/${dir}/*.h)
  list(REMOVE_ITEM _headers ${CARTOVA_INTERNAL_HEADERS})
  install(FILES ${_headers} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/cartova/${dir})
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

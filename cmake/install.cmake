# Installs the library as an exported, namespaced package:
#   find_package(OrloDock) ; target_link_libraries(app PRIVATE OrloDock::docking)
# Only the headers under include/ are installed; src/ stays private.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

install(TARGETS orlo_toolkit orlo_docking ${ORLO_RESOURCE_TARGETS} EXPORT OrloDockTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        OBJECTS DESTINATION ${CMAKE_INSTALL_LIBDIR}/orlodock-resources
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY toolkit/include/ docking/include/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(EXPORT OrloDockTargets NAMESPACE OrloDock:: DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/OrloDock)

file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/OrloDockConfig.cmake.in
     "@PACKAGE_INIT@\ninclude(CMakeFindDependencyMacro)\nfind_dependency(Qt6 COMPONENTS Core Gui Widgets)\nfind_dependency(X11)\ninclude(\"\${CMAKE_CURRENT_LIST_DIR}/OrloDockTargets.cmake\")\n")
configure_package_config_file(${CMAKE_CURRENT_BINARY_DIR}/OrloDockConfig.cmake.in
                              ${CMAKE_CURRENT_BINARY_DIR}/OrloDockConfig.cmake
                              INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/OrloDock)
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/OrloDockConfigVersion.cmake COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/OrloDockConfig.cmake ${CMAKE_CURRENT_BINARY_DIR}/OrloDockConfigVersion.cmake
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/OrloDock)

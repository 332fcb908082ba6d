include(CMakePackageConfigHelpers)

install(TARGETS RynRAZUdidazoror EXPORT RynRAZUdidazororTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  # Windows: the DLL and its import library.
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  PUBLIC_HEADER DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
# The umbrella header includes one header per family from ryn/.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/ryn DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
if(WIN32)
  # Windows loads the event-log companion from the application's folder or System32; installed
  # beside the DLL, it is shipped with it to wherever the application puts the DLL.
  install(TARGETS EventLogOutput LIBRARY DESTINATION ${CMAKE_INSTALL_BINDIR})
else()
  # The event-log companion sits beside the library, where the library's run path finds it.
  install(TARGETS EventLogOutput LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
endif()
install(EXPORT RynRAZUdidazororTargets
  NAMESPACE RynRAZUdidazoror::
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/RynRAZUdidazoror)

configure_package_config_file(cmake/RynRAZUdidazororConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/RynRAZUdidazororConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/RynRAZUdidazoror)
write_basic_package_version_file(
  ${CMAKE_CURRENT_BINARY_DIR}/RynRAZUdidazororConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES
  ${CMAKE_CURRENT_BINARY_DIR}/RynRAZUdidazororConfig.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/RynRAZUdidazororConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/RynRAZUdidazoror)

# The pkg-config file finds its prefix relative to itself, so the installed tree can move.
file(RELATIVE_PATH RYN_PC_PREFIX_FROM_PCDIR ${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig ${CMAKE_INSTALL_PREFIX})
configure_file(cmake/RynRAZUdidazoror.pc.in ${CMAKE_CURRENT_BINARY_DIR}/RynRAZUdidazoror.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/RynRAZUdidazoror.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

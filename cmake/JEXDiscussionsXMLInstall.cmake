# What `cmake --install` puts under the prefix: the libraries with their headers, the programs,
# and the package a host project finds with find_package(JEXDiscussionsXML).
#
# The libraries are static. Their link interface names only packages a host finds itself
# (pugixml, CURL, date, Qt6 Widgets), so there is no run path to get right and no symbol export
# list to keep; the server's libraries (SQLite, httplib) stay inside the server program.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(JEX_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/JEXDiscussionsXML)
set(JEX_HEADER_DIR ${CMAKE_INSTALL_INCLUDEDIR}/JEXDiscussionsXML)

# The control. Its headers include each other by path ("control/...", "platform/..."), so the
# tree keeps its shape.
install(TARGETS JEXSqlText JEXDiscussionsXML EXPORT JEXDiscussionsXMLTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/src/ DESTINATION ${JEX_HEADER_DIR}
  FILES_MATCHING PATTERN "*.h")
install(EXPORT JEXDiscussionsXMLTargets NAMESPACE JEXDiscussionsXML::
  DESTINATION ${JEX_PACKAGE_DIR})

# The Qt widget, in its own targets file: the package loads Qt only when it holds the widget.
if(TARGET JEXDiscussionsQt)
  install(TARGETS JEXDiscussionsQt EXPORT JEXDiscussionsQtTargets
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/qt/view/ DESTINATION ${JEX_HEADER_DIR}
    FILES_MATCHING PATTERN "*.h")
  install(EXPORT JEXDiscussionsQtTargets NAMESPACE JEXDiscussionsXML::
    DESTINATION ${JEX_PACKAGE_DIR})
endif()

install(TARGETS jexhost jexdiscussions-server RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET jexdiscussions-demo)
  install(TARGETS jexdiscussions-demo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/JEXDiscussionsXMLConfig.cmake.in
  ${PROJECT_BINARY_DIR}/JEXDiscussionsXMLConfig.cmake
  INSTALL_DESTINATION ${JEX_PACKAGE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/JEXDiscussionsXMLConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/JEXDiscussionsXMLConfig.cmake
  ${PROJECT_BINARY_DIR}/JEXDiscussionsXMLConfigVersion.cmake
  DESTINATION ${JEX_PACKAGE_DIR})

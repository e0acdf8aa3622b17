# What "cmake --install" puts on a system, and the Debian package CPack makes of it
# ("cmake --build build --target package").
include(GNUInstallDirs)

# The desktop icons come from the same drawing as the window icon, made at build time in the
# hicolor theme's layout.
add_executable(korbi_make_icon tools/make_icon.cpp)
target_link_libraries(korbi_make_icon PRIVATE korbi_media)
set(KORBI_ICON_DIR ${CMAKE_BINARY_DIR}/icons/hicolor)
set(KORBI_ICON_FILES ${KORBI_ICON_DIR}/scalable/apps/korbi.svg)
foreach(size 16 22 24 32 48 64 128 256)
  list(APPEND KORBI_ICON_FILES ${KORBI_ICON_DIR}/${size}x${size}/apps/korbi.png)
endforeach()
add_custom_command(
  OUTPUT ${KORBI_ICON_FILES}
  COMMAND korbi_make_icon ${KORBI_ICON_DIR}
  DEPENDS korbi_make_icon
  COMMENT "Drawing the application icon")

# Debian keeps manual pages compressed.
set(KORBI_MAN_PAGE ${CMAKE_BINARY_DIR}/man/korbi.1.gz)
add_custom_command(
  OUTPUT ${KORBI_MAN_PAGE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
  COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/resources/korbi.1 > ${KORBI_MAN_PAGE}
  DEPENDS ${PROJECT_SOURCE_DIR}/resources/korbi.1
  COMMENT "Compressing the manual page")
add_custom_target(korbi_desktop_files ALL DEPENDS ${KORBI_ICON_FILES} ${KORBI_MAN_PAGE})

install(TARGETS korbi RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES resources/korbi.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES resources/org.korbi.client.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${KORBI_ICON_DIR} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${KORBI_MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME korbi)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "graphical IRC client with pictures beside the lines")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "KorBi iRC Client shows an IRC server and up to fifteen channels and private\n\
conversations in the panes of one window, in colour and with a small picture\n\
at the start of each line. It has slash commands and aliases, CTCP with flood\n\
protection, a notify list, a POP3 mail checker and a picture exchange.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "KorBi iRC Client developers <korbi@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The libraries do not name Qt's display plugins, without which no window opens.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_STRIP_FILES ON)
include(CPack)

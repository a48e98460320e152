# tessmet_install_program(<target>)
# Installs Tessmet's program with its desktop integration: the executable, the desktop entry
# (offered as "Open with Tessmet" for JPEG and BMP pictures) and the program icon in the hicolor
# theme. The sample picture is installed by measure/res/sample on its own.
function(tessmet_install_program target)
  install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${PROJECT_SOURCE_DIR}/measure/res/desktop/tessmet.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/measure/res/icons/tessmet.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endfunction()

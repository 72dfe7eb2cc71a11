# What `cmake --install` lays out: the programs with their manual pages, the
# data, and the desktop's launcher, icons and metainfo. Tests, benchmarks and the art and sound makers
# stay in the build tree.
set(programs gloamfell-sim gloamfell-check)
if(GLOAMFELL_QT)
  list(PREPEND programs gloamfell)
endif()
install(TARGETS ${programs} RUNTIME DESTINATION ${GLOAMFELL_INSTALL_BINDIR})
list(TRANSFORM programs PREPEND ${CMAKE_SOURCE_DIR}/docs/man/ OUTPUT_VARIABLE pages)
list(TRANSFORM pages APPEND .6)
install(FILES ${pages} DESTINATION share/man/man6)

# The icons are compiled into the game for its window; the data folder has no use for them.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/ DESTINATION ${GLOAMFELL_INSTALL_DATADIR}
        PATTERN icons EXCLUDE PATTERN .gitattributes EXCLUDE)

file(GLOB icons CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/icons/gloamfell-*.png)
foreach(icon ${icons})
  get_filename_component(name ${icon} NAME_WE)
  string(REGEX MATCH "[0-9]+$" size ${name})
  install(FILES ${icon} DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME ${GLOAMFELL_APP_ID}.png)
endforeach()

configure_file(${CMAKE_SOURCE_DIR}/desktop/gloamfell.desktop.in ${CMAKE_BINARY_DIR}/${GLOAMFELL_APP_ID}.desktop @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/desktop/gloamfell.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/${GLOAMFELL_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/${GLOAMFELL_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${CMAKE_BINARY_DIR}/${GLOAMFELL_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/desktop/copyright
        DESTINATION share/doc/gloamfell)

# The host runtime step builds its form from demo/app.outline.
target_link_libraries(samplehost PRIVATE hostrt)
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/app.outline ${AMB_BIN_DIR}/app.outline COPYONLY)

# The utility step calls amblib's exports and the host runtime's arrays.
target_link_libraries(samplehost PRIVATE amblib hostrt)
target_include_directories(samplehost PRIVATE ${CMAKE_SOURCE_DIR}/amblib/util ${CMAKE_SOURCE_DIR}/platform/hostrt)

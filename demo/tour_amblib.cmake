# The frame step calls amblib's exports and reads its picture objects.
target_link_libraries(samplehost PRIVATE amblib hostrt)
target_include_directories(samplehost PRIVATE ${CMAKE_SOURCE_DIR}/amblib/frame ${CMAKE_SOURCE_DIR}/platform/fw
  ${CMAKE_SOURCE_DIR}/platform/hostrt ${CMAKE_SOURCE_DIR}/tests/amblib)

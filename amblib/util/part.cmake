# The utility functions: strings, files, disks and folders, arrays,
# numbers and profiles. The pure cores (strcore, filecore) are also built
# natively for the fuzzers.
set(AMBLIB_UTIL_SOURCES
  ${AMBLIB_PART_DIR}/strcore.cpp
  ${AMBLIB_PART_DIR}/filecore.cpp
  ${AMBLIB_PART_DIR}/util.cpp
  ${AMBLIB_PART_DIR}/strings.cpp
  ${AMBLIB_PART_DIR}/files.cpp
  ${AMBLIB_PART_DIR}/dos.cpp
  ${AMBLIB_PART_DIR}/arrays.cpp)
set_source_files_properties(${AMBLIB_UTIL_SOURCES} PROPERTIES
  INCLUDE_DIRECTORIES "${AMBLIB_PART_DIR};${CMAKE_SOURCE_DIR}/amblib/frame;${CMAKE_SOURCE_DIR}/platform/hostrt;${CMAKE_SOURCE_DIR}/platform/fw")
list(APPEND AMBLIB_SOURCES ${AMBLIB_UTIL_SOURCES})
list(APPEND AMBLIB_LIBS lz32 shell32 mpr)

# The frame of amblib (landing in steps): the pure cores and the library's
# own resources.
set(AMBLIB_FRAME_SOURCES
  ${AMBLIB_PART_DIR}/imagefile.cpp
  ${AMBLIB_PART_DIR}/picturerules.cpp
  ${AMBLIB_PART_DIR}/timing.cpp
  ${AMBLIB_PART_DIR}/amblib.rc)
set_source_files_properties(${AMBLIB_PART_DIR}/amblib.rc PROPERTIES INCLUDE_DIRECTORIES ${AMBLIB_PART_DIR})
list(APPEND AMBLIB_SOURCES ${AMBLIB_FRAME_SOURCES})

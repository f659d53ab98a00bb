# The frame of amblib: start-up, window classes and the control handshake,
# the exported-function frame, host strings, pictures, fonts, debugging and
# version functions, and the library's own resources. The pure cores
# (imagefile, picturerules, timing) have no windows.h: they are also
# tested natively and fuzzed.
set(AMBLIB_FRAME_CORE_SOURCES
  ${AMBLIB_PART_DIR}/imagefile.cpp
  ${AMBLIB_PART_DIR}/picturerules.cpp
  ${AMBLIB_PART_DIR}/timing.cpp)
set(AMBLIB_FRAME_WIN32_SOURCES
  ${AMBLIB_PART_DIR}/library.cpp
  ${AMBLIB_PART_DIR}/controlclass.cpp
  ${AMBLIB_PART_DIR}/frame.cpp
  ${AMBLIB_PART_DIR}/hoststring.cpp
  ${AMBLIB_PART_DIR}/picture.cpp
  ${AMBLIB_PART_DIR}/font.cpp
  ${AMBLIB_PART_DIR}/debug.cpp
  ${AMBLIB_PART_DIR}/version.cpp)
set_source_files_properties(${AMBLIB_FRAME_WIN32_SOURCES} PROPERTIES
  INCLUDE_DIRECTORIES "${AMBLIB_PART_DIR};${CMAKE_SOURCE_DIR}/platform/hostrt")
set_source_files_properties(${AMBLIB_PART_DIR}/amblib.rc PROPERTIES INCLUDE_DIRECTORIES ${AMBLIB_PART_DIR})
list(APPEND AMBLIB_SOURCES ${AMBLIB_FRAME_CORE_SOURCES} ${AMBLIB_FRAME_WIN32_SOURCES} ${AMBLIB_PART_DIR}/amblib.rc)
list(APPEND AMBLIB_LIBS fw version)
list(APPEND AMBLIB_EXPORT_FRAGMENTS ${AMBLIB_PART_DIR}/frame.exports)

# The frame of amblib: start-up, window classes and the control handshake,
# the exported-function frame, host strings, pictures, fonts, debugging and
# version functions, and the library's own resources.
#
# The resources are always built. The code needs the host runtime's window,
# dialog and resource calls; until hostrt exports them the code is left out
# (the pure cores are still tested natively), so that amblib.dll keeps
# loading and exporting exactly its list meanwhile.
set(AMBLIB_FRAME_CORE_SOURCES
  ${AMBLIB_PART_DIR}/imagefile.cpp
  ${AMBLIB_PART_DIR}/picturerules.cpp
  ${AMBLIB_PART_DIR}/timing.cpp)
set(AMBLIB_FRAME_SOURCES ${AMBLIB_PART_DIR}/amblib.rc)
set_source_files_properties(${AMBLIB_PART_DIR}/amblib.rc PROPERTIES INCLUDE_DIRECTORIES ${AMBLIB_PART_DIR})

file(READ ${CMAKE_SOURCE_DIR}/platform/hostrt/hostrt.def AMBLIB_HOSTRT_DEF)
set(AMBLIB_FRAME_READY ON)
foreach(call HostHalt HostPrepareDialog HostContextText HostGetResourceData)
  if(NOT AMBLIB_HOSTRT_DEF MATCHES "${call}")
    set(AMBLIB_FRAME_READY OFF)
  endif()
endforeach()

if(AMBLIB_FRAME_READY)
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
  list(APPEND AMBLIB_FRAME_SOURCES ${AMBLIB_FRAME_CORE_SOURCES} ${AMBLIB_FRAME_WIN32_SOURCES})
  list(APPEND AMBLIB_LIBS fw version)
  list(APPEND AMBLIB_EXPORT_FRAGMENTS ${AMBLIB_PART_DIR}/frame.exports)
else()
  list(APPEND AMBLIB_FRAME_SOURCES ${AMBLIB_PART_DIR}/dllmain.cpp)
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/hostrt/hostrt.def)
list(APPEND AMBLIB_SOURCES ${AMBLIB_FRAME_SOURCES})

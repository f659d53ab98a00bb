# Helpers every component uses, so that each folder's CMakeLists.txt only
# names its sources, its .def file and what it links.

# Everything links its runtimes statically: a DLL must depend on system DLLs
# and on our own DLLs only (-static also pulls in winpthread).
set(AMB_STATIC_LINK -static -static-libgcc -static-libstdc++)

# amb_add_dll(<name> DEF <file.def> SOURCES ... [LIBS ...] [DESCRIPTION text])
# Builds <name>.dll (exact file name) with a version resource.
function(amb_add_dll name)
  cmake_parse_arguments(A "" "DEF;DESCRIPTION" "SOURCES;LIBS" ${ARGN})
  if(NOT A_DESCRIPTION)
    set(A_DESCRIPTION "${name}")
  endif()
  set(AMB_FILE_NAME "${name}.dll")
  set(AMB_FILE_DESCRIPTION "${A_DESCRIPTION}")
  set(AMB_FILE_TYPE "VFT_DLL")
  configure_file(${AMB_CMAKE_DIR}/version.rc.in ${CMAKE_CURRENT_BINARY_DIR}/${name}_version.rc @ONLY)
  add_library(${name} SHARED ${A_SOURCES} ${A_DEF} ${CMAKE_CURRENT_BINARY_DIR}/${name}_version.rc)
  set_target_properties(${name} PROPERTIES PREFIX "" IMPORT_PREFIX "" IMPORT_SUFFIX ".dll.a")
  target_link_libraries(${name} PRIVATE ${A_LIBS})
  target_link_options(${name} PRIVATE ${AMB_STATIC_LINK})
  # The linker's own import library names __stdcall functions without
  # their decoration; remake it so C++ callers can link against the DLL.
  add_custom_command(TARGET ${name} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -DDEF=${A_DEF} -DOUT=${CMAKE_CURRENT_BINARY_DIR}/${name}_implib.def -P ${AMB_CMAKE_DIR}/implib.cmake
    COMMAND ${AMB_DLLTOOL} --input-def ${CMAKE_CURRENT_BINARY_DIR}/${name}_implib.def --dllname ${name}.dll
            --output-lib $<TARGET_LINKER_FILE:${name}> -k
    VERBATIM)
endfunction()

# amb_add_exe(<name> SOURCES ... [LIBS ...] [GUI] [DESCRIPTION text])
function(amb_add_exe name)
  cmake_parse_arguments(A "GUI" "DESCRIPTION" "SOURCES;LIBS" ${ARGN})
  if(NOT A_DESCRIPTION)
    set(A_DESCRIPTION "${name}")
  endif()
  set(AMB_FILE_NAME "${name}.exe")
  set(AMB_FILE_DESCRIPTION "${A_DESCRIPTION}")
  set(AMB_FILE_TYPE "VFT_APP")
  configure_file(${AMB_CMAKE_DIR}/version.rc.in ${CMAKE_CURRENT_BINARY_DIR}/${name}_version.rc @ONLY)
  add_executable(${name} ${A_SOURCES} ${CMAKE_CURRENT_BINARY_DIR}/${name}_version.rc)
  target_link_libraries(${name} PRIVATE ${A_LIBS})
  target_link_options(${name} PRIVATE ${AMB_STATIC_LINK})
  if(A_GUI)
    target_link_options(${name} PRIVATE -mwindows)
  endif()
endfunction()

# amb_import_lib(<target> DEF <file.def> DLL <file.dll>)
# An import library made by dlltool from a .def whose entries are NONAME
# ordinals: linking against it makes the importer bind by ordinal.
function(amb_import_lib target)
  cmake_parse_arguments(A "" "DEF;DLL" "" ${ARGN})
  set(out ${CMAKE_CURRENT_BINARY_DIR}/lib${target}.a)
  add_custom_command(OUTPUT ${out}
    COMMAND ${AMB_DLLTOOL} --input-def ${A_DEF} --dllname ${A_DLL} --output-lib ${out} -k
    DEPENDS ${A_DEF} VERBATIM)
  add_custom_target(${target}_gen DEPENDS ${out})
  add_library(${target} INTERFACE)
  add_dependencies(${target} ${target}_gen)
  target_link_libraries(${target} INTERFACE ${out})
endfunction()

# amb_add_test(<name> SOURCES ... [LIBS ...] [TIMEOUT seconds])
# One GoogleTest executable, run by CTest under Wine. Every test has a
# timeout: a modal box nobody answers must fail the run, not hang it.
function(amb_add_test name)
  cmake_parse_arguments(A "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT A_TIMEOUT)
    set(A_TIMEOUT 180)
  endif()
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_LIBS} testsupport gtest_main)
  target_link_options(${name} PRIVATE ${AMB_STATIC_LINK})
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1 WORKING_DIRECTORY ${AMB_BIN_DIR})
  set_tests_properties(${name} PROPERTIES TIMEOUT ${A_TIMEOUT})
  add_dependencies(all_tests ${name})
endfunction()

# amb_add_bench(<name> SOURCES ... [LIBS ...])
# Benchmarks report ratios against a peer measured in the same run; `make
# bench` runs them all and never fails on their numbers.
function(amb_add_bench name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} EXCLUDE_FROM_ALL ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_LIBS})
  target_link_options(${name} PRIVATE ${AMB_STATIC_LINK})
  set_property(GLOBAL APPEND PROPERTY AMB_BENCHES ${name})
endfunction()

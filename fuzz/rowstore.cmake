# The table window's row store against a plain model (random operation sequences).
file(GLOB AMB_ROWSTORE_SOURCES ${AMB_SRC}/gridwin/rowstore/*.cpp)
amb_add_fuzzer(fuzz_rowstore SOURCES rowstore_fuzz.cpp ${AMB_ROWSTORE_SOURCES}
  INCLUDES ${AMB_SRC}/gridwin/rowstore ${AMB_SRC}/tests/gridwin_rowstore)

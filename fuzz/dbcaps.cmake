amb_add_fuzzer(fuzz_dbcaps SOURCES dbcaps_fuzz.cpp
  ${AMB_SRC}/dbcaps/core/brands.cpp ${AMB_SRC}/dbcaps/core/coltypes.cpp ${AMB_SRC}/dbcaps/core/paramlists.cpp
  ${AMB_SRC}/dbcaps/core/detect.cpp ${AMB_SRC}/dbcaps/core/profile.cpp
  INCLUDES ${AMB_SRC}/dbcaps)

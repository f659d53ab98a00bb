amb_add_fuzzer(fuzz_strcore SOURCES strcore_fuzz.cpp ${AMB_SRC}/amblib/util/strcore.cpp INCLUDES ${AMB_SRC}/amblib/util)

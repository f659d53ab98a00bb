amb_add_fuzzer(fuzz_filecore SOURCES filecore_fuzz.cpp ${AMB_SRC}/amblib/util/filecore.cpp INCLUDES ${AMB_SRC}/amblib/util)

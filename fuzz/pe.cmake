amb_add_fuzzer(fuzz_pe SOURCES pe_fuzz.cpp ${AMB_SRC}/tests/support/pe.cpp INCLUDES ${AMB_SRC}/tests/support)

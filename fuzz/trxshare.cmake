amb_add_fuzzer(fuzz_trxshare SOURCES trxshare_fuzz.cpp ${AMB_SRC}/trxshare/names.cpp ${AMB_SRC}/trxshare/sqltext.cpp
  INCLUDES ${AMB_SRC}/trxshare)

amb_add_fuzzer(fuzz_dbclient SOURCES dbclient_fuzz.cpp ${AMB_SRC}/platform/dbclient/catalog.cpp
  ${AMB_SRC}/platform/dbclient/connecttext.cpp ${AMB_SRC}/platform/dbclient/errors.cpp
  INCLUDES ${AMB_SRC}/platform/dbclient)

# The archive loaders of the framework core, fed arbitrary bytes.
set(FW_DIR ${AMB_SRC}/platform/fw)
amb_add_fuzzer(fuzz_archive
  SOURCES archive_fuzz.cpp ${AMB_SRC}/tests/fw/records.cpp
    ${FW_DIR}/fwarchive.cpp ${FW_DIR}/fwcoll.cpp ${FW_DIR}/fwexcept.cpp ${FW_DIR}/fwfile.cpp
    ${FW_DIR}/fwobject.cpp ${FW_DIR}/fwstring.cpp
  INCLUDES ${FW_DIR} ${AMB_SRC}/tests/fw)

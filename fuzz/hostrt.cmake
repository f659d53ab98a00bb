amb_add_fuzzer(fuzz_hostrt SOURCES hostrt_fuzz.cpp
  ${AMB_SRC}/platform/hostrt/core/decimal.cpp ${AMB_SRC}/platform/hostrt/core/datetime.cpp
  ${AMB_SRC}/platform/hostrt/core/textmatch.cpp ${AMB_SRC}/platform/hostrt/core/outline.cpp
  INCLUDES ${AMB_SRC}/platform/hostrt)

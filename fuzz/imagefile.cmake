amb_add_fuzzer(fuzz_imagefile SOURCES imagefile_fuzz.cpp ${AMB_SRC}/amblib/frame/imagefile.cpp
  ${AMB_SRC}/amblib/frame/picturerules.cpp INCLUDES ${AMB_SRC}/amblib/frame)

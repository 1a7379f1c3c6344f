# Fuzz tree (clang): one libFuzzer target per tests/fuzz/*_fuzz.cpp, over the sanitized core.
# `make test` runs each briefly from its seed corpus; `make fuzz` runs them longer.
set(FUZZ_FLAGS -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
set(FUZZ_RUNS 20000 CACHE STRING "Inputs each fuzz target tries during make test")

torvik_portable_layers(_fuzz -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)

file(GLOB FUZZ_SOURCES CONFIGURE_DEPENDS tests/fuzz/*_fuzz.cpp)
foreach(source ${FUZZ_SOURCES})
  get_filename_component(name ${source} NAME_WE)
  add_executable(${name} ${source})
  target_compile_options(${name} PRIVATE ${FUZZ_FLAGS})
  target_link_options(${name} PRIVATE ${FUZZ_FLAGS})
  target_link_libraries(${name} PRIVATE torvik_core_fuzz)
  set(corpus ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/${name})
  set(work ${CMAKE_BINARY_DIR}/corpus/${name})
  # Work on a copy of the seeds so that a run never writes into the source tree.
  add_test(NAME fuzz.${name}
           COMMAND sh -c "rm -rf '${work}' && mkdir -p '${work}' && (cp -r '${corpus}/.' '${work}/' 2>/dev/null || true) && exec \"$0\" -runs=${FUZZ_RUNS} -max_len=32768 '${work}'"
                   $<TARGET_FILE:${name}>)
endforeach()

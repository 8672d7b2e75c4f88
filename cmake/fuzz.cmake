# Fuzz build: every fuzz/*.cpp is one libFuzzer target, the core on the
# simulated desktop, run as the unit tests run it.
file(GLOB NOOKSHADE_FUZZ_TARGETS CONFIGURE_DEPENDS fuzz/*.cpp)
foreach(source ${NOOKSHADE_FUZZ_TARGETS})
  get_filename_component(name ${source} NAME_WE)
  add_executable(fuzz_${name} ${source})
  target_link_libraries(fuzz_${name} PRIVATE nookshade_sim)
  target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
endforeach()

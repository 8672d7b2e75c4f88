# Native build: the core against the simulated desktop, with the test suite.
enable_testing()
find_package(GTest REQUIRED)
file(GLOB NOOKSHADE_UNIT_TESTS CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(nookshade_tests ${NOOKSHADE_UNIT_TESTS})
target_link_libraries(nookshade_tests PRIVATE nookshade_sim GTest::gtest GTest::gtest_main)
include(GoogleTest)
gtest_discover_tests(nookshade_tests DISCOVERY_MODE PRE_TEST)

if(NOOKSHADE_BENCH)
  add_subdirectory(bench)
endif()

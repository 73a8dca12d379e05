# Native (Linux) build: the portable library and its GoogleTest suite.
if(TESSORA_FUZZ)
  add_subdirectory(tests/fuzz)
  return()
endif()

find_package(GTest REQUIRED)
find_package(Threads REQUIRED)
include(GoogleTest)

file(GLOB TESSORA_NATIVE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*.cpp)
add_executable(tessora_native_tests ${TESSORA_NATIVE_TESTS})
target_link_libraries(tessora_native_tests PRIVATE tessora_portable GTest::gtest GTest::gtest_main Threads::Threads)
target_include_directories(tessora_native_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/native)
target_compile_options(tessora_native_tests PRIVATE ${TESSORA_WARNINGS})
target_compile_definitions(tessora_native_tests PRIVATE TESSORA_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data")
gtest_discover_tests(tessora_native_tests DISCOVERY_TIMEOUT 60)

if(TESSORA_BENCH)
  add_subdirectory(bench)
endif()

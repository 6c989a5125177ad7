# Native unit tests: every tests/native/*.cpp goes into one GoogleTest program,
# linked with the portable core and a recording fake of the driver library.
find_package(GTest REQUIRED)
include(GoogleTest)
file(GLOB NATIVE_TEST_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/native/*.cpp)
file(GLOB TEST_SUPPORT_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/support/*.cpp)
add_executable(native_tests ${NATIVE_TEST_SOURCES} ${TEST_SUPPORT_SOURCES})
target_include_directories(native_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(native_tests PRIVATE tessaro_core vxlib_core GTest::gtest GTest::gtest_main GTest::gmock pkgtool_lib)
target_compile_definitions(native_tests PRIVATE
  TESSARO_PACKAGE_DIR="${TESSARO_PACKAGE_DIR}"
  TESSARO_DATA_DIR="${TESSARO_DATA_DIR}"
  TESSARO_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
  PKGTOOL_PATH="$<TARGET_FILE:pkgtool>")
if(TARGET packages)
  add_dependencies(native_tests packages)
endif()
tessaro_warnings(native_tests)
gtest_discover_tests(native_tests DISCOVERY_TIMEOUT 60 PROPERTIES LABELS native)

# Data checks written in Python (standard library only).
file(GLOB DATA_CHECKS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tools/check_*.py)
foreach(check ${DATA_CHECKS})
  get_filename_component(name ${check} NAME_WE)
  add_test(NAME data_${name} COMMAND python3 ${check} WORKING_DIRECTORY ${PROJECT_SOURCE_DIR})
  set_tests_properties(data_${name} PROPERTIES LABELS native)
endforeach()

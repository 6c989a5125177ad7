# Native (Linux) build: portable core, package tool, packages, tests.

if(TESSARO_TSAN)
  add_compile_options(-fsanitize=thread -g -O1)
  add_link_options(-fsanitize=thread)
elseif(TESSARO_FUZZ)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -g -O1)
  add_link_options(-fsanitize=address,undefined)
elseif(TESSARO_SANITIZE AND NOT TESSARO_BENCH)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer -g)
  add_link_options(-fsanitize=address,undefined)
endif()

# The driver library's portable half (trigger table, hex conversion).
add_library(vxlib_core STATIC ${VXLIB_PORTABLE_SOURCES})
target_include_directories(vxlib_core PUBLIC ${VXLIB_INCLUDE_DIRS})
target_link_libraries(vxlib_core PUBLIC nlohmann_json_headers)
tessaro_warnings(vxlib_core)

# The program's portable core. It calls the driver library's C interface;
# tests link a recording fake of it (tests/support).
add_library(tessaro_core STATIC ${TESSARO_PORTABLE_SOURCES} ${TESSARO_POSIX_SOURCES})
target_include_directories(tessaro_core PUBLIC ${TESSARO_INCLUDE_DIRS})
target_link_libraries(tessaro_core PUBLIC nlohmann_json_headers minizip_unzip Threads::Threads)
tessaro_warnings(tessaro_core)

include(cmake/Packages.cmake)

if(BUILD_TESTING AND NOT TESSARO_FUZZ AND NOT TESSARO_BENCH)
  include(cmake/NativeTests.cmake)
endif()
if(TESSARO_FUZZ)
  file(GLOB FUZZ_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/fuzz/*.cpp)
  set(FUZZ_SUPPORT_SOURCES ${PROJECT_SOURCE_DIR}/tests/support/fake_vxlib.cpp
      ${PROJECT_SOURCE_DIR}/tests/support/settings_sandbox.cpp ${PROJECT_SOURCE_DIR}/tests/support/recording_views.cpp)
  foreach(src ${FUZZ_SOURCES})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src} ${FUZZ_SUPPORT_SOURCES})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(${name} PRIVATE tessaro_core vxlib_core)
  endforeach()
endif()
if(TESSARO_BENCH)
  find_package(benchmark REQUIRED)
  file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/bench/*.cpp)
  foreach(src ${BENCH_SOURCES})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src} ${PROJECT_SOURCE_DIR}/tests/support/fake_vxlib.cpp)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(${name} PRIVATE tessaro_core vxlib_core pkgtool_lib benchmark::benchmark)
    target_compile_definitions(${name} PRIVATE TESSARO_PACKAGE_DIR="${TESSARO_PACKAGE_DIR}"
                               TESSARO_DATA_DIR="${TESSARO_DATA_DIR}")
  endforeach()
endif()

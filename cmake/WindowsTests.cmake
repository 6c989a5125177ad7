# Tests of the Windows side, run through Wine (see the toolchain file).
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Every tests/wine/*_test.cpp is one test program, so a window test and a
# resource test do not share process state. They carry the embedded data
# like Tessaro.exe does.
file(GLOB WINE_TEST_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/wine/*_test.cpp)
file(GLOB WINE_SUPPORT_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/wine/support/*.cpp)
foreach(src ${WINE_TEST_SOURCES})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src} ${WINE_SUPPORT_SOURCES} ${TESSARO_RESOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  # The library's own tests load its test build, with the operations made
  # for them; the others the program and the shipped library.
  if(name MATCHES "^vxlib_")
    target_include_directories(${name} PRIVATE ${TESSARO_INCLUDE_DIRS})
    target_link_libraries(${name} PRIVATE VXLIB_test nlohmann_json_headers gtest gtest_main ${TESSARO_WIN_LIBS})
  else()
    target_link_libraries(${name} PRIVATE tessaro_win gtest gtest_main)
  endif()
  target_compile_definitions(${name} PRIVATE TESSARO_DATA_DIR="${TESSARO_DATA_DIR}")
  tessaro_warnings(${name})
  # One ctest entry per program: each Wine start costs a second or more, so
  # listing the cases first would double the starts. The runner lists the
  # skipped cases and reports a program whose cases all skipped as skipped.
  add_test(NAME wine_${name} COMMAND bash ${PROJECT_SOURCE_DIR}/tests/wine/run_test_program.sh
           ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:${name}>)
  set_tests_properties(wine_${name} PROPERTIES LABELS wine RUN_SERIAL TRUE TIMEOUT 600 SKIP_RETURN_CODE 77)
endforeach()

# End-to-end scripts drive the real Tessaro.exe under Wine on a virtual
# display (xdotool, import); they find the build through TESSARO_BUILD. A
# script that needs longer than 300 seconds says so in a line
# "# e2e-timeout: SECONDS".
file(GLOB E2E_SCRIPTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/e2e/*.sh)
foreach(script ${E2E_SCRIPTS})
  get_filename_component(name ${script} NAME_WE)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${script})
  file(STRINGS ${script} timeout_line REGEX "^# e2e-timeout: [0-9]+$" LIMIT_COUNT 1)
  set(timeout 300)
  if(timeout_line)
    string(REGEX REPLACE "^# e2e-timeout: " "" timeout "${timeout_line}")
  endif()
  add_test(NAME e2e_${name} COMMAND bash ${script})
  set_tests_properties(e2e_${name} PROPERTIES LABELS e2e RUN_SERIAL TRUE TIMEOUT ${timeout}
    ENVIRONMENT "TESSARO_BUILD=${CMAKE_BINARY_DIR};TESSARO_SOURCE=${PROJECT_SOURCE_DIR}")
endforeach()

# Small Windows programs that the end-to-end scripts start beside Tessaro,
# found by the scripts in TESSARO_BUILD.
file(GLOB E2E_PROGRAMS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/e2e/programs/*.cpp)
foreach(src ${E2E_PROGRAMS})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src)
  target_link_options(${name} PRIVATE -municode)
  tessaro_warnings(${name})
endforeach()

# Windows x64 build: VXLIB.dll, Tessaro.exe and the Wine-run tests.

# Static C and C++ runtimes (and winpthread): the two files run on a clean
# Windows without extra DLLs.
add_link_options(-static -static-libgcc -static-libstdc++)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00)

set(TESSARO_PACKAGE_DIR "" CACHE PATH "Folder with skin.pkg, model.pkg and function.pkg (native build output)")
foreach(pkg ${TESSARO_PACKAGES})
  if(NOT EXISTS ${TESSARO_PACKAGE_DIR}/${pkg}.pkg)
    message(FATAL_ERROR "${pkg}.pkg not found in TESSARO_PACKAGE_DIR='${TESSARO_PACKAGE_DIR}'; build natively first (scripts/build.sh does both)")
  endif()
endforeach()

set(TESSARO_WIN_LIBS gdiplus gdi32 user32 kernel32 ole32 oleaut32 uuid shlwapi shell32
    comctl32 ws2_32 advapi32 msimg32 uxtheme)

# The driver library, compiled once for the shipped VXLIB.dll and for its
# test build.
add_library(vxlib_objects OBJECT ${VXLIB_PORTABLE_SOURCES} ${VXLIB_WIN_SOURCES})
target_compile_definitions(vxlib_objects PRIVATE VXLIB_BUILD)
target_include_directories(vxlib_objects PRIVATE ${VXLIB_INCLUDE_DIRS})
target_link_libraries(vxlib_objects PRIVATE nlohmann_json_headers)
tessaro_warnings(vxlib_objects)

add_library(VXLIB SHARED $<TARGET_OBJECTS:vxlib_objects>)
set_target_properties(VXLIB PROPERTIES PREFIX "" OUTPUT_NAME VXLIB)
target_include_directories(VXLIB PUBLIC ${VXLIB_INCLUDE_DIRS})
target_link_libraries(VXLIB PRIVATE ${TESSARO_WIN_LIBS})

# VXLIB_test.dll: the same library with operations for its tests
# (vxlib/testing/), which only the library's Wine tests load; the shipped
# VXLIB.dll exports the twenty operations and nothing else.
if(BUILD_TESTING)
  add_library(VXLIB_test SHARED $<TARGET_OBJECTS:vxlib_objects> ${PROJECT_SOURCE_DIR}/vxlib/testing/test_hooks_win.cpp)
  set_target_properties(VXLIB_test PROPERTIES PREFIX "" OUTPUT_NAME VXLIB_test)
  target_compile_definitions(VXLIB_test PRIVATE VXLIB_BUILD)
  target_include_directories(VXLIB_test PUBLIC ${VXLIB_INCLUDE_DIRS})
  target_link_libraries(VXLIB_test PRIVATE ${TESSARO_WIN_LIBS})
  tessaro_warnings(VXLIB_test)
endif()

# Everything of the program but its entry point, so tests can link it.
add_library(tessaro_win STATIC ${TESSARO_PORTABLE_SOURCES} ${TESSARO_WIN_SOURCES})
target_include_directories(tessaro_win PUBLIC ${TESSARO_INCLUDE_DIRS})
target_link_libraries(tessaro_win PUBLIC VXLIB nlohmann_json_headers minizip_unzip ${TESSARO_WIN_LIBS})
tessaro_warnings(tessaro_win)
# The two libraries compile in batches of files (a unity build): mingw-w64
# spends most of a file's compile parsing the system and JSON headers, and
# the first run builds both before its window shows. Configure with
# -DTESSARO_UNITY_BUILD=OFF to check that each file includes what it uses.
option(TESSARO_UNITY_BUILD "Compile the Windows libraries in batches of files" ON)
set_target_properties(vxlib_objects tessaro_win PROPERTIES UNITY_BUILD ${TESSARO_UNITY_BUILD})
# Test builds end a program whose GDI+ session ends with GDI+ objects still
# alive (gdiplus_ptr_win.h): Windows crashes on them at exit, Wine does not.
if(BUILD_TESTING)
  target_compile_definitions(tessaro_win PUBLIC TESSARO_CHECK_GDIPLUS_LIFETIMES)
endif()

# Resource scripts: the embedded data (configured with the package paths)
# and every src/**/*_win.rc.
set(TESSARO_KEYCODES ${TESSARO_DATA_DIR}/keycodes.txt)
set(TESSARO_LANGUAGE ${TESSARO_DATA_DIR}/language.json)
configure_file(${PROJECT_SOURCE_DIR}/src/shell/embedded_data.rc.in ${CMAKE_BINARY_DIR}/embedded_data.rc @ONLY)
file(GLOB_RECURSE TESSARO_RC_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/*_win.rc)
set(TESSARO_RESOURCES ${CMAKE_BINARY_DIR}/embedded_data.rc ${TESSARO_RC_FILES})
set_source_files_properties(${CMAKE_BINARY_DIR}/embedded_data.rc PROPERTIES
  OBJECT_DEPENDS "${TESSARO_PACKAGE_DIR}/skin.pkg;${TESSARO_PACKAGE_DIR}/model.pkg;${TESSARO_PACKAGE_DIR}/function.pkg;${TESSARO_KEYCODES};${TESSARO_LANGUAGE}")

add_executable(Tessaro WIN32 ${PROJECT_SOURCE_DIR}/src/shell/main_win.cpp ${TESSARO_RESOURCES})
# Sections at page boundaries in the file too: the loader can then map them
# straight from the file instead of reading the whole image, megabytes of
# embedded packages included, into private memory (Wine does so).
target_link_options(Tessaro PRIVATE -municode -Wl,--file-alignment,4096)
target_link_libraries(Tessaro PRIVATE tessaro_win)
tessaro_warnings(Tessaro)

if(BUILD_TESTING)
  include(cmake/WindowsTests.cmake)
endif()

# vxctl.exe: command-line client of the driver library simulation's
# control channel (docs/VXLIB_SIMULATION.md).
add_executable(vxctl ${PROJECT_SOURCE_DIR}/tools/vxctl/main_win.cpp)
target_include_directories(vxctl PRIVATE ${TESSARO_INCLUDE_DIRS})
target_link_options(vxctl PRIVATE -municode)
target_link_libraries(vxctl PRIVATE nlohmann_json_headers)
tessaro_warnings(vxctl)

# ---- Windows benchmarks -----------------------------------------------------
# Plain timing programs for what only runs on Windows (GDI+ drawing); Google
# Benchmark is not built for mingw. They live in bench/windows/ so the
# native benchmark build, which takes bench/*.cpp, never sees them. They
# carry the embedded data like Tessaro.exe. Run them through Wine:
#   scripts/wine-run.sh build/windows/panel_repaint_win.exe
if(TESSARO_BENCH)
  file(GLOB WINDOWS_BENCH_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/bench/windows/*_win.cpp)
  list(FILTER WINDOWS_BENCH_SOURCES EXCLUDE REGEX "/(minimal_window|hook_cost)_win\\.cpp$")
  foreach(src ${WINDOWS_BENCH_SOURCES})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src} ${TESSARO_RESOURCES})
    target_link_libraries(${name} PRIVATE tessaro_win)
    tessaro_warnings(${name})
  endforeach()

  # The yardstick of bench/footprint.sh: a bare window program, without
  # the program's code or data.
  add_executable(minimal_window_win WIN32 ${PROJECT_SOURCE_DIR}/bench/windows/minimal_window_win.cpp)
  target_link_options(minimal_window_win PRIVATE -municode)
  tessaro_warnings(minimal_window_win)
endif()

# ---- Hook cost benchmark ----------------------------------------------------
# bench/windows/hook_cost_win.cpp: the mouse hook's decision per event against an
# empty one (docs/BENCHMARKS.md, "Hook cost"). It builds the hook's
# portable decision sources into itself. Run it through Wine:
#   scripts/wine-run.sh build/windows/hook_cost_win.exe
if(TESSARO_BENCH)
  add_executable(hook_cost_win ${PROJECT_SOURCE_DIR}/bench/windows/hook_cost_win.cpp
    ${PROJECT_SOURCE_DIR}/vxlib/hook_decision.cpp ${PROJECT_SOURCE_DIR}/vxlib/press_pairing.cpp
    ${PROJECT_SOURCE_DIR}/vxlib/button_triggers.cpp ${PROJECT_SOURCE_DIR}/vxlib/trigger_table.cpp
    ${PROJECT_SOURCE_DIR}/vxlib/trigger_snapshot.cpp ${PROJECT_SOURCE_DIR}/vxlib/device_items.cpp
    ${PROJECT_SOURCE_DIR}/vxlib/app_profiles.cpp ${PROJECT_SOURCE_DIR}/vxlib/profile_tables.cpp
    ${PROJECT_SOURCE_DIR}/vxlib/program_cache.cpp ${PROJECT_SOURCE_DIR}/vxlib/system_foreground_win.cpp)
  target_include_directories(hook_cost_win PRIVATE ${TESSARO_INCLUDE_DIRS})
  tessaro_warnings(hook_cost_win)
endif()

# The package tool and the three packages it builds from data/.
file(GLOB PKGTOOL_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tools/pkgtool/*.cpp)
if(NOT PKGTOOL_SOURCES)
  return()
endif()
list(FILTER PKGTOOL_SOURCES EXCLUDE REGEX "/main\\.cpp$")
# The writer is a library too, so tests and benchmarks can make packages.
# It encrypts with the program's own cipher.
add_library(pkgtool_lib STATIC ${PKGTOOL_SOURCES} ${PROJECT_SOURCE_DIR}/src/catalog/pkzip_cipher.cpp)
target_include_directories(pkgtool_lib PUBLIC ${TESSARO_INCLUDE_DIRS})
target_link_libraries(pkgtool_lib PUBLIC minizip_unzip)
tessaro_warnings(pkgtool_lib)
add_executable(pkgtool ${PROJECT_SOURCE_DIR}/tools/pkgtool/main.cpp)
target_link_libraries(pkgtool PRIVATE pkgtool_lib)
tessaro_warnings(pkgtool)

set(TESSARO_PACKAGE_DIR ${CMAKE_BINARY_DIR}/packages)
set(TESSARO_PACKAGE_FILES)
foreach(pkg ${TESSARO_PACKAGES})
  file(GLOB_RECURSE pkg_inputs CONFIGURE_DEPENDS ${TESSARO_DATA_DIR}/${pkg}/*)
  set(out ${TESSARO_PACKAGE_DIR}/${pkg}.pkg)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TESSARO_PACKAGE_DIR}
    COMMAND pkgtool ${TESSARO_DATA_DIR}/${pkg}/manifest.txt ${TESSARO_DATA_DIR}/${pkg} ${out}
    DEPENDS pkgtool ${pkg_inputs}
    COMMENT "Packing ${pkg}.pkg")
  list(APPEND TESSARO_PACKAGE_FILES ${out})
endforeach()
add_custom_target(packages ALL DEPENDS ${TESSARO_PACKAGE_FILES})

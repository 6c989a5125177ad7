# Third-party code comes from Debian packages, never from the repo.

# nlohmann JSON (header-only). The Windows build must not see the rest of
# /usr/include, so it gets a folder that holds only a link to nlohmann/.
set(NLOHMANN_HOST_DIR /usr/include/nlohmann)
if(NOT EXISTS ${NLOHMANN_HOST_DIR}/json.hpp)
  message(FATAL_ERROR "nlohmann JSON missing: run scripts/setup.sh")
endif()
set(NLOHMANN_ONLY_DIR ${CMAKE_BINARY_DIR}/nlohmann-only)
file(MAKE_DIRECTORY ${NLOHMANN_ONLY_DIR})
file(CREATE_LINK ${NLOHMANN_HOST_DIR} ${NLOHMANN_ONLY_DIR}/nlohmann SYMBOLIC)
add_library(nlohmann_json_headers INTERFACE)
target_include_directories(nlohmann_json_headers SYSTEM INTERFACE ${NLOHMANN_ONLY_DIR})

# minizip's unzip part over zlib.
if(WIN32)
  # Compiled from Debian's zlib source package, fetched by scripts/setup.sh.
  set(TESSARO_ZLIB_SOURCE ${PROJECT_SOURCE_DIR}/build/third_party/zlib CACHE PATH "Debian zlib source tree")
  set(MINIZIP_DIR ${TESSARO_ZLIB_SOURCE}/contrib/minizip)
  if(NOT EXISTS ${MINIZIP_DIR}/unzip.c)
    message(FATAL_ERROR "minizip source missing at ${MINIZIP_DIR}: run scripts/setup.sh")
  endif()
  add_library(minizip_unzip STATIC ${MINIZIP_DIR}/unzip.c ${MINIZIP_DIR}/ioapi.c)
  target_include_directories(minizip_unzip SYSTEM PUBLIC ${MINIZIP_DIR})
  target_compile_options(minizip_unzip PRIVATE -w)
  target_link_libraries(minizip_unzip PUBLIC z)
else()
  find_path(MINIZIP_INCLUDE_DIR unzip.h PATH_SUFFIXES minizip REQUIRED)
  find_library(MINIZIP_LIBRARY minizip REQUIRED)
  find_package(ZLIB REQUIRED)
  add_library(minizip_unzip INTERFACE)
  target_include_directories(minizip_unzip SYSTEM INTERFACE ${MINIZIP_INCLUDE_DIR})
  target_link_libraries(minizip_unzip INTERFACE ${MINIZIP_LIBRARY} ZLIB::ZLIB)
endif()

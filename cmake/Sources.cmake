# Source sets by convention, so that adding a file needs no edit here:
#   src/<area>/*.cpp            portable core (both builds)
#   src/<area>/*_win.cpp        Windows-only part of the program
#   src/shell/main_win.cpp      the program's entry point
#   vxlib/*.cpp, vxlib/*_win.cpp  the driver library, same split
#   src/<area>/*_posix.cpp      native stand-ins for what *_win.cpp does on Windows
#                               (message boxes, resources): built natively only
file(GLOB_RECURSE TESSARO_ALL_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/*.cpp)
set(TESSARO_PORTABLE_SOURCES ${TESSARO_ALL_SOURCES})
list(FILTER TESSARO_PORTABLE_SOURCES EXCLUDE REGEX "_(win|posix)\\.cpp$")
set(TESSARO_POSIX_SOURCES ${TESSARO_ALL_SOURCES})
list(FILTER TESSARO_POSIX_SOURCES INCLUDE REGEX "_posix\\.cpp$")
set(TESSARO_WIN_SOURCES ${TESSARO_ALL_SOURCES})
list(FILTER TESSARO_WIN_SOURCES INCLUDE REGEX "_win\\.cpp$")
list(FILTER TESSARO_WIN_SOURCES EXCLUDE REGEX "/main_win\\.cpp$")

file(GLOB VXLIB_ALL_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/vxlib/*.cpp)
set(VXLIB_PORTABLE_SOURCES ${VXLIB_ALL_SOURCES})
list(FILTER VXLIB_PORTABLE_SOURCES EXCLUDE REGEX "_win\\.cpp$")
set(VXLIB_WIN_SOURCES ${VXLIB_ALL_SOURCES})
list(FILTER VXLIB_WIN_SOURCES INCLUDE REGEX "_win\\.cpp$")

# The driver library sees only itself and its public headers; the program
# sees those headers too, never the library's insides beyond them.
set(VXLIB_PUBLIC_INCLUDE_DIR ${PROJECT_SOURCE_DIR}/vxlib/include)
set(VXLIB_INCLUDE_DIRS ${VXLIB_PUBLIC_INCLUDE_DIR} ${PROJECT_SOURCE_DIR})
set(TESSARO_INCLUDE_DIRS ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR} ${VXLIB_PUBLIC_INCLUDE_DIR})

# Packages and other embedded data, built by the native package tool.
set(TESSARO_DATA_DIR ${PROJECT_SOURCE_DIR}/data)
set(TESSARO_PACKAGES skin model function)

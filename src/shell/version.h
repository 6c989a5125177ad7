// The program's version: the version resource of Tessaro.exe, its
// manifest's identity and the version text the main window shows. It
// matches the project version in CMakeLists.txt, which names the release
// files; the release test compares the two.
#pragma once

#define TESSARO_VERSION_MAJOR 0
#define TESSARO_VERSION_MINOR 0
#define TESSARO_VERSION_PATCH 2
#define TESSARO_VERSION_BUILD 13
#define TESSARO_VERSION_TEXT "0.0.2.13"

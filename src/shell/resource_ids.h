// Resource ids of the application shell, shared by its resource script and
// its code.
#pragma once

#define IDD_TESSARO_DIALOG 102
#define IDS_SOCKETS_INIT_FAILED 103
#define IDR_MAINFRAME 128

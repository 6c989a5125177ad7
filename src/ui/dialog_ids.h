// Dialog template resource ids, shared by the resource scripts and the code.
#pragma once

#define IDD_KEY_INPUT 139
#define IDD_ITEM_LIST 140

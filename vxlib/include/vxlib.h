// The driver library's C interface: the records exchanged with VXLIB.dll and
// its twenty operations. Portable: it names no Windows type, so the native
// build compiles the program's core against it and tests link a fake.
//
// Rules of the boundary:
//  - plain C calling convention, records of fixed little-endian layout
//    (checked below), text as zero-terminated UTF-16 (char16_t, which is
//    wchar_t on Windows); no C++ type or exception crosses it;
//  - lifecycle: VX_SetCutCursor, VX_SetHinst, VX_InitLib(callback) once;
//    the library then reports events through the callback on the thread
//    that called VX_InitLib, from within that thread's message loop, first
//    kind 4 for the devices present; VX_Stop ends the work, VX_FreeLib
//    releases everything (no window of the library remains, and no thread
//    but one finishing a slow action, such as opening a network path,
//    which then ends by itself); neither waits for an action;
//  - a buffer returned by VX_MISC_LoadBinaryFromID comes from the process
//    heap (HeapAlloc of GetProcessHeap) and the caller frees it there.
//
// Beyond the twenty, the library keeps per-program profiles
// (VX_SetAppProfile below; docs/PROFILES.md): triggers that act instead of
// the ones VX_SetTriggerEvent installs while a given program owns the
// foreground window.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(_WIN32)
#if defined(VXLIB_BUILD)
#define VXAPI __declspec(dllexport)
#else
#define VXAPI __declspec(dllimport)
#endif
#else
#define VXAPI
#endif

// Records: plain data, identical in both compilers' layouts.

// One action: what the library performs for a button. 1032 bytes.
struct VX_FUNCTION_DEF {
  uint8_t type;  // action kind (docs/ACTIONS.md)
  uint8_t reserved[7];
  uint8_t press[256];    // bytes for the press, zero-filled
  uint8_t release[256];  // bytes for the release, zero-filled
  char16_t url[256];     // text argument, zero-terminated
};

// One trigger: a button event of one model and the action replacing it.
// 1064 bytes. The identity of a trigger is the ten fields named in
// SameTriggerIdentity (trigger_identity.h); slot, swap45 and the
// function do not count.
struct VX_TRIGGER_DEF {
  uint32_t hid_button;    // bit p for button p of a model whose type is not 254
  uint32_t mouse_button;  // the same bit for a model of type 254
  uint16_t model_id;
  uint16_t pid;
  uint16_t vid;
  uint16_t reserved1;
  uint32_t usb_vid;
  uint32_t usb_pid;
  uint16_t slot;
  uint8_t hid_num_down;
  uint8_t hid_num_up;
  uint8_t tilt_mask;  // 1 tilt left, 2 tilt right
  uint8_t swap45;
  uint16_t reserved2;
  VX_FUNCTION_DEF function;
};

// One model registered with the library at start. 20 bytes.
struct VX_FILTER_DEF {
  uint8_t type;
  uint8_t zero1;
  uint16_t model_id;
  uint16_t pid;
  uint16_t vid;
  uint32_t zero2;
  uint32_t usb_vid;
  uint32_t usb_pid;
};

// Release routine of a device, called with (handle, 0) at exit.
typedef void (*VX_RELEASE_ROUTINE)(uint32_t handle, int32_t reserved);

// One device as the library reports it: 1696 bytes, most of them the
// library's own. The program reads only the fields with accessors here.
struct VX_ITEM_DEF {
  uint8_t bytes[1696];

  static constexpr size_t kType = 0;
  static constexpr size_t kUnitIndex = 4;
  static constexpr size_t kVendorCode = 6;
  static constexpr size_t kSubId = 10;
  static constexpr size_t kUsbPid = 28;
  static constexpr size_t kUsbVid = 32;
  static constexpr size_t kHandle = 40;
  static constexpr size_t kUnitTable = 125;  // active flag of entry k at 125 + 20 k
  static constexpr size_t kUnitStride = 20;
  static constexpr size_t kUnitCount = 77;  // as many as fit before the release routine
  // The release routine is a code pointer: 8 bytes on x64, unaligned.
  static constexpr size_t kReleaseRoutine = 1668;

  uint32_t type() const { return Get<uint32_t>(kType); }
  uint8_t unit_index() const { return bytes[kUnitIndex]; }
  uint8_t vendor_code() const { return bytes[kVendorCode]; }
  uint8_t sub_id() const { return bytes[kSubId]; }
  uint32_t usb_pid() const { return Get<uint32_t>(kUsbPid); }
  uint32_t usb_vid() const { return Get<uint32_t>(kUsbVid); }
  uint32_t handle() const { return Get<uint32_t>(kHandle); }
  // Active flag of unit table entry k; entries beyond the table read as 0.
  uint8_t unit_active(size_t k) const { return k < kUnitCount ? bytes[kUnitTable + kUnitStride * k] : 0; }
  VX_RELEASE_ROUTINE release_routine() const { return Get<VX_RELEASE_ROUTINE>(kReleaseRoutine); }

  void set_type(uint32_t v) { Set(kType, v); }
  void set_unit_index(uint8_t v) { bytes[kUnitIndex] = v; }
  void set_vendor_code(uint8_t v) { bytes[kVendorCode] = v; }
  void set_sub_id(uint8_t v) { bytes[kSubId] = v; }
  void set_usb_pid(uint32_t v) { Set(kUsbPid, v); }
  void set_usb_vid(uint32_t v) { Set(kUsbVid, v); }
  void set_handle(uint32_t v) { Set(kHandle, v); }
  void set_unit_active(size_t k, uint8_t v) {
    if (k < kUnitCount) bytes[kUnitTable + kUnitStride * k] = v;
  }
  void set_release_routine(VX_RELEASE_ROUTINE v) { Set(kReleaseRoutine, v); }

 private:
  template <class T>
  T Get(size_t at) const {
    T v;
    std::memcpy(&v, bytes + at, sizeof v);
    return v;
  }
  template <class T>
  void Set(size_t at, T v) {
    std::memcpy(bytes + at, &v, sizeof v);
  }
};

// An event of the library. The data record depends on the kind.
struct VX_CALLBACK_EVENT {
  int32_t kind;
  int32_t reserved;
  void* data;
};

// Data of kind 10: the window that became active.
struct VX_EVENT_WINDOW {
  int32_t reserved;
  const char16_t* path;  // its program's path; not acted upon
  void* window;          // HWND
};

// Data of kind 11.
struct VX_EVENT_STATE {
  int32_t state;
};

// Data of kind 13: a key while the key capture dialog is open.
struct VX_EVENT_KEY {
  int32_t reserved;
  int32_t virtual_key;
  int32_t scan_code;  // extended keys carry 0xE000 added
  int32_t key_down;   // nonzero when pressed
};

enum VX_EVENT_KIND : int32_t {
  VX_EVENT_DEVICE_ARRIVED = 0,
  VX_EVENT_DEVICE_REMOVED = 2,
  VX_EVENT_DEVICES_READY = 4,
  VX_EVENT_DEVICE_CHANGED = 6,
  VX_EVENT_IDLE = 8,
  VX_EVENT_WINDOW_ACTIVATED = 10,
  VX_EVENT_STATE_CHANGED = 11,
  VX_EVENT_KEY_INPUT = 13,
};

extern "C" {

typedef void (*VX_CALLBACK)(VX_CALLBACK_EVENT event);

// The twenty operations, in the order the program calls them.
VXAPI int VX_SetCutCursor(int cursor_id, void* reserved1, const int* cursor_ids, void* reserved2);
VXAPI uint32_t VX_MISC_LoadBinaryFromID(int id, uint8_t** out_buffer, void* instance);
VXAPI void VX_SetHinst(void* instance);
VXAPI int VX_InitLib(VX_CALLBACK callback, const VX_FILTER_DEF* filters, int count);
VXAPI int VX_GetDeviceCount(void);
VXAPI VX_ITEM_DEF VX_GetDeviceInfoByIndex(int index);
VXAPI int VX_RefreshInfo(void);
VXAPI int VX_SetTriggerEvent(VX_TRIGGER_DEF trigger);
VXAPI int VX_RemoveModelTriggerEvent(VX_TRIGGER_DEF trigger);
VXAPI int VX_ClearAllTriggerEvent(void);
VXAPI int VX_SetSlowdoenModifier(int modifiers, int count);
VXAPI int vx_checkFunctionClose(void);
VXAPI int VX_SetErrStr(int index, const char16_t* text);
VXAPI int VX_SetFontSize(const char16_t* font_name, int size);
// path is a Gdiplus::GraphicsPath*; it receives a rounded rectangle.
VXAPI int VX_MISC_CreateRoundPath(void* path, int x, int y, int width, int height, int radius, int reserved);
VXAPI int VX_MISC_Hex2Dec(const char16_t* text);
VXAPI bool isWin11(void);
VXAPI int VX_Stop(void);
VXAPI int VX_SetButtonMask(uint32_t handle, uint32_t mask1, uint32_t mask2, uint32_t mask3, uint32_t sub_id);
VXAPI int VX_FreeLib(void);

// Profiles. A profile is a program, named by its executable's file name
// (no folder; compared without regard to case, program_name.h), and
// triggers of the same form as VX_SetTriggerEvent's. When a button is
// pressed or the wheel tilted, the library takes the program that owns
// the foreground window at that moment: a trigger of that program's
// profile for the button of the mouse's model acts; without one, the
// trigger VX_SetTriggerEvent installed for the button, if any (the default
// profile). A button's release follows its press, whatever is in front by
// then.
//
// VX_SetAppProfile replaces the whole profile of one program by count
// triggers (a later one of the same identity replaces an earlier one; a
// trigger of type 255 assigns nothing, so the default acts); count 0
// removes the profile (triggers may then be null). 1 when done; 0 before
// VX_InitLib, and for a program name that ValidProgramName refuses (null,
// empty, longer than VX_PROGRAM_NAME_MAX units, with a folder), a negative
// count, more than VX_PROFILE_TRIGGERS_MAX triggers, or null triggers with
// a positive count. VX_ClearAllTriggerEvent, VX_SetTriggerEvent and
// VX_RemoveModelTriggerEvent change only the default profile; profiles
// last until they are removed or VX_FreeLib.
VXAPI int VX_SetAppProfile(const char16_t* program, const VX_TRIGGER_DEF* triggers, int count);

}  // extern "C"

// Limits of VX_SetAppProfile.
inline constexpr size_t VX_PROGRAM_NAME_MAX = 259;  // UTF-16 units, without the terminating zero
inline constexpr int VX_PROFILE_TRIGGERS_MAX = 4096;

static_assert(sizeof(VX_FUNCTION_DEF) == 1032);
static_assert(offsetof(VX_FUNCTION_DEF, type) == 0);
static_assert(offsetof(VX_FUNCTION_DEF, press) == 8);
static_assert(offsetof(VX_FUNCTION_DEF, release) == 264);
static_assert(offsetof(VX_FUNCTION_DEF, url) == 520);

static_assert(sizeof(VX_TRIGGER_DEF) == 1064);
static_assert(offsetof(VX_TRIGGER_DEF, hid_button) == 0);
static_assert(offsetof(VX_TRIGGER_DEF, mouse_button) == 4);
static_assert(offsetof(VX_TRIGGER_DEF, model_id) == 8);
static_assert(offsetof(VX_TRIGGER_DEF, pid) == 10);
static_assert(offsetof(VX_TRIGGER_DEF, vid) == 12);
static_assert(offsetof(VX_TRIGGER_DEF, usb_vid) == 16);
static_assert(offsetof(VX_TRIGGER_DEF, usb_pid) == 20);
static_assert(offsetof(VX_TRIGGER_DEF, slot) == 24);
static_assert(offsetof(VX_TRIGGER_DEF, hid_num_down) == 26);
static_assert(offsetof(VX_TRIGGER_DEF, hid_num_up) == 27);
static_assert(offsetof(VX_TRIGGER_DEF, tilt_mask) == 28);
static_assert(offsetof(VX_TRIGGER_DEF, swap45) == 29);
static_assert(offsetof(VX_TRIGGER_DEF, function) == 32);

static_assert(sizeof(VX_FILTER_DEF) == 20);
static_assert(offsetof(VX_FILTER_DEF, type) == 0);
static_assert(offsetof(VX_FILTER_DEF, zero1) == 1);
static_assert(offsetof(VX_FILTER_DEF, model_id) == 2);
static_assert(offsetof(VX_FILTER_DEF, pid) == 4);
static_assert(offsetof(VX_FILTER_DEF, vid) == 6);
static_assert(offsetof(VX_FILTER_DEF, zero2) == 8);
static_assert(offsetof(VX_FILTER_DEF, usb_vid) == 12);
static_assert(offsetof(VX_FILTER_DEF, usb_pid) == 16);

static_assert(sizeof(VX_ITEM_DEF) == 1696);
static_assert(VX_ITEM_DEF::kUnitTable + VX_ITEM_DEF::kUnitStride * (VX_ITEM_DEF::kUnitCount - 1) <
              VX_ITEM_DEF::kReleaseRoutine);
static_assert(VX_ITEM_DEF::kReleaseRoutine + sizeof(VX_RELEASE_ROUTINE) <= sizeof(VX_ITEM_DEF));

static_assert(sizeof(VX_CALLBACK_EVENT) >= 16, "at least four 32-bit fields");
static_assert(offsetof(VX_CALLBACK_EVENT, kind) == 0);
static_assert(offsetof(VX_CALLBACK_EVENT, data) == 8);
static_assert(sizeof(VX_EVENT_KEY) == 16);
static_assert(offsetof(VX_EVENT_KEY, virtual_key) == 4);
static_assert(offsetof(VX_EVENT_KEY, scan_code) == 8);
static_assert(offsetof(VX_EVENT_KEY, key_down) == 12);

// The driver library's real backend under Wine on the virtual display:
// xdotool presses the X server's mouse buttons over a test window, the
// library's hook takes them over and its worker sends the assigned keys,
// which the test window records. The library is its test build, whose
// extra operations drop hooks and count their installations.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <tlhelp32.h>

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <mutex>
#include <string>
#include <vector>

#include "support/vxlib_records.h"
#include "vxlib.h"
#include "vxlib/testing/test_hooks.h"
#include "wine/support/unix_command.h"

namespace {

using tessaro::test::PumpMessagesFor;
using tessaro::test::PumpMessagesUntil;
using tessaro::test::Xdotool;
using test_support::ButtonBitTrigger;
using test_support::Filter;
using test_support::Function;
using test_support::TiltDirectionTrigger;

// The catalogue's generic model: every mouse Wine offers is one.
const VX_FILTER_DEF kGeneric = Filter(200, 0xfe, 0x9000, 0xfe);

// The hooks of VXLIB_TestDropHooks and VXLIB_TestHookInstalls.
constexpr int kMouseHook = 1, kKeyboardHook = 2;

// Generous: under load Wine and xdotool are slow, and only a fault waits
// this long.
constexpr int kLimitMs = 10000;

// Library events, as the callback saw them.
struct Received {
  int kind;
  DWORD thread;
  HWND window;
};
std::mutex received_mutex;
std::vector<Received> received;

void OnEvent(VX_CALLBACK_EVENT event) {
  HWND window = nullptr;
  if (event.kind == VX_EVENT_WINDOW_ACTIVATED)
    window = static_cast<HWND>(static_cast<const VX_EVENT_WINDOW*>(event.data)->window);
  std::lock_guard lock(received_mutex);
  received.push_back({event.kind, GetCurrentThreadId(), window});
}

std::vector<Received> Events() {
  std::lock_guard lock(received_mutex);
  return received;
}

// What the test window received: the message and its key or button.
struct Seen {
  UINT message;
  WPARAM detail;
  bool operator==(const Seen&) const = default;
};
std::vector<Seen> seen;
// xdotool ends each input of a test with this key, which the window does
// not record: once it arrived, so did everything the input made pass.
constexpr WPARAM kMarkerKey = VK_F12;
bool marker_seen = false;

std::string Describe(const std::vector<Seen>& list) {
  std::string text;
  for (const auto& s : list) text += std::to_string(s.message) + ":" + std::to_string(s.detail) + " ";
  return text;
}

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
      if (wparam == kMarkerKey) {
        marker_seen |= message == WM_KEYUP;
      } else {
        seen.push_back({message, wparam});
      }
      return 0;
    case WM_XBUTTONDOWN:
    case WM_XBUTTONUP:
      seen.push_back({message, GET_XBUTTON_WPARAM(wparam)});
      return TRUE;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
      seen.push_back({message, 0});
      return 0;
    case WM_MOUSEHWHEEL:
      seen.push_back({message, static_cast<WPARAM>(GET_WHEEL_DELTA_WPARAM(wparam) > 0 ? 1 : 2)});
      return 0;
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

Seen KeyDown(WPARAM key) { return {WM_KEYDOWN, key}; }
Seen KeyUp(WPARAM key) { return {WM_KEYUP, key}; }

size_t ThreadCount() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  size_t count = 0;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
    count += entry.th32OwnerProcessID == GetCurrentProcessId();
  CloseHandle(snapshot);
  return count;
}

int PointerSpeed() {
  int speed = 0;
  SystemParametersInfoW(SPI_GETMOUSESPEED, 0, &speed, 0);
  return speed;
}

void SetPointerSpeed(int speed) {
  SystemParametersInfoW(SPI_SETMOUSESPEED, 0, reinterpret_cast<void*>(static_cast<intptr_t>(speed)), 0);
}

// Wine answers SPI_GETMOUSESPEED with 0 and keeps no speed set.
bool SystemKeepsPointerSpeed() {
  const int before = PointerSpeed();
  SetPointerSpeed(7);
  const bool kept = PointerSpeed() == 7;
  SetPointerSpeed(before);
  return kept;
}

// Whether the system reports foreground changes as WinEvents at all.
bool foreground_event_seen = false;
void CALLBACK ProbeForeground(HWINEVENTHOOK, DWORD event, HWND, LONG, LONG, DWORD, DWORD) {
  foreground_event_seen |= event == EVENT_SYSTEM_FOREGROUND;
}

// The USB ids in the name of the first mouse Raw Input lists.
bool FirstMouseIds(unsigned& vid, unsigned& pid) {
  RAWINPUTDEVICELIST list[32];
  UINT count = 32;
  const UINT got = GetRawInputDeviceList(list, &count, sizeof list[0]);
  for (UINT i = 0; i < got && i < 32; ++i) {
    if (list[i].dwType != RIM_TYPEMOUSE) continue;
    wchar_t name[512];
    UINT chars = 512;
    if (GetRawInputDeviceInfoW(list[i].hDevice, RIDI_DEVICENAME, name, &chars) == static_cast<UINT>(-1)) continue;
    const wchar_t* v = wcsstr(name, L"VID_");
    const wchar_t* p = wcsstr(name, L"PID_");
    if (v && p && swscanf(v + 4, L"%4x", &vid) == 1 && swscanf(p + 4, L"%4x", &pid) == 1) return true;
  }
  return false;
}

constexpr wchar_t kSavedKey[] = L"Software\\Vornel\\VXLIB";
constexpr wchar_t kSavedValue[] = L"SavedMouseSpeed";

// The speed the library keeps while it has lowered it; -1 for none.
int SavedSpeed() {
  DWORD value = 0;
  DWORD size = sizeof value;
  if (RegGetValueW(HKEY_CURRENT_USER, kSavedKey, kSavedValue, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
      ERROR_SUCCESS)
    return -1;
  return static_cast<int>(value);
}

// The crash test's second process: this program again, told by its
// environment to start the library, hold a key combination on the back
// button when told to crash, and crash on a thread of its own. It runs
// before the tests are set up and never returns to them.
constexpr wchar_t kCrashChildVariable[] = L"VXLIB_TEST_CRASH_CHILD";
// The exit code of the filter that was installed before the library's.
constexpr DWORD kHandedOnExitCode = 77;

LONG WINAPI FilterBeforeTheLibrarys(EXCEPTION_POINTERS*) { ExitProcess(kHandedOnExitCode); }

DWORD WINAPI Crash(void*) {
  RaiseException(0xE0584C42, EXCEPTION_NONCONTINUABLE, 0, nullptr);
  return 0;
}

void RunCrashChild(const std::wstring& name) {
  SetUnhandledExceptionFilter(FilterBeforeTheLibrarys);
  if (VX_InitLib(OnEvent, &kGeneric, 1) != 1) ExitProcess(1);
  VX_SetTriggerEvent(ButtonBitTrigger(kGeneric, 3, Function(2, {1, VK_CONTROL, 'Y'}, {0, 'Y', VK_CONTROL})));
  HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, (name + L"-ready").c_str());
  HANDLE crash = OpenEventW(SYNCHRONIZE, FALSE, (name + L"-crash").c_str());
  if (!ready || !crash) ExitProcess(2);
  SetEvent(ready);
  if (WaitForSingleObject(crash, 60000) != WAIT_OBJECT_0) ExitProcess(3);
  // No handler of this program's own above it: the crash is unhandled.
  HANDLE thread = CreateThread(nullptr, 0, Crash, nullptr, 0, nullptr);
  WaitForSingleObject(thread, INFINITE);
  ExitProcess(4);
}

const bool crash_child = [] {
  wchar_t name[128];
  const DWORD length = GetEnvironmentVariableW(kCrashChildVariable, name, 128);
  if (length > 0 && length < 128) RunCrashChild(name);
  return false;
}();

constexpr int kLeft = 200, kTop = 150, kWidth = 400, kHeight = 300;

// Each test: a visible test window under the pointer, the library started
// with the real backend on this thread, its first event handled.
class VxlibReal : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = RecordingProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VxlibRealTestWindow";
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    RegisterClassW(&wc);
  }

  void SetUp() override {
    threads_before_ = ThreadCount();
    SetEnvironmentVariableW(L"VXLIB_SCENARIO", nullptr);
    window_ = CreateWindowExW(0, L"VxlibRealTestWindow", L"VXLIB real backend test", WS_POPUP | WS_VISIBLE, kLeft, kTop,
                              kWidth, kHeight, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window_, nullptr);
    SetForegroundWindow(window_);
    SetFocus(window_);
    PumpMessagesFor(200);
    ASSERT_TRUE(Xdotool("mousemove " + std::to_string(kLeft + kWidth / 2) + " " + std::to_string(kTop + kHeight / 2)));
    Start();
  }

  void TearDown() override {
    VX_Stop();
    VX_FreeLib();
    DestroyWindow(window_);
    PumpMessagesFor(50);
  }

  void Start() {
    {
      std::lock_guard lock(received_mutex);
      received.clear();
    }
    ASSERT_EQ(VX_InitLib(OnEvent, &kGeneric, 1), 1);
    ASSERT_TRUE(PumpMessagesUntil([] { return !Events().empty(); }));
    PumpMessagesFor(100);
    seen.clear();
  }

  // Installs f for bit p (1 right ... 4 forward) of the generic model.
  static void Assign(int p, const VX_FUNCTION_DEF& f) { VX_SetTriggerEvent(ButtonBitTrigger(kGeneric, p, f)); }

  // Runs xdotool, then handles messages until the window saw count
  // messages and the marker key that follows the input.
  static std::vector<Seen> After(const std::string& xdotool_arguments, size_t count) {
    seen.clear();
    marker_seen = false;
    EXPECT_TRUE(Xdotool(xdotool_arguments + " key F12")) << xdotool_arguments;
    EXPECT_TRUE(PumpMessagesUntil([&] { return seen.size() >= count && marker_seen; }, kLimitMs))
        << xdotool_arguments << ": " << Describe(seen);
    return seen;
  }

  static HWND SystemWatchWindow() { return FindWindowW(L"VxlibSystemWatch", nullptr); }

  HWND window_ = nullptr;
  size_t threads_before_ = 0;
};

TEST_F(VxlibReal, ReportsThePcsMiceAfterKindFourOnTheInitThread) {
  const auto events = Events();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].kind, VX_EVENT_DEVICES_READY);
  EXPECT_EQ(events[0].thread, GetCurrentThreadId());
  const int count = VX_GetDeviceCount();
  ASSERT_GE(count, 1) << "Wine lists no mouse";
  for (int i = 0; i < count; ++i) {
    const VX_ITEM_DEF item = VX_GetDeviceInfoByIndex(i);
    EXPECT_EQ(item.type(), 200u);
    EXPECT_EQ(item.sub_id(), 0xfe);
    EXPECT_EQ(item.vendor_code(), 0xfe);
    EXPECT_EQ(item.usb_vid(), 0u);
    EXPECT_EQ(item.usb_pid(), 0u);
    EXPECT_EQ(VX_SetButtonMask(item.handle(), 0, 0, 0, item.sub_id()), 1);
  }
  EXPECT_EQ(VX_SetButtonMask(0xDEAD, 0, 0, 0, 0), 0);
}

TEST_F(VxlibReal, ButtonsWithoutTriggerPassUnchanged) {
  EXPECT_EQ(After("click 8", 2), (std::vector<Seen>{{WM_XBUTTONDOWN, XBUTTON1}, {WM_XBUTTONUP, XBUTTON1}}));
  EXPECT_EQ(After("click 2", 2), (std::vector<Seen>{{WM_MBUTTONDOWN, 0}, {WM_MBUTTONUP, 0}}));
  // A trigger of another model leaves the generic mouse alone.
  VX_SetTriggerEvent(ButtonBitTrigger(Filter(2, 0x21, 0x2103, 0x4b, 0x1d57, 0xfa60), 3, Function(2, {1, 'Q'})));
  EXPECT_EQ(After("click 9", 2), (std::vector<Seen>{{WM_XBUTTONDOWN, XBUTTON2}, {WM_XBUTTONUP, XBUTTON2}}));
}

TEST_F(VxlibReal, EveryButtonOfTheMouseReachesTheHook) {
  // Each button types its own letter instead of its own event.
  const struct {
    const char* xdotool;
    int bit;       // 0: a tilt direction
    uint8_t tilt;  // 1 left, 2 right
    uint8_t key;
  } cases[] = {
      {"click 3", 1, 0, 'R'}, {"click 2", 2, 0, 'M'}, {"click 8", 3, 0, 'B'},
      {"click 9", 4, 0, 'F'}, {"click 6", 0, 1, 'L'}, {"click 7", 0, 2, 'T'},
  };
  for (const auto& c : cases) {
    const VX_FUNCTION_DEF tap = Function(2, {1, c.key}, {0, c.key});
    if (c.bit) {
      Assign(c.bit, tap);
    } else {
      VX_SetTriggerEvent(TiltDirectionTrigger(kGeneric, c.tilt, tap));
    }
  }
  PumpMessagesFor(50);
  for (const auto& c : cases) {
    // A tilt's release follows 300 ms after its last step.
    EXPECT_EQ(After(c.xdotool, 2), (std::vector<Seen>{KeyDown(c.key), KeyUp(c.key)})) << c.xdotool;
  }
}

TEST_F(VxlibReal, BackButtonSendsItsCombinationAndNoModifierStaysDown) {
  Assign(3, Function(2, {1, VK_CONTROL, VK_SHIFT, 'K'}, {0, 'K', VK_CONTROL, VK_SHIFT}));
  PumpMessagesFor(50);
  EXPECT_EQ(After("click 8", 6), (std::vector<Seen>{KeyDown(VK_CONTROL), KeyDown(VK_SHIFT), KeyDown('K'), KeyUp('K'),
                                                    KeyUp(VK_CONTROL), KeyUp(VK_SHIFT)}));
  for (int key : {VK_CONTROL, VK_SHIFT, VK_LCONTROL, VK_LSHIFT, int('K')}) {
    EXPECT_EQ(GetAsyncKeyState(key) & 0x8000, 0) << key;
  }
}

TEST_F(VxlibReal, HeldCombinationLastsWhileTheButtonIsHeld) {
  Assign(3, Function(2, {1, VK_CONTROL, 'H'}, {0, 'H', VK_CONTROL}));
  PumpMessagesFor(50);
  EXPECT_EQ(After("mousedown 8", 2), (std::vector<Seen>{KeyDown(VK_CONTROL), KeyDown('H')}));
  PumpMessagesFor(300);
  EXPECT_NE(GetAsyncKeyState(VK_CONTROL) & 0x8000, 0) << "Ctrl is held while the button is";
  EXPECT_EQ(After("mouseup 8", 2), (std::vector<Seen>{KeyUp('H'), KeyUp(VK_CONTROL)}));
  EXPECT_EQ(GetAsyncKeyState(VK_CONTROL) & 0x8000, 0);
}

TEST_F(VxlibReal, PressesDuringAnActionAreNotLost) {
  Assign(3, Function(2, {1, VK_CONTROL, 'B'}, {0, 'B', VK_CONTROL}));
  Assign(4, Function(2, {1, 'F'}, {0, 'F'}));
  PumpMessagesFor(50);
  const auto nested = After("mousedown 8 click 9 mouseup 8", 6);
  EXPECT_EQ(nested, (std::vector<Seen>{KeyDown(VK_CONTROL), KeyDown('B'), KeyDown('F'), KeyUp('F'), KeyUp('B'),
                                       KeyUp(VK_CONTROL)}))
      << Describe(nested);

  const auto burst = After("click --repeat 10 --delay 5 9", 20);
  EXPECT_EQ(std::count(burst.begin(), burst.end(), KeyDown('F')), 10) << Describe(burst);
  EXPECT_EQ(std::count(burst.begin(), burst.end(), KeyUp('F')), 10) << Describe(burst);
}

TEST_F(VxlibReal, TriggerInstalledWhileHeldLetsTheReleasePass) {
  EXPECT_EQ(After("mousedown 8", 1), (std::vector<Seen>{{WM_XBUTTONDOWN, XBUTTON1}}));
  Assign(3, Function(2, {1, 'Z'}, {0, 'Z'}));
  PumpMessagesFor(50);
  EXPECT_EQ(After("mouseup 8", 1), (std::vector<Seen>{{WM_XBUTTONUP, XBUTTON1}}));
  // And a removal while held keeps the release swallowed.
  EXPECT_EQ(After("mousedown 8", 1), (std::vector<Seen>{KeyDown('Z')}));
  VX_ClearAllTriggerEvent();
  PumpMessagesFor(50);
  EXPECT_EQ(After("mouseup 8", 1), (std::vector<Seen>{KeyUp('Z')}));
}

TEST_F(VxlibReal, WatchdogReinstallsAHookTheSystemRemoved) {
  Assign(3, Function(2, {1, VK_CONTROL, 'W'}, {0, 'W', VK_CONTROL}));
  PumpMessagesFor(50);
  const int installs = VXLIB_TestHookInstalls(kMouseHook);
  ASSERT_GE(installs, 1);
  // Held when the hook goes: its keys must not stay down.
  EXPECT_EQ(After("mousedown 8", 2), (std::vector<Seen>{KeyDown(VK_CONTROL), KeyDown('W')}));
  ASSERT_EQ(VXLIB_TestDropHooks(kMouseHook), 1);
  PumpMessagesFor(100);
  // Without the hook the button's own event reaches the window.
  EXPECT_EQ(After("mouseup 8", 1), (std::vector<Seen>{{WM_XBUTTONUP, XBUTTON1}}));
  // The pointer moves unseen by the hook; the watchdog looks once a second.
  for (int i = 0; i < 100 && VXLIB_TestHookInstalls(kMouseHook) == installs; ++i) {
    Xdotool("mousemove_relative -- " + std::string(i % 2 ? "-" : "") + "7 3");
    PumpMessagesFor(100);
  }
  EXPECT_EQ(VXLIB_TestHookInstalls(kMouseHook), installs + 1);
  EXPECT_TRUE(PumpMessagesUntil([] { return (GetAsyncKeyState(VK_CONTROL) & 0x8000) == 0; }, kLimitMs))
      << "keys held by the lost hook's press are released";
  EXPECT_EQ(After("click 8", 4), (std::vector<Seen>{KeyDown(VK_CONTROL), KeyDown('W'), KeyUp('W'), KeyUp(VK_CONTROL)}))
      << "the reinstalled hook takes the button over again";
}

// Resume from sleep and session unlock reach the library as the system
// sends them: to its top-level windows.
TEST_F(VxlibReal, ResumeAndUnlockReinstallTheHook) {
  Assign(3, Function(2, {1, 'R'}, {0, 'R'}));
  PumpMessagesFor(50);
  HWND watch = SystemWatchWindow();
  ASSERT_NE(watch, nullptr);
  const int installs = VXLIB_TestHookInstalls(kMouseHook);

  // After sleep the system may have dropped the hook unannounced.
  ASSERT_EQ(VXLIB_TestDropHooks(kMouseHook), 1);
  SendMessageW(watch, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
  ASSERT_TRUE(PumpMessagesUntil([&] { return VXLIB_TestHookInstalls(kMouseHook) == installs + 1; }, kLimitMs));
  EXPECT_EQ(After("click 8", 2), (std::vector<Seen>{KeyDown('R'), KeyUp('R')}));

  for (WPARAM change : {WTS_SESSION_UNLOCK, WTS_CONSOLE_CONNECT, WTS_REMOTE_CONNECT}) {
    const int before = VXLIB_TestHookInstalls(kMouseHook);
    SendMessageW(watch, WM_WTSSESSION_CHANGE, change, 0);
    ASSERT_TRUE(PumpMessagesUntil([&] { return VXLIB_TestHookInstalls(kMouseHook) == before + 1; }, kLimitMs))
        << change;
    EXPECT_EQ(After("click 8", 2), (std::vector<Seen>{KeyDown('R'), KeyUp('R')})) << change;
  }
}

// A locked or disconnected session takes the input elsewhere, where the
// hook never sees the button go up: what the library holds goes up at once.
TEST_F(VxlibReal, LockAndDisconnectReleaseAHeldCombination) {
  Assign(3, Function(2, {1, VK_CONTROL, 'L'}, {0, 'L', VK_CONTROL}));
  PumpMessagesFor(50);
  HWND watch = SystemWatchWindow();
  ASSERT_NE(watch, nullptr);
  for (WPARAM change : {WTS_SESSION_LOCK, WTS_CONSOLE_DISCONNECT, WTS_REMOTE_DISCONNECT}) {
    EXPECT_EQ(After("mousedown 8", 2), (std::vector<Seen>{KeyDown(VK_CONTROL), KeyDown('L')})) << change;
    seen.clear();
    SendMessageW(watch, WM_WTSSESSION_CHANGE, change, 0);
    EXPECT_TRUE(PumpMessagesUntil([] { return seen.size() >= 2; }, kLimitMs)) << change;
    EXPECT_EQ(seen, (std::vector<Seen>{KeyUp('L'), KeyUp(VK_CONTROL)})) << change << ": " << Describe(seen);
    EXPECT_EQ(GetAsyncKeyState(VK_CONTROL) & 0x8000, 0) << change;
    // Should the release come after all, it stays with its press.
    EXPECT_EQ(After("mouseup 8", 0), std::vector<Seen>{}) << change;
  }
}

// The system may have dropped the hook while a taken-over button is held:
// what the press started ends, but the release that follows must not reach
// the program in front (a browser would go back on it).
TEST_F(VxlibReal, AReinstalledHookKeepsTheReleaseOfAHeldButtonSwallowed) {
  Assign(3, Function(2, {1, VK_CONTROL, 'U'}, {0, 'U', VK_CONTROL}));
  PumpMessagesFor(50);
  const int installs = VXLIB_TestHookInstalls(kMouseHook);
  EXPECT_EQ(After("mousedown 8", 2), (std::vector<Seen>{KeyDown(VK_CONTROL), KeyDown('U')}));
  seen.clear();
  SendMessageW(SystemWatchWindow(), WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, 0);
  ASSERT_TRUE(PumpMessagesUntil([&] { return VXLIB_TestHookInstalls(kMouseHook) == installs + 1 && seen.size() >= 2; },
                                kLimitMs));
  EXPECT_EQ(seen, (std::vector<Seen>{KeyUp('U'), KeyUp(VK_CONTROL)})) << Describe(seen);
  EXPECT_EQ(After("mouseup 8", 0), std::vector<Seen>{});
  EXPECT_EQ(After("click 8", 4), (std::vector<Seen>{KeyDown(VK_CONTROL), KeyDown('U'), KeyUp('U'), KeyUp(VK_CONTROL)}));

  // Lost while held, then let go and pressed again unseen: the system holds
  // the button now, and its release must reach it.
  EXPECT_EQ(After("mousedown 8", 2), (std::vector<Seen>{KeyDown(VK_CONTROL), KeyDown('U')}));
  ASSERT_EQ(VXLIB_TestDropHooks(kMouseHook), 1);
  EXPECT_EQ(After("mouseup 8 mousedown 8", 2),
            (std::vector<Seen>{{WM_XBUTTONUP, XBUTTON1}, {WM_XBUTTONDOWN, XBUTTON1}}));
  seen.clear();
  SendMessageW(SystemWatchWindow(), WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, 0);
  ASSERT_TRUE(PumpMessagesUntil([&] { return VXLIB_TestHookInstalls(kMouseHook) == installs + 2 && seen.size() >= 2; },
                                kLimitMs));
  EXPECT_EQ(After("mouseup 8", 1), (std::vector<Seen>{{WM_XBUTTONUP, XBUTTON1}}));
}

TEST_F(VxlibReal, TheKeyboardHooksLossIsRepaired) {
  ASSERT_EQ(VX_SetSlowdoenModifier(1, 8), 1);  // Ctrl: the keyboard hook runs
  ASSERT_TRUE(PumpMessagesUntil([] { return VXLIB_TestHookInstalls(kKeyboardHook) >= 1; }, kLimitMs));
  const int installs = VXLIB_TestHookInstalls(kKeyboardHook);
  ASSERT_EQ(VXLIB_TestDropHooks(kKeyboardHook), 1);
  // Ctrl goes down unseen: the system's keys and the hook's differ, on the
  // watchdog's checks once a second.
  Xdotool("keydown ctrl");
  EXPECT_TRUE(PumpMessagesUntil([&] { return VXLIB_TestHookInstalls(kKeyboardHook) == installs + 1; }, kLimitMs));
  Xdotool("keyup ctrl");
}

TEST_F(VxlibReal, TypingAloneDoesNotCountAsALostHook) {
  const int installs = VXLIB_TestHookInstalls(kMouseHook);
  // The user types for a while: the watchdog looks at least once meanwhile.
  for (int i = 0; i < 5; ++i) {
    Xdotool("key shift");
    PumpMessagesFor(300);
  }
  // Then the hook is lost and the pointer moves: the watchdog acts, once.
  ASSERT_EQ(VXLIB_TestDropHooks(kMouseHook), 1);
  for (int i = 0; i < 100 && VXLIB_TestHookInstalls(kMouseHook) == installs; ++i) {
    Xdotool("mousemove_relative -- " + std::string(i % 2 ? "-" : "") + "7 3");
    PumpMessagesFor(100);
  }
  EXPECT_EQ(VXLIB_TestHookInstalls(kMouseHook), installs + 1) << "typing counted as a lost hook";
}

TEST_F(VxlibReal, StopReleasesWhatIsHeld) {
  Assign(3, Function(2, {1, VK_CONTROL, 'S'}, {0, 'S', VK_CONTROL}));
  PumpMessagesFor(50);
  EXPECT_EQ(After("mousedown 8", 2), (std::vector<Seen>{KeyDown(VK_CONTROL), KeyDown('S')}));
  seen.clear();
  VX_Stop();
  EXPECT_TRUE(PumpMessagesUntil([] { return seen.size() >= 2; }, kLimitMs));
  EXPECT_EQ(seen, (std::vector<Seen>{KeyUp('S'), KeyUp(VK_CONTROL)})) << Describe(seen);
  EXPECT_EQ(GetAsyncKeyState(VK_CONTROL) & 0x8000, 0);
  Xdotool("mouseup 8");
  VX_FreeLib();
  // The thread of slow actions ends by itself, unawaited.
  EXPECT_TRUE(PumpMessagesUntil([&] { return ThreadCount() == threads_before_; }, kLimitMs))
      << "a library thread outlives VX_FreeLib: " << ThreadCount() << " threads, " << threads_before_ << " before";
}

TEST_F(VxlibReal, SlowdownLowersThePointerSpeedWhileItsKeysAreHeld) {
  if (!SystemKeepsPointerSpeed()) GTEST_SKIP() << "this system keeps no pointer speed (SPI_SETMOUSESPEED)";
  SetPointerSpeed(10);
  ASSERT_EQ(VX_SetSlowdoenModifier(1 | 2, 8), 1);  // Ctrl+Shift
  PumpMessagesFor(100);
  Xdotool("keydown ctrl");
  PumpMessagesFor(200);
  EXPECT_EQ(PointerSpeed(), 10) << "Shift is not held yet";
  Xdotool("keydown shift");
  PumpMessagesUntil([] { return PointerSpeed() != 10; }, 1000);
  EXPECT_EQ(PointerSpeed(), 3);
  EXPECT_EQ(SavedSpeed(), 10) << "kept while lowered, for a crash";
  Xdotool("keyup ctrl");
  PumpMessagesUntil([] { return PointerSpeed() == 10; }, 1000);
  EXPECT_EQ(PointerSpeed(), 10);
  EXPECT_EQ(SavedSpeed(), -1);
  Xdotool("keyup shift");

  // Held when the library stops: the user's speed comes back.
  ASSERT_EQ(VX_SetSlowdoenModifier(1, 8), 1);
  Xdotool("keydown ctrl");
  PumpMessagesUntil([] { return PointerSpeed() == 3; }, 1000);
  EXPECT_EQ(PointerSpeed(), 3);
  VX_Stop();
  EXPECT_EQ(PointerSpeed(), 10);
  EXPECT_EQ(SavedSpeed(), -1);
  Xdotool("keyup ctrl");
}

TEST_F(VxlibReal, ASpeedLeftLoweredIsRestoredAtTheNextStart) {
  VX_FreeLib();
  const bool kept = SystemKeepsPointerSpeed();
  SetPointerSpeed(2);
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kSavedKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const DWORD saved = 12;
  RegSetValueExW(key, kSavedValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&saved), sizeof saved);
  RegCloseKey(key);
  Start();
  EXPECT_EQ(SavedSpeed(), -1) << "forgotten once given back";
  if (!kept) GTEST_SKIP() << "this system keeps no pointer speed (SPI_SETMOUSESPEED)";
  EXPECT_EQ(PointerSpeed(), 12);
  SetPointerSpeed(10);
}

TEST_F(VxlibReal, ForegroundChangesArriveAsKindTen) {
  HWINEVENTHOOK probe = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, ProbeForeground, 0,
                                        0, WINEVENT_OUTOFCONTEXT);
  HWND other = CreateWindowExW(0, L"VxlibRealTestWindow", L"other", WS_POPUP | WS_VISIBLE, 700, 150, 100, 100, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(other, nullptr);
  SetForegroundWindow(other);
  const auto arrived = [&] {
    const auto events = Events();
    return std::any_of(events.begin(), events.end(),
                       [&](const Received& r) { return r.kind == VX_EVENT_WINDOW_ACTIVATED && r.window == other; });
  };
  const bool delivered = PumpMessagesUntil(arrived, 2000);
  UnhookWinEvent(probe);
  DestroyWindow(other);
  if (!foreground_event_seen) GTEST_SKIP() << "this system reports no EVENT_SYSTEM_FOREGROUND";
  EXPECT_TRUE(delivered);
  for (const auto& r : Events()) EXPECT_EQ(r.thread, GetCurrentThreadId());
}

TEST_F(VxlibReal, AModelsMouseActsWithThatModelsTriggers) {
  unsigned vid = 0, pid = 0;
  if (!FirstMouseIds(vid, pid)) GTEST_SKIP() << "no mouse with USB ids in its name";
  VX_FreeLib();
  // The catalogue order: the model first, the generic one last.
  const VX_FILTER_DEF model = Filter(2, 0x21, 0x2103, 0x4b, vid, pid);
  const VX_FILTER_DEF filters[] = {model, kGeneric};
  ASSERT_EQ(VX_InitLib(OnEvent, filters, 2), 1);
  PumpMessagesFor(200);
  const VX_ITEM_DEF item = VX_GetDeviceInfoByIndex(0);
  EXPECT_EQ(item.type(), 2u);
  EXPECT_EQ(item.sub_id(), 0x21);
  EXPECT_EQ(item.vendor_code(), 0x4b);
  EXPECT_EQ(item.usb_vid(), vid);
  EXPECT_EQ(item.usb_pid(), pid);

  VX_SetTriggerEvent(ButtonBitTrigger(kGeneric, 3, Function(2, {1, 'G'}, {0, 'G'})));
  PumpMessagesFor(50);
  EXPECT_EQ(After("click 8", 2), (std::vector<Seen>{{WM_XBUTTONDOWN, XBUTTON1}, {WM_XBUTTONUP, XBUTTON1}}))
      << "the generic model's trigger is not the model's";
  VX_SetTriggerEvent(ButtonBitTrigger(model, 3, Function(2, {1, 'M'}, {0, 'M'})));
  PumpMessagesFor(50);
  EXPECT_EQ(After("click 8", 2), (std::vector<Seen>{KeyDown('M'), KeyUp('M')}));
}

// The test window is this program's: its profile acts where it assigns a
// button, another program's does not, and a profile's removal hands the
// button back to the default at once.
TEST_F(VxlibReal, TheProfileOfTheProgramInFrontActsForItsButtons) {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  ASSERT_GT(length, 0u);
  std::u16string own(reinterpret_cast<const char16_t*>(wcsrchr(path, L'\\') + 1));
  for (char16_t& c : own) c = static_cast<char16_t>(towupper(c));  // names compare without regard to case
  Assign(3, Function(2, {1, 'D'}, {0, 'D'}));
  const VX_TRIGGER_DEF profile = ButtonBitTrigger(kGeneric, 3, Function(2, {1, 'P'}, {0, 'P'}));
  ASSERT_EQ(VX_SetAppProfile(u"other.exe", &profile, 1), 1);
  PumpMessagesFor(50);
  EXPECT_EQ(After("click 8", 2), (std::vector<Seen>{KeyDown('D'), KeyUp('D')})) << "another program's profile";
  ASSERT_EQ(VX_SetAppProfile(own.c_str(), &profile, 1), 1);
  PumpMessagesFor(50);
  EXPECT_EQ(After("click 8", 2), (std::vector<Seen>{KeyDown('P'), KeyUp('P')}));
  // Clearing the default assignments leaves the profile.
  VX_ClearAllTriggerEvent();
  PumpMessagesFor(50);
  EXPECT_EQ(After("click 8", 2), (std::vector<Seen>{KeyDown('P'), KeyUp('P')}));
  ASSERT_EQ(VX_SetAppProfile(own.c_str(), nullptr, 0), 1);
  PumpMessagesFor(50);
  EXPECT_EQ(After("click 8", 2), (std::vector<Seen>{{WM_XBUTTONDOWN, XBUTTON1}, {WM_XBUTTONUP, XBUTTON1}}));
}

// A process that crashes while the library holds keys down: the library's
// unhandled-exception filter lets them go, then hands the crash on to the
// filter that was there before.
TEST_F(VxlibReal, ACrashReleasesWhatIsHeldAndHandsOnToThePreviousFilter) {
  // Only the crashing process takes the button over.
  VX_Stop();
  VX_FreeLib();
  const std::wstring name = L"Local\\vxlib-crash-" + std::to_wstring(GetCurrentProcessId());
  HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, (name + L"-ready").c_str());
  HANDLE crash = CreateEventW(nullptr, TRUE, FALSE, (name + L"-crash").c_str());
  ASSERT_TRUE(ready && crash);
  wchar_t exe[MAX_PATH];
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(exe) + L"\" --gtest_filter=-*";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION child{};
  SetEnvironmentVariableW(kCrashChildVariable, name.c_str());
  const BOOL started =
      CreateProcessW(exe, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child);
  SetEnvironmentVariableW(kCrashChildVariable, nullptr);
  ASSERT_TRUE(started);
  const auto exited = [&] { return WaitForSingleObject(child.hProcess, 0) == WAIT_OBJECT_0; };
  ASSERT_TRUE(PumpMessagesUntil([&] { return WaitForSingleObject(ready, 0) == WAIT_OBJECT_0 || exited(); }, kLimitMs));
  ASSERT_FALSE(exited());

  EXPECT_EQ(After("mousedown 8", 2), (std::vector<Seen>{KeyDown(VK_CONTROL), KeyDown('Y')}));
  seen.clear();
  SetEvent(crash);
  EXPECT_TRUE(PumpMessagesUntil([&] { return exited() && seen.size() >= 2; }, kLimitMs)) << Describe(seen);
  DWORD code = 0;
  GetExitCodeProcess(child.hProcess, &code);
  EXPECT_EQ(code, kHandedOnExitCode) << "the previous filter got the crash";
  EXPECT_EQ(seen, (std::vector<Seen>{KeyUp(VK_CONTROL), KeyUp('Y')})) << Describe(seen);
  EXPECT_EQ(GetAsyncKeyState(VK_CONTROL) & 0x8000, 0);
  // Nobody takes the button over any more: its release passes.
  EXPECT_EQ(After("mouseup 8", 1), (std::vector<Seen>{{WM_XBUTTONUP, XBUTTON1}}));
  CloseHandle(child.hThread);
  CloseHandle(child.hProcess);
  CloseHandle(ready);
  CloseHandle(crash);
}

}  // namespace

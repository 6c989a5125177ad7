// The popup item list on the virtual display, driven with xdotool: hot rows,
// child lists, choices (callback on a worker thread, message 12181 to the
// parent), the fit into the work area, the wheel and the fade-in.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "catalog/utf.h"
#include "shell/worker_threads.h"
#include "ui/gdi_raii_win.h"
#include "ui/item_list_win.h"
#include "wine/support/unix_command.h"

namespace tessaro {
namespace {

using test::PumpMessagesFor;
using test::PumpMessagesUntil;
using test::Xdotool;

// What the choice callback and the parent window received.
struct Choice {
  int32_t context = 0;
  _QnItemListDB row{};
  DWORD thread = 0;
};
std::mutex choices_mutex;
std::vector<Choice> choices;
std::vector<std::pair<WPARAM, LPARAM>> posted;

void RecordChoice(int32_t context, _QnItemListDB row) {
  std::lock_guard lock(choices_mutex);
  choices.push_back({context, row, GetCurrentThreadId()});
}

size_t ChoiceCount() {
  std::lock_guard lock(choices_mutex);
  return choices.size();
}

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == kItemChosenMessage) {
    posted.push_back({wparam, lparam});
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

_QnItemListDB Row(int32_t index, int32_t parent, int32_t kind, const char* name, int32_t value = 0) {
  _QnItemListDB row{};
  row.index = index;
  row.parent = parent;
  row.kind = kind;
  row.id = index * 100;
  row.function_index = value;
  CopyToField(Utf8ToUtf16(name), row.name, 128);
  return row;
}

// Top level: Copy, a line, the folder Media, Paste. Media holds Play, the
// folder More (which holds Mute) and Next.
RowArray MenuRows() {
  return {Row(1, 0, kRowItem, "Copy", 11),  Row(2, 0, kRowSeparator, ""),    Row(3, 0, kRowFolder, "Media"),
          Row(4, 0, kRowItem, "Paste", 12), Row(5, 3, kRowItem, "Play", 21), Row(6, 3, kRowFolder, "More"),
          Row(7, 3, kRowItem, "Next", 22),  Row(8, 6, kRowItem, "Mute", 31)};
}

// At scale 0.5 rows are 48 pixels, lines 12, and rows start 4 pixels down.
constexpr float kScale = 0.5f;
constexpr int kRow = 48;
constexpr int kLine = 12;
int RowCentre(int top_rows, int top_lines) { return 4 + top_rows * kRow + top_lines * kLine + kRow / 2; }

RECT WindowRect(const QnItemList& list) {
  RECT r{};
  GetWindowRect(list.window(), &r);
  return r;
}

bool PointAt(const QnItemList& list, int x, int y) {
  const RECT r = WindowRect(list);
  return Xdotool("mousemove " + std::to_string(r.left + x) + " " + std::to_string(r.top + y));
}

// A window of another thread, as another program's window would be: made,
// shown and given the activation at construction, destroyed with its thread
// at destruction.
class WindowOfAnotherThread {
 public:
  WindowOfAnotherThread() {
    std::promise<void> shown;
    std::future<void> ready = shown.get_future();
    thread_ = std::thread([this, &shown] {
      HWND window = CreateWindowExW(0, L"ItemListTestParent", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 60, 60, nullptr,
                                    nullptr, GetModuleHandleW(nullptr), nullptr);
      SetForegroundWindow(window);
      thread_id_ = GetCurrentThreadId();
      shown.set_value();
      MSG msg;
      while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
      DestroyWindow(window);
    });
    ready.wait();
  }
  ~WindowOfAnotherThread() {
    PostThreadMessageW(thread_id_, WM_QUIT, 0, 0);
    thread_.join();
  }
  WindowOfAnotherThread(const WindowOfAnotherThread&) = delete;
  WindowOfAnotherThread& operator=(const WindowOfAnotherThread&) = delete;

 private:
  std::thread thread_;
  DWORD thread_id_ = 0;
};

class ItemListTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ParentProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ItemListTestParent";
    RegisterClassW(&wc);
  }

  void SetUp() override {
    parent_ = CreateWindowExW(0, L"ItemListTestParent", L"parent", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(parent_);
    ASSERT_TRUE(list_.Create(parent_));
    list_.look = {u"Tahoma", 0xFF1A1E26, 0xFF2B5A54, 0xFF242A34, 0xFFE6EAF0, nullptr};
    list_.on_choice = RecordChoice;
    std::lock_guard lock(choices_mutex);
    choices.clear();
    posted.clear();
  }

  void TearDown() override {
    list_.CloseList();
    list_.Destroy();
    DestroyWindow(parent_);
  }

  void Open(int x, int y, int32_t context) {
    list_.SetRows(MenuRows(), 0, 0, 0);
    list_.OpenAt(x, y, context, kScale, 0);
    PumpMessagesFor(50);
  }

  // Opens the list with its left at x and, by pointing at its Media folder,
  // the Media list beside it.
  void OpenMedia(int x) {
    Open(x, 200, 5);
    Hover(list_, 2, RowCentre(1, 1));
    ASSERT_NE(list_.child(), nullptr);
    ASSERT_TRUE(PumpMessagesUntil([&] { return list_.child()->IsOpen(); }));
  }

  // Points at a row of `list` and waits until it is hot.
  void Hover(const QnItemList& list, int row, int y) {
    ASSERT_TRUE(PointAt(list, 60, y));
    ASSERT_TRUE(PumpMessagesUntil([&] { return list.hot_row() == row; })) << "row " << row << " never became hot";
  }

  GdiplusSession gdiplus_;
  HWND parent_ = nullptr;
  // Joined after the list has gone, as the main window joins its own.
  WorkerThreads choice_threads_;
  QnItemList list_{[this](std::function<void()> work) { choice_threads_.Start(std::move(work)); }, 0};
};

TEST_F(ItemListTest, ChoosingARowCallsBackOnAWorkerAndPostsToTheParentOnce) {
  Open(300, 200, 77);
  EXPECT_EQ(list_.opacity(), 255);  // a context value shows it at once
  Hover(list_, 3, RowCentre(2, 1));
  ASSERT_TRUE(Xdotool("click 1"));
  ASSERT_TRUE(PumpMessagesUntil([] { return ChoiceCount() == 1 && posted.size() == 1; }));
  PumpMessagesFor(200);
  std::lock_guard lock(choices_mutex);
  ASSERT_EQ(choices.size(), 1u);
  ASSERT_EQ(posted.size(), 1u);
  const Choice& c = choices[0];
  EXPECT_EQ(c.context, 77);
  EXPECT_EQ(std::u16string(c.row.name), u"Paste");
  EXPECT_EQ(c.row.position, 3);  // its place in the full row array
  EXPECT_EQ(c.row.id, 400);      // the owner's fields travel unread
  EXPECT_EQ(c.row.function_index, 12);
  EXPECT_NE(c.thread, GetCurrentThreadId());
  EXPECT_EQ(posted[0], (std::pair<WPARAM, LPARAM>{3, 77}));
}

TEST_F(ItemListTest, FolderOpensItsChildBesideItAndAChoiceThereReportsTheFullArrayPosition) {
  ASSERT_NO_FATAL_FAILURE(OpenMedia(300));
  QnItemList* child = list_.child();
  const RECT parent_rect = WindowRect(list_);
  const RECT child_rect = WindowRect(*child);
  EXPECT_EQ(child->side(), OpeningSide::kRight);
  EXPECT_EQ(child_rect.left, parent_rect.right - 11);
  EXPECT_EQ(child_rect.top, parent_rect.top + 4 + kRow + kLine);  // level with the folder
  ASSERT_EQ(child->visible_rows().size(), 3u);

  // A click on the folder itself reports nothing.
  ASSERT_TRUE(Xdotool("click 1"));
  PumpMessagesFor(200);
  EXPECT_EQ(ChoiceCount(), 0u);
  EXPECT_TRUE(posted.empty());

  Hover(*child, 2, RowCentre(2, 0));
  ASSERT_TRUE(Xdotool("click 1"));
  ASSERT_TRUE(PumpMessagesUntil([] { return ChoiceCount() == 1 && posted.size() == 1; }));
  std::lock_guard lock(choices_mutex);
  EXPECT_EQ(std::u16string(choices[0].row.name), u"Next");
  EXPECT_EQ(choices[0].row.position, 6);
  EXPECT_EQ(choices[0].context, 5);
  EXPECT_EQ(posted[0], (std::pair<WPARAM, LPARAM>{6, 5}));
}

TEST_F(ItemListTest, ChildListsOpenToTheLeftNearTheMonitorEdgeAndKeepThatSide) {
  const int width = MetricsFor(kScale, 0).width;
  ASSERT_NO_FATAL_FAILURE(OpenMedia(GetSystemMetrics(SM_CXSCREEN) - width - 40));
  QnItemList* child = list_.child();
  EXPECT_EQ(child->side(), OpeningSide::kLeft);
  EXPECT_EQ(WindowRect(*child).left, WindowRect(list_).left - width + 11);

  Hover(*child, 1, RowCentre(1, 0));
  QnItemList* grandchild = child->child();
  ASSERT_NE(grandchild, nullptr);
  ASSERT_TRUE(PumpMessagesUntil([&] { return grandchild->IsOpen(); }));
  EXPECT_EQ(grandchild->side(), OpeningSide::kLeft);
  EXPECT_EQ(WindowRect(*grandchild).left, WindowRect(*child).left - width + 11);
  EXPECT_EQ(grandchild->visible_rows().size(), 1u);

  // Closing the top list closes the whole chain.
  list_.CloseList();
  EXPECT_FALSE(child->IsOpen());
  EXPECT_FALSE(grandchild->IsOpen());
}

TEST_F(ItemListTest, MenuClosesWhenTheActivationLeavesItsListsAndItsScrollingEndsWithIt) {
  ASSERT_NO_FATAL_FAILURE(OpenMedia(300));
  QnItemList* child = list_.child();
  // The child took the activation from the list that opened it.
  PumpMessagesFor(200);
  EXPECT_TRUE(list_.IsOpen());
  EXPECT_TRUE(list_.scrolling());
  EXPECT_TRUE(child->scrolling());

  {
    const WindowOfAnotherThread other;
    EXPECT_TRUE(PumpMessagesUntil([&] { return !list_.IsOpen() && !child->IsOpen(); }));
  }
  EXPECT_FALSE(list_.scrolling());
  EXPECT_FALSE(child->scrolling());

  // The owner taking the activation closes the menu as well.
  Open(300, 200, 5);
  ASSERT_TRUE(list_.IsOpen());
  ShowWindow(parent_, SW_SHOWNA);
  SetForegroundWindow(parent_);
  EXPECT_TRUE(PumpMessagesUntil([&] { return !list_.IsOpen(); }));
  EXPECT_FALSE(list_.scrolling());
}

TEST_F(ItemListTest, TallListIsCutToWholeRowsAtTheWorkAreaBottomAndTheWheelScrollsIt) {
  RowArray rows;
  for (int i = 1; i <= 60; ++i) rows.push_back(Row(i, 0, kRowItem, ("Row " + std::to_string(i)).c_str()));
  list_.SetRows(rows, 0, 0, 0);
  list_.OpenAt(300, 400, 1, kScale, 0);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const RECT r = WindowRect(list_);
  EXPECT_EQ(r.bottom, work.bottom);
  EXPECT_EQ((r.bottom - r.top - MetricsFor(kScale, 0).frame) % kRow, 0);

  Hover(list_, 0, RowCentre(0, 0));
  ASSERT_TRUE(Xdotool("click 5"));  // wheel down
  ASSERT_TRUE(PumpMessagesUntil([&] { return list_.first_row() == 1; }));
  ASSERT_TRUE(Xdotool("click 4"));  // wheel up
  EXPECT_TRUE(PumpMessagesUntil([&] { return list_.first_row() == 0; }));
}

TEST_F(ItemListTest, FadesInWithoutAContextValue) {
  list_.SetRows(MenuRows(), 0, 0, 0);
  list_.OpenAt(300, 200, 0, kScale, 0);
  EXPECT_EQ(list_.opacity(), 0);
  // Three ticks of 30 ms; the steps themselves are the native tests' business.
  EXPECT_TRUE(PumpMessagesUntil([&] { return list_.opacity() == 255; }, 1000));
}

TEST_F(ItemListTest, ListWithoutRowsOfItsFolderIsOneRowHigh) {
  list_.SetRows(MenuRows(), 99, 0, 0);
  list_.OpenAt(300, 200, 1, kScale, 0);
  EXPECT_TRUE(list_.visible_rows().empty());
  const RECT r = WindowRect(list_);
  EXPECT_EQ(r.bottom - r.top, MetricsFor(kScale, 0).frame + kRow);
}

// Not a check: with TESSARO_SCREENSHOT_DIR set, saves popup_list.png of a
// function menu with its Media folder open, over a dark window.
TEST_F(ItemListTest, Screenshot) {
  const char* dir = std::getenv("TESSARO_SCREENSHOT_DIR");
  if (!dir) GTEST_SKIP() << "TESSARO_SCREENSHOT_DIR not set";
  const struct {
    int32_t index, parent, kind;
    const char* name;
    const char* icon;
  } entries[] = {
      {1, 0, kRowItem, "Left click", "left_click"},
      {2, 0, kRowItem, "Double click", "double_click"},
      {3, 0, kRowItem, "Middle click", "middle_click"},
      {4, 0, kRowSeparator, "", nullptr},
      {5, 0, kRowItem, "Copy", "copy"},
      {6, 0, kRowItem, "Paste", "paste"},
      {7, 0, kRowFolder, "Media", "media"},
      {8, 0, kRowFolder, "Browser", "browser"},
      {9, 0, kRowSeparator, "", nullptr},
      {10, 0, kRowItem, "Custom key", "custom_key"},
      {11, 7, kRowItem, "Play / Pause", "play_pause"},
      {12, 7, kRowItem, "Next track", "next_track"},
      {13, 7, kRowItem, "Previous track", "previous_track"},
      {14, 7, kRowSeparator, "", nullptr},
      {15, 7, kRowItem, "Volume up", "volume_up"},
      {16, 7, kRowItem, "Volume down", "volume_down"},
      {17, 7, kRowItem, "Mute", "mute"},
      {18, 8, kRowItem, "Back", "browser_back"},
  };
  std::vector<GdiplusPtr<Gdiplus::Bitmap>> icons;
  RowArray rows;
  for (const auto& e : entries) {
    _QnItemListDB row = Row(e.index, e.parent, e.kind, e.name);
    if (e.icon) {
      const std::string path = std::string(TESSARO_DATA_DIR) + "/function/function_tirro/image/" + e.icon + ".png";
      std::wstring wine_path = L"Z:";
      for (char c : path) wine_path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
      icons.push_back(MakeGdiplus<Gdiplus::Bitmap>(wine_path.c_str()));
      row.image = icons.back().get();
    }
    rows.push_back(row);
  }
  // A dark stand-in for the main window behind the menu.
  const GdiObject<HBRUSH> dark(CreateSolidBrush(RGB(0x1E, 0x23, 0x2C)));
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = dark.get();
  wc.lpszClassName = L"ItemListBackdrop";
  RegisterClassW(&wc);
  HWND backdrop = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, 1400, 1000, nullptr, nullptr,
                                  wc.hInstance, nullptr);
  list_.icon_column = true;
  list_.SetRows(rows, 0, 0, 0);
  list_.OpenAt(220, 180, 1, 0.6f, 0);
  PumpMessagesFor(200);
  const RECT r = WindowRect(list_);
  ASSERT_TRUE(Xdotool("mousemove " + std::to_string(r.left + 80) + " " + std::to_string(r.top + 4 + 5 * 57 + 14 + 28)));
  ASSERT_TRUE(PumpMessagesUntil([&] { return list_.child() && list_.child()->IsOpen(); }));
  const RECT c = WindowRect(*list_.child());
  ASSERT_TRUE(Xdotool("mousemove " + std::to_string(c.left + 80) + " " + std::to_string(c.top + 4 + 57 + 28)));
  PumpMessagesFor(500);
  EXPECT_TRUE(test::CaptureScreen(std::string(dir) + "/popup_list.png", r.left - 40, r.top - 40, c.right - r.left + 80,
                                  std::max(r.bottom, c.bottom) - r.top + 80));
  list_.CloseList();
  DestroyWindow(backdrop);
}

}  // namespace
}  // namespace tessaro

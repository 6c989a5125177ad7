// QnItemList: the program's popup menu. A borderless, topmost, layered
// window that lists rows with optional icons, separators and folders;
// hovering a folder opens a child list beside it. A choice runs the
// opener's callback on a new worker thread, which the list's owner starts
// and joins (with the context value given at opening and a copy of the
// row), and posts kItemChosenMessage to the parent window, which closes the
// list.
//
// Use: create once, set the look, then per opening SetRows and OpenAt. All
// calls on the thread that created the window.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "catalog/menu_row.h"
#include "ui/dialog_win.h"
#include "ui/gdi_raii_win.h"
#include "ui/item_list_logic.h"
#include "ui/item_list_scroller.h"

namespace tessaro {

// Posted to a list to show it once it is prepared.
inline constexpr UINT kItemListShowMessage = 12180;
// Posted to the parent window on a choice: the row's position in the full
// row array, and the context value.
inline constexpr UINT kItemChosenMessage = 12181;

// Runs on a worker thread of its own; the row is the callback's copy.
using ItemChoiceCallback = void (*)(int32_t context, _QnItemListDB row);

// Starts work on a new thread that the list's owner joins before anything
// the choice callbacks touch goes.
using ChoiceThreadStarter = std::function<void(std::function<void()> work)>;

// Colours are ARGB. A child list inherits its parent's look.
struct ItemListLook {
  std::u16string font_name = u"Tahoma";
  uint32_t background = 0xFF000000;       // the icon column
  uint32_t hover = 0xFF000000;            // the hot row
  uint32_t text_background = 0xFF000000;  // the text column
  uint32_t text = 0xFF000000;
  Gdiplus::Image* background_image = nullptr;  // tiled; owned by the opener
};

class QnItemList : public Dialog {
 public:
  // Choices run their callbacks on threads that start_thread starts; the
  // child lists use it too.
  explicit QnItemList(ChoiceThreadStarter start_thread, int32_t context = 0);
  ~QnItemList() override;

  // Set by the opener; the child list gets them too.
  ItemListLook look;
  bool icon_column = true;  // icons in a column of their own, text right of it
  ItemChoiceCallback on_choice = nullptr;

  // Replaces the rows. Shown are those of folder `parent` without the
  // excluded type (when positive) and without rows whose disable mask meets
  // `exclusion_mask`.
  void SetRows(const RowArray& rows, int32_t parent, int32_t excluded_type, int32_t exclusion_mask);

  // Opens the list with its top left at screen point (x, y), kept inside the
  // work area. A nonzero context shows it at once, 0 fades it in. A width of
  // 0 takes the default for the scale.
  void OpenAt(int x, int y, int32_t context, float scale, int width);

  // Hides the list and its child lists and hands the foreground back.
  // A menu also closes itself, as the system's menus do, when its lists
  // lose the activation: to another program, or to any window that is not
  // one of its lists.
  void CloseList();

  // For openers and tests.
  bool IsOpen() const;
  const RowArray& visible_rows() const { return visible_; }
  int hot_row() const { return hot_; }
  int first_row() const { return scroller_.State().first; }
  int opacity() const { return opacity_; }
  bool scrolling() const { return scroller_.Running(); }
  QnItemList* child() const { return child_.get(); }
  OpeningSide side() const { return side_; }

 protected:
  BOOL OnInitDialog() override;
  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;
  void OnOK() override {}
  void OnCancel() override {}

 private:
  void OnPointer(int x, int y);
  void OnButton(UINT message, int x, int y);
  void OnWheel(bool down);
  void OnTimer(UINT_PTR id);
  QnItemList& Root();
  bool InMenu(HWND other);
  void OnDeactivated(HWND next);
  void MakeHot(int row);
  void OpenChild(int folder_row);
  void CloseChild();
  void Deliver(const _QnItemListDB& row);
  void Render();
  void Paint(Gdiplus::Graphics& g, float width, float height);
  void PaintRow(Gdiplus::Graphics& g, const _QnItemListDB& row, bool hot, float y, float width,
                const Gdiplus::Font* font, const Gdiplus::StringFormat& format);
  void PaintSeparator(Gdiplus::Graphics& g, float y, float width);

  const ChoiceThreadStarter start_thread_;
  HWND parent_ = nullptr;
  int32_t context_;
  float scale_ = 0.8f;
  ItemListMetrics metrics_;
  RowArray all_;
  RowArray visible_;
  std::vector<int> heights_;
  int32_t filter_parent_ = 0;
  int32_t exclusion_mask_ = 0;
  int hot_ = -1;
  int opacity_ = 255;
  OpeningSide side_ = OpeningSide::kRight;
  bool made_cursor_visible_ = false;
  std::unique_ptr<QnItemList> child_;
  QnItemList* parent_list_ = nullptr;  // the list that opened this one as its child
  ItemListScroller scroller_;
};

}  // namespace tessaro

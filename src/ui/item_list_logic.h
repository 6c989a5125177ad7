// The popup item list's arithmetic, apart from its window: which rows it
// shows, how tall it is and where it goes on the screen, which row is under
// the pointer, where a child list opens, the smooth scroll and the fade-in.
// Rows are measured once into a list of heights, so the scrolling thread
// never touches the rows themselves.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "catalog/menu_row.h"
#include "ui/pixel_rect.h"

namespace tessaro {

// Whole-pixel lengths of a list at one scale.
struct ItemListMetrics {
  int margin = 48;      // inner margin unit; the text is 0.9 of it
  int row_height = 72;  // items and folders
  int separator_height = 8;
  int width = 700;
  int frame = 0;  // room above and below the rows together
};

// Lengths for `scale`; a width of 0 means the default width. Every length
// is at least one pixel, so a tiny scale cannot divide by zero.
ItemListMetrics MetricsFor(float scale, int width);

// The rows a list shows, in order: those of folder `parent`, without the
// excluded type (when positive) and without rows whose nonzero disable
// mask meets `exclusion_mask`. Each gets its place in `all` as position.
RowArray VisibleRows(const RowArray& all, int32_t parent, int32_t excluded_type, int32_t exclusion_mask);

std::vector<int> RowHeights(const RowArray& rows, const ItemListMetrics& metrics);

// The list's height when every row shows; an empty list is one row high.
int ListHeight(std::span<const int> heights, const ItemListMetrics& metrics);

using ScreenRect = PixelRect;

struct ListPlacement {
  int x = 0;
  int y = 0;
  int height = 0;
};

// Keeps a list of `width` x `height` opened at (x, y) inside the work area:
// one that passes the bottom moves up to end there, and one taller than the
// work area is first cut to whole rows; one that passes the right edge
// moves left.
ListPlacement FitToWorkArea(int x, int y, int width, int height, const ScreenRect& work,
                            const ItemListMetrics& metrics);

enum class OpeningSide : int32_t { kRight = 0, kLeft = 1 };

struct ChildPlacement {
  int x = 0;
  OpeningSide side = OpeningSide::kRight;
};

// Where the child of a list in `parent_window` opens. Children keep their
// parent's side until the monitor's edge turns them round. `parent_is_child`
// tells whether the parent itself is a child list.
ChildPlacement PlaceChild(const ScreenRect& parent_window, bool parent_is_child, OpeningSide side, int child_width,
                          const ScreenRect& monitor);

// The top of the child list of `folder_row`, level with that row.
int ChildTop(int parent_top, std::span<const int> heights, int first, int folder_row);

// The visible row under client point (x, y), or -1. Rows stack from y = 4
// beginning at `first`; the last pixels at the right and bottom hit nothing.
int HitRow(std::span<const int> heights, int first, int client_width, int client_height, int x, int y);

// The opacity a list opens with: an opener that gives a context value wants
// it at once; the others get the fade-in.
inline int FadeStartOpacity(int32_t context) { return context != 0 ? 255 : 0; }

struct FadeStep {
  int opacity = 255;
  bool again = false;  // run the fade timer once more
};

// One tick of the fade-in: 0, 90, 180, then 255.
FadeStep NextFadeStep(int opacity, bool layered);

// first: the first row shown; target: where the wheel wants it; offset: how
// far (pixels) the rows are still drawn from their resting place.
struct ScrollState {
  int first = 0;
  int target = 0;
  int offset = 0;
};

// One round of the scrolling thread. True when something changed.
bool StepScroll(ScrollState& state, std::span<const int> heights);

// One wheel notch: down only while the rows from the target on overflow the
// client height, up only while the target is above the first row.
void WheelScroll(ScrollState& state, bool down, std::span<const int> heights, const ItemListMetrics& metrics,
                 int client_height);

struct RowSlot {
  int row = 0;
  int y = 0;
};

// The rows a paint draws and their tops: from the row above the first (so
// a row scrolling in shows in part), until a row ends below `stop_y`.
std::vector<RowSlot> RowsToPaint(std::span<const int> heights, const ScrollState& state, float stop_y);

}  // namespace tessaro

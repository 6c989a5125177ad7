#include "ui/item_list_logic.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>

namespace tessaro {
namespace {

constexpr int kChildOverlap = 11;  // a child list covers its parent's shadow
constexpr int kHitInset = 4;       // rows start below the shadow
constexpr int kHitRightInset = 8;

int AtLeastOne(float length) { return std::max(1, static_cast<int>(length)); }

int HeightAt(std::span<const int> heights, int row) {
  return row >= 0 && static_cast<size_t>(row) < heights.size() ? heights[row] : 0;
}

int SumFrom(std::span<const int> heights, int from) {
  if (from < 0 || static_cast<size_t>(from) >= heights.size()) return 0;
  return std::accumulate(heights.begin() + from, heights.end(), 0);
}

}  // namespace

ItemListMetrics MetricsFor(float scale, int width) {
  ItemListMetrics m;
  m.margin = AtLeastOne(44 * scale);
  m.row_height = AtLeastOne(96 * scale);
  m.separator_height = AtLeastOne(24 * scale);
  m.width = width != 0 ? width : AtLeastOne(600 * scale);
  m.frame = static_cast<int>(24 * scale);
  return m;
}

RowArray VisibleRows(const RowArray& all, int32_t parent, int32_t excluded_type, int32_t exclusion_mask) {
  RowArray visible;
  for (size_t i = 0; i < all.size(); ++i) {
    const _QnItemListDB& row = all[i];
    if (row.parent != parent) continue;
    if (excluded_type > 0 && row.function_type == excluded_type) continue;
    if (row.disable_mask != 0 && (row.disable_mask & exclusion_mask) != 0) continue;
    visible.push_back(row);
    visible.back().position = static_cast<int32_t>(i);
  }
  return visible;
}

std::vector<int> RowHeights(const RowArray& rows, const ItemListMetrics& metrics) {
  std::vector<int> heights;
  heights.reserve(rows.size());
  for (const _QnItemListDB& row : rows)
    heights.push_back(row.kind == kRowSeparator ? metrics.separator_height : metrics.row_height);
  return heights;
}

int ListHeight(std::span<const int> heights, const ItemListMetrics& metrics) {
  // An empty list keeps one row's room, so that "No item" can be read.
  return metrics.frame + (heights.empty() ? metrics.row_height : SumFrom(heights, 0));
}

ListPlacement FitToWorkArea(int x, int y, int width, int height, const ScreenRect& work,
                            const ItemListMetrics& metrics) {
  ListPlacement p{x, y, height};
  if (p.y + p.height > work.bottom) {
    const int work_height = work.bottom - work.top;
    if (p.height > work_height + 1) {
      const int room = std::max(0, work_height - metrics.frame + 1);
      p.height = work_height + 1 - room % metrics.row_height;
    }
    p.y = work.bottom - p.height;
  }
  if (p.x + width > work.right) p.x = work.right - width + 1;
  return p;
}

ChildPlacement PlaceChild(const ScreenRect& parent_window, bool parent_is_child, OpeningSide side, int child_width,
                          const ScreenRect& monitor) {
  const int right_x = parent_window.right - kChildOverlap;
  const int left_x = parent_window.left - child_width + kChildOverlap;
  ChildPlacement p{right_x, side};
  if (parent_is_child && side == OpeningSide::kLeft) p.x = left_x;
  if (side == OpeningSide::kRight && p.x + child_width > monitor.right) {
    p = {left_x, OpeningSide::kLeft};
  } else if (side == OpeningSide::kLeft && p.x < monitor.left) {
    p = {right_x, OpeningSide::kRight};
  }
  return p;
}

int ChildTop(int parent_top, std::span<const int> heights, int first, int folder_row) {
  int top = parent_top + kHitInset;
  for (int i = first; i < folder_row; ++i) top += HeightAt(heights, i);
  return top;
}

int HitRow(std::span<const int> heights, int first, int client_width, int client_height, int x, int y) {
  const int limit = client_height - kHitInset;
  if (x < kHitInset || x >= client_width - kHitRightInset || y < kHitInset || y >= limit) return -1;
  int top = kHitInset;
  for (int i = std::max(0, first); static_cast<size_t>(i) < heights.size() && top < limit; ++i) {
    const int bottom = top + heights[i];
    if (y < bottom) return i;
    top = bottom;
  }
  return -1;
}

FadeStep NextFadeStep(int opacity, bool layered) {
  if (opacity >= 255) return {255, false};
  if (layered && opacity + 90 < 256) return {opacity + 90, true};
  return {255, false};
}

bool StepScroll(ScrollState& s, std::span<const int> heights) {
  if (s.first < s.target) {
    ++s.first;
    // The rows are drawn where they were and glide up from there.
    if (s.offset < 0) {
      s.offset = -s.offset;
    } else if (s.first == s.target && s.offset == 0) {
      s.offset = HeightAt(heights, s.first - 1);
    }
    return true;
  }
  if (s.first > s.target) {
    --s.first;
    if (s.offset > 0) {
      s.offset = -s.offset;
    } else if (s.first == s.target && s.offset == 0) {
      s.offset = -HeightAt(heights, s.first);
    }
    return true;
  }
  if (s.offset == 0) return false;
  // Never past zero: an odd offset would otherwise swing round it forever.
  const int step = std::abs(s.offset) < 6 ? 2 : 4;
  s.offset = s.offset > 0 ? std::max(0, s.offset - step) : std::min(0, s.offset + step);
  return true;
}

void WheelScroll(ScrollState& s, bool down, std::span<const int> heights, const ItemListMetrics& metrics,
                 int client_height) {
  if (down) {
    if (metrics.frame + SumFrom(heights, s.target) > client_height) ++s.target;
  } else if (s.target > 0) {
    --s.target;
  }
}

std::vector<RowSlot> RowsToPaint(std::span<const int> heights, const ScrollState& s, float stop_y) {
  std::vector<RowSlot> slots;
  int row = std::max(0, s.first);
  int y = s.offset;
  if (row > 0) {
    --row;
    y -= HeightAt(heights, row);
  }
  for (; static_cast<size_t>(row) < heights.size(); ++row) {
    slots.push_back({row, y});
    y += heights[row];
    if (y > stop_y) break;
  }
  return slots;
}

}  // namespace tessaro

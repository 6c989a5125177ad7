#include "shell/marker_highlight.h"

#include <bit>

namespace tessaro {

int HighlightNumber(int marker, const MODEL_DEF& model) {
  if (marker >= kModelButtonEntries) return marker;
  return std::popcount(model.button & ((1u << marker) - 1u));
}

}  // namespace tessaro

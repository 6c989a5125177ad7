// The process's peak working set, written on request for the start-up
// benchmark: when the environment variable TESSARO_PEAK_MEMORY_FILE names a
// file, the number of bytes is written there as one decimal line.
#pragma once

namespace tessaro {

inline constexpr wchar_t kPeakMemoryFileVariable[] = L"TESSARO_PEAK_MEMORY_FILE";

void WritePeakMemoryIfAsked();

}  // namespace tessaro

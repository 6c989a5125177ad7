// The control channel's commands: one JSON object per line in, one per
// line out. The commands and replies are described in
// docs/VXLIB_SIMULATION.md.
#pragma once

#include <string>
#include <string_view>

#include "vxlib/library_settings.h"
#include "vxlib/sim_backend.h"
#include "vxlib/state_report.h"

namespace vxlib {

// The reply to one command line, without its line end. Never throws for
// any input: a bad line gets {"ok":false,"error":...}.
std::string HandleControlLine(std::string_view line, SimBackend& sim, const LibrarySettings& settings,
                              const TextCodec& codec);

}  // namespace vxlib

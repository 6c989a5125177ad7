// What the mouse hook hands the action worker: one swallowed button event,
// the model whose action it performs and the program's profile that
// decided it, packed into the word of a thread message; and how the worker
// performs it.
#pragma once

#include <cstdint>
#include <optional>

#include "vxlib/action_runner.h"
#include "vxlib/mouse_input.h"
#include "vxlib/trigger_snapshot.h"

namespace vxlib {

struct Handover {
  ButtonEvent event;
  // Whose action a down event or a wheel step performs; an up event ends
  // whatever its down event started.
  ModelIndex model = kNoModel;
  // The id of the program's profile whose trigger acts; 0: the default's.
  uint32_t profile = 0;
  bool operator==(const Handover&) const = default;
};

uint64_t Pack(const Handover& h);
// nullopt for a word that names no button.
std::optional<Handover> Unpack(uint64_t word);

// The action comes from the snapshot of the moment: a trigger or a profile
// removed since the hook swallowed the event leaves nothing to perform.
void Perform(ActionRunner& runner, const TriggerSnapshot& snapshot, const Handover& h, ActionRunner::TimePoint now);

}  // namespace vxlib

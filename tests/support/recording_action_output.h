// An ActionOutput for native tests of the library's action side: it keeps
// every batch sent and every request made, in order.
#pragma once

#include <vector>

#include "vxlib/action_runner.h"

namespace test_support {

class RecordingOutput final : public vxlib::ActionOutput {
 public:
  void Send(const vxlib::InputBatch& input) override { sent.push_back(input); }
  void Request(vxlib::SystemRequest request, const VX_FUNCTION_DEF&) override { requests.push_back(request); }
  vxlib::PlanContext Context() override { return {}; }

  std::vector<vxlib::InputBatch> sent;
  std::vector<vxlib::SystemRequest> requests;
};

}  // namespace test_support

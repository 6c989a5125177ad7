#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "vxlib/scenario.h"

namespace {

template <class T>
T At(const VX_ITEM_DEF& item, size_t offset) {
  T v;
  std::memcpy(&v, item.bytes + offset, sizeof v);
  return v;
}

TEST(VxlibScenario, DevicesLandAtTheDocumentedOffsets) {
  const auto devices = vxlib::ParseScenario(R"({"devices": [
    {"name": "Receiver", "type": 2, "unit_index": 3, "unit_active": [0, 1, false, true],
     "vendor_code": "0x2b", "sub_id": 51, "usb_vid": "0x1D57", "usb_pid": 4660, "handle": "0xC0FFEE"},
    {"type": "0xfffffffe", "handle": 7}]})");
  ASSERT_EQ(devices.size(), 2u);

  const VX_ITEM_DEF& a = devices[0].item;
  EXPECT_EQ(devices[0].name, "Receiver");
  EXPECT_EQ(At<uint32_t>(a, 0), 2u);
  EXPECT_EQ(a.bytes[4], 3);
  EXPECT_EQ(a.bytes[6], 0x2b);
  EXPECT_EQ(a.bytes[10], 51);
  EXPECT_EQ(At<uint32_t>(a, 28), 4660u);
  EXPECT_EQ(At<uint32_t>(a, 32), 0x1D57u);
  EXPECT_EQ(At<uint32_t>(a, 40), 0xC0FFEEu);
  const uint8_t flags[] = {0, 1, 0, 1};
  for (size_t k = 0; k < 4; ++k) EXPECT_EQ(a.bytes[125 + 20 * k], flags[k]) << k;
  EXPECT_EQ(At<uintptr_t>(a, 1668), 0u) << "no release routine";

  const VX_ITEM_DEF& b = devices[1].item;
  EXPECT_EQ(devices[1].name, "");
  EXPECT_EQ(b.type(), 0xfffffffeu);
  EXPECT_EQ(b.handle(), 7u);
  size_t nonzero = 0;
  for (size_t i = 0; i < sizeof b.bytes; ++i) nonzero += b.bytes[i] != 0;
  EXPECT_EQ(nonzero, 5u) << "only type and handle are set";
}

TEST(VxlibScenario, EmptyOrAbsentListGivesNoDevices) {
  for (const char* text : {R"({"devices": []})", R"({"description": "none plugged"})"})
    EXPECT_TRUE(vxlib::ParseScenario(text).empty()) << text;
}

TEST(VxlibScenario, BadInputGivesNoDevices) {
  const std::string good = R"({"name": "ok", "handle": 1})";
  const std::string cases[] = {
      "",
      "not json",
      R"({"devices": )",
      "[]",
      R"({"devices": {}})",
      R"({"devices": [)" + good + R"(, 5]})",
      R"({"devices": [{"handle": 1, "sub-id": 2}]})",
      R"({"devices": [{"name": 5}]})",
      R"({"devices": [{"type": -1}]})",
      R"({"devices": [{"type": 4294967296}]})",
      R"({"devices": [{"vendor_code": 256}]})",
      R"({"devices": [{"sub_id": "0x100"}]})",
      R"({"devices": [{"unit_index": 1.5}]})",
      R"({"devices": [{"usb_vid": true}]})",
      R"({"devices": [{"usb_pid": "4660"}]})",
      R"({"devices": [{"usb_pid": "0x12g4"}]})",
      R"({"devices": [{"usb_pid": "0x"}]})",
      R"({"devices": [{"usb_pid": "0x123456789"}]})",
      R"({"devices": [{"handle": null}]})",
      R"({"devices": [{"unit_active": 1}]})",
      R"({"devices": [{"unit_active": [256]}]})",
      R"({"devices": [)" + good + ", " + good + "]}",
      "{\"devices\": [{\"name\": \"\xff\"}]}",
      std::string(20000, '[') + std::string(20000, ']'),
  };
  for (const auto& text : cases) EXPECT_TRUE(vxlib::ParseScenario(text).empty()) << text.substr(0, 80);
}

TEST(VxlibScenario, UnitTableHoldsSeventySevenFlags) {
  std::string flags = "1";
  for (int k = 1; k < 77; ++k) flags += ",1";
  const auto full = vxlib::ParseScenario(R"({"devices": [{"unit_active": [)" + flags + "]}]}");
  ASSERT_EQ(full.size(), 1u);
  EXPECT_EQ(full[0].item.unit_active(76), 1);
  EXPECT_TRUE(vxlib::ParseScenario(R"({"devices": [{"unit_active": [)" + flags + ",1]}]}").empty());
}

TEST(VxlibScenario, DeviceJsonReadsBackUnchanged) {
  const auto devices = vxlib::ParseScenario(R"({"devices": [
    {"name": "Tilt mouse", "type": 1, "unit_index": 2, "unit_active": [0, 0, 9, 0, 0],
     "vendor_code": 255, "sub_id": 4, "usb_vid": 4294967295, "usb_pid": 0, "handle": 12}]})");
  ASSERT_EQ(devices.size(), 1u);
  const auto json = vxlib::DeviceToJson(devices[0]);
  EXPECT_EQ(json["unit_active"], nlohmann::json({0, 0, 9})) << "trailing zero flags are dropped";
  const auto again = vxlib::ParseDevice(json);
  ASSERT_TRUE(again);
  EXPECT_EQ(again->name, "Tilt mouse");
  EXPECT_EQ(std::memcmp(again->item.bytes, devices[0].item.bytes, sizeof(VX_ITEM_DEF)), 0);
}

TEST(VxlibScenario, ShippedScenariosReadWhole) {
  size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(TESSARO_DATA_DIR "/scenarios")) {
    if (entry.path().extension() != ".json") continue;
    ++files;
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const auto listed = nlohmann::json::parse(text).at("devices").size();
    EXPECT_EQ(vxlib::ParseScenario(text).size(), listed) << entry.path();
  }
  EXPECT_GT(files, 0u);
}

}  // namespace

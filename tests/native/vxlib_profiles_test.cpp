// Per-program profiles in the driver library: what VX_SetAppProfile's
// record of profiles keeps and refuses, how program names compare, and
// which profile's trigger acts for a button while a program is in front.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "program_name.h"
#include "support/vxlib_records.h"
#include "vxlib/app_profiles.h"
#include "vxlib/button_triggers.h"
#include "vxlib/profile_tables.h"

namespace {

using test_support::ButtonBitTrigger;
using test_support::Filter;
using test_support::Function;
using vxlib::Button;
using Triggers = std::vector<VX_TRIGGER_DEF>;

TEST(ProgramName, FoldsLettersOfTheScriptsProgramsAreNamedIn) {
  const struct {
    char16_t in, out;
  } cases[] = {
      {u'a', u'A'},           {u'Z', u'Z'},           {u'1', u'1'},
      {u'\u00e9', u'\u00c9'}, {u'\u00ff', u'\u0178'}, {u'\u00f7', u'\u00f7'},  // division sign, not a letter
      {u'\u0101', u'\u0100'}, {u'\u013a', u'\u0139'},                          // the run whose capitals are odd
      {u'\u017e', u'\u017d'}, {u'\u0131', u'\u0131'},                          // dotless i has no capital of its own
      {u'\u03c2', u'\u03a3'}, {u'\u03c9', u'\u03a9'}, {u'\u044f', u'\u042f'},
      {u'\u0451', u'\u0401'}, {u'\u4e2d', u'\u4e2d'},
  };
  for (const auto& c : cases) EXPECT_EQ(FoldProgramChar(c.in), c.out) << std::hex << static_cast<int>(c.in);
  EXPECT_TRUE(SameProgramName(u"Firefox.EXE", u"firefox.exe"));
  EXPECT_FALSE(SameProgramName(u"firefox.exe", u"firefox.ex"));
  EXPECT_EQ(ProgramFileName(u"C:\\Program Files\\Tool\\tool.exe"), u"tool.exe");
  EXPECT_EQ(ProgramFileName(u"tool.exe"), u"tool.exe");
}

const VX_FILTER_DEF kModel = Filter(2, 0x21, 0x2103, 0x4b, 0x1d57, 0xfa60);
const VX_FILTER_DEF kOtherModel = Filter(2, 0x22, 0x2204, 0x4b, 0x1d57, 0xfa61);
const VX_FILTER_DEF kFilters[] = {kModel, kOtherModel};
constexpr size_t kModelIndex = 0;

// Back (bit 3) of the model with a key combination of Ctrl and key.
VX_TRIGGER_DEF Back(const VX_FILTER_DEF& model, uint8_t key, uint8_t type = 2) {
  return ButtonBitTrigger(model, 3, Function(type, {1, 0x11, key}, {0, key, 0x11}));
}

TEST(AppProfiles, KeepsAProfilePerProgramAndRefusesWhatIsNoFileName) {
  vxlib::AppProfiles profiles;
  const Triggers copy{Back(kModel, 'C')};
  const std::u16string longest(VX_PROGRAM_NAME_MAX, u'x');
  for (const std::u16string& bad :
       {std::u16string(), longest + u"x", std::u16string(u"C:\\Tools\\tool.exe"), std::u16string(u"tools/tool.exe"),
        std::u16string(u"c:tool.exe"), std::u16string(u"tool\t.exe")}) {
    EXPECT_FALSE(profiles.Set(bad, copy)) << bad.size();
  }
  EXPECT_FALSE(profiles.Set(u"tool.exe", Triggers(VX_PROFILE_TRIGGERS_MAX + 1, Back(kModel, 'C'))));
  EXPECT_TRUE(profiles.profiles().empty());

  ASSERT_TRUE(profiles.Set(longest, copy));
  ASSERT_TRUE(profiles.Set(u"Editor.exe", Triggers{Back(kModel, 'C'), Back(kModel, 'V')}));
  ASSERT_EQ(profiles.profiles().size(), 2u);
  const vxlib::AppProfile& editor = profiles.profiles()[1];
  EXPECT_EQ(editor.key, u"EDITOR.EXE");
  // One trigger per identity: the later one.
  ASSERT_EQ(editor.triggers.size(), 1u);
  EXPECT_EQ(editor.triggers[0].function.press[2], 'V');

  // Set again under another spelling: the same profile, its id and place.
  const uint32_t id = editor.id;
  ASSERT_TRUE(profiles.Set(u"EDITOR.exe", copy));
  EXPECT_EQ(profiles.profiles()[1].id, id);
  EXPECT_EQ(profiles.profiles()[1].name, u"EDITOR.exe");
  // Removed and added again: a new id, so nothing handed on for the old one
  // finds the new one.
  ASSERT_TRUE(profiles.Set(u"editor.exe", {}));
  EXPECT_EQ(profiles.profiles().size(), 1u);
  ASSERT_TRUE(profiles.Set(u"editor.exe", copy));
  EXPECT_NE(profiles.profiles()[1].id, id);
  EXPECT_TRUE(profiles.Set(u"never.exe", {}));  // removing what is not there
}

// The action for b of the model while the program with file name
// `program` is in front, as the worker takes it: the acting profile's,
// else the default's.
const VX_FUNCTION_DEF* Acting(const vxlib::ProfileTables& tables, const vxlib::ButtonTriggers& defaults,
                              std::u16string_view program, Button b) {
  const std::u16string key = FoldProgramName(program);
  const auto profile = tables.ActingProfile(key, kModelIndex, b);
  return profile ? tables.Find(*profile, kModelIndex, b) : defaults.Find(b);
}

TEST(ProfileResolution, TheProgramInFrontActsWhereItsProfileAssignsTheButton) {
  const Triggers defaults{Back(kModel, 'Z'), ButtonBitTrigger(kModel, 4, Function(3, {1, 0xA6}))};
  vxlib::AppProfiles profiles;
  profiles.Set(u"viewer.exe", Triggers{Back(kModel, 'C')});
  profiles.Set(u"editor.exe", Triggers{Back(kModel, 'V')});
  // Assigns only what acts like no assignment, and only another model's back.
  profiles.Set(u"plain.exe", Triggers{Back(kModel, 'X', 255), Back(kOtherModel, 'Y')});
  const size_t models[] = {kModelIndex};
  const vxlib::ButtonTriggers table(defaults, kModel);

  const struct {
    const char* what;
    std::u16string program;
    Button button;
    std::optional<uint8_t> key;  // Ctrl + key acts; nullopt: the button's own action, or type 3
  } cases[] = {
      {"profile assigns the button", u"viewer.exe", Button::kBack, 'C'},
      {"another program's profile", u"editor.exe", Button::kBack, 'V'},
      {"names compared as Windows does", u"EDITOR.EXE", Button::kBack, 'V'},
      {"profile silent on the button", u"viewer.exe", Button::kForward, std::nullopt},
      {"profile silent on a button nobody assigns", u"viewer.exe", Button::kMiddle, std::nullopt},
      {"no profile", u"shell.exe", Button::kBack, 'Z'},
      {"program with no file name", u"", Button::kBack, 'Z'},
      {"type 255 and another model's trigger", u"plain.exe", Button::kBack, 'Z'},
  };
  vxlib::ProfileTables tables(profiles.profiles(), kFilters, models);
  EXPECT_EQ(tables.AnyTakenMask(kModelIndex), 1u << vxlib::Index(Button::kBack));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const VX_FUNCTION_DEF* f = Acting(tables, table, c.program, c.button);
    if (c.button == Button::kForward) {
      ASSERT_NE(f, nullptr);
      EXPECT_EQ(f->type, 3);  // the default's media key
    } else if (c.key) {
      ASSERT_NE(f, nullptr);
      EXPECT_EQ(f->press[2], *c.key);
    } else {
      EXPECT_EQ(f, nullptr);
    }
  }

  // The profile removed while its program is in front: the default acts
  // from the next snapshot on, and an action handed on under its id finds
  // no profile.
  const uint32_t viewer = tables.id(*tables.Find(u"VIEWER.EXE"));
  profiles.Set(u"viewer.exe", {});
  tables = vxlib::ProfileTables(profiles.profiles(), kFilters, models);
  EXPECT_EQ(Acting(tables, table, u"viewer.exe", Button::kBack)->press[2], 'Z');
  EXPECT_FALSE(tables.WithId(viewer));
  EXPECT_TRUE(vxlib::ProfileTables().empty());
}

}  // namespace

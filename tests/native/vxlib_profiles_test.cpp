// Per-program profiles in the driver library: what VX_SetAppProfile's
// record of profiles keeps and refuses, how program names compare, and the
// cache that names the program in front. Which profile acts at a press is
// in vxlib_attribution_test.cpp.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "program_name.h"
#include "support/vxlib_records.h"
#include "vxlib/app_profiles.h"
#include "vxlib/program_cache.h"

namespace {

using test_support::ButtonBitTrigger;
using test_support::Filter;
using test_support::Function;
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

// Processes as a fake system has them: each id names one process until
// that process has ended and every handle to it is closed.
class FakeSystem final : public vxlib::ProcessProbe {
 public:
  // Starts a process under id; false when the id still names another.
  bool Start(uint32_t id, std::u16string path) {
    for (const Process& p : processes_) {
      if (p.id == id && (!p.ended || p.open_handles > 0)) return false;
    }
    processes_.push_back({id, std::move(path)});
    return true;
  }
  void End(uint32_t id) { Live(id)->ended = true; }

  Opened Open(uint32_t id) override {
    ++opens;
    Process* p = Live(id);
    if (!p || p->path.empty()) return {};
    ++p->open_handles;
    return {reinterpret_cast<uintptr_t>(p), p->path};
  }
  bool Ended(uintptr_t handle) override { return reinterpret_cast<Process*>(handle)->ended; }
  void Close(uintptr_t handle) override { --reinterpret_cast<Process*>(handle)->open_handles; }

  int OpenHandles() const {
    int n = 0;
    for (const Process& p : processes_) n += p.open_handles;
    return n;
  }
  int opens = 0;

 private:
  struct Process {
    uint32_t id;
    std::u16string path;
    bool ended = false;
    int open_handles = 0;
  };
  Process* Live(uint32_t id) {
    for (Process& p : processes_) {
      if (p.id == id && !p.ended) return &p;
    }
    return nullptr;
  }
  std::deque<Process> processes_;  // never moved: handles point at them
};

TEST(ProgramCache, LooksEachProcessUpOnceAndNeverNamesAReusedIdWrongly) {
  FakeSystem system;
  {
    vxlib::ProgramCache cache(system);
    ASSERT_TRUE(system.Start(10, u"C:\\Apps\\Editor.exe"));
    ASSERT_TRUE(system.Start(11, u"C:\\Apps\\viewer.exe"));
    const auto editor = cache.Of(10, 1);
    EXPECT_EQ(editor.key, u"EDITOR.EXE");
    for (int i = 0; i < 5; ++i) {
      EXPECT_EQ(cache.Of(10, 2).serial, editor.serial) << "another window of the same process";
      EXPECT_EQ(cache.Of(11, 3).key, u"VIEWER.EXE");
    }
    EXPECT_EQ(system.opens, 2) << "one look-up per process";
    EXPECT_EQ(cache.Of(0, 0).serial, 0u) << "nothing in front: no look-up";
    EXPECT_EQ(system.opens, 2);

    // While the cache holds the ended editor, its id names nobody else.
    system.End(10);
    EXPECT_FALSE(system.Start(10, u"C:\\Apps\\other.exe"));
    // Enough other processes make the cache let the ended one go.
    for (uint32_t id = 100; id < 100 + vxlib::ProgramCache::kCapacity; ++id) {
      ASSERT_TRUE(system.Start(id, u"p.exe"));
      cache.Of(id, id);
    }
    ASSERT_TRUE(system.Start(10, u"C:\\Apps\\other.exe"));
    const auto reused = cache.Of(10, 1);
    EXPECT_EQ(reused.key, u"OTHER.EXE");
    EXPECT_NE(reused.serial, editor.serial);

    // A process that cannot be named is asked again in another window, as
    // its id may name another process by then.
    ASSERT_TRUE(system.Start(20, u""));
    EXPECT_EQ(cache.Of(20, 7).key, u"");
    const int opens = system.opens;
    cache.Of(20, 7);
    EXPECT_EQ(system.opens, opens);
    cache.Of(20, 8);
    EXPECT_EQ(system.opens, opens + 1);
  }
  EXPECT_EQ(system.OpenHandles(), 0) << "the cache closes what it holds";
}

}  // namespace

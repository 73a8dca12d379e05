#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "FakeWindowTree.h"
#include "host/CommandLineWords.h"
#include "host/ScreenSaverCommandLine.h"
#include "host/WindowHandleText.h"

using namespace tessora;

namespace {

// How Windows widens a 32-bit handle value.
WindowHandle Handle32(std::int64_t value) {
  return static_cast<WindowHandle>(static_cast<std::intptr_t>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value))));
}

struct SplitCase {
  std::string commandLine;
  std::vector<std::string> words;
};

TEST(CommandLineWords, SplitsLikeTheSystemStartsPrograms) {
  const SplitCase cases[] = {
      {"", {}},
      {" \t  ", {}},
      {"Tessora.scr /s", {"Tessora.scr", "/s"}},
      {"Tessora.scr\t/p\t1234", {"Tessora.scr", "/p", "1234"}},
      {"a\x01/s\x1f" "1", {"a", "/s", "1"}},
      {"\"C:\\Program Files\\Tessora.scr\" /p 1234", {"C:\\Program Files\\Tessora.scr", "/p", "1234"}},
      {"a \"/p 1234\"", {"a", "/p 1234"}},
      {"a x\"y z\"w", {"a", "xy zw"}},
      // An empty pair before a word is a blank; inside a word it adds nothing.
      {"a \"\"/s", {"a", "/s"}},
      {"a \"\" \"\"  /s \"\"", {"a", "/s"}},
      {"a /p\"\"1234", {"a", "/p1234"}},
      {"a \"unterminated rest", {"a", "unterminated rest"}},
      {"a \"", {"a"}},
      {std::string("a /s\0/p 5", 9), {"a", "/s"}},
      // Shift-JIS bytes are word characters, not separators.
      {"a \x83\x65\x83\x58\x83\x67 b", {"a", "\x83\x65\x83\x58\x83\x67", "b"}},
  };
  for (const SplitCase& c : cases) {
    SCOPED_TRACE(c.commandLine);
    EXPECT_EQ(SplitCommandLine(c.commandLine), c.words);
  }
}

struct HandleCase {
  std::string text;
  WindowHandle handle;
};

TEST(WindowHandleText, ReadsSignedDecimalAndHexOrZero) {
  const HandleCase cases[] = {
      {"1234", 1234},
      {"   1234", 1234},
      {"+1234", 1234},
      {"0001234", 1234},
      {"$4D2", 1234},
      {"$4d2", 1234},
      {"0x4D2", 1234},
      {"0x00004d2", 1234},
      {"-$10", Handle32(-16)},
      {"2147483647", 0x7FFFFFFF},
      {"-1", Handle32(-1)},
      {"-2147483648", Handle32(-2147483648LL)},
      // The top bit may be written either way and gives the same handle.
      {"2147488308", Handle32(0x80001234)},
      {"-2147478988", Handle32(0x80001234)},
      {"$80001234", Handle32(0x80001234)},
      {"4294967295", Handle32(-1)},
      {"$FFFFFFFF", Handle32(-1)},
      {"0", 0},
      {"", 0},
      {" ", 0},
      {"-", 0},
      {"+", 0},
      {"$", 0},
      {"0x", 0},
      {"0X4D2", 0},
      {"x4D2", 0},
      {"$-5", 0},
      {"$4G2", 0},
      {"12a", 0},
      {"1234 ", 0},
      {"\t1234", 0},
      {"12 34", 0},
      {"1e3", 0},
      {"4294967296", 0},
      {"-2147483649", 0},
      {"$100000000", 0},
      {"99999999999999999999999", 0},
      {std::string(10000, '9'), 0},
      {std::string(10000, '0') + "1234", 1234},
      {std::string(10000, ' ') + "1234", 1234},
  };
  for (const HandleCase& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 40));
    EXPECT_EQ(ReadWindowHandle(c.text), c.handle);
  }
}

// Windows of the fake desktop.
constexpr WindowHandle kDesktop = 0x10010;
constexpr WindowHandle kApp = 1234;       // an ordinary top-level window
constexpr WindowHandle kDialog = 3000;    // top-level, holding a panel with a button
constexpr WindowHandle kPanel = 4000;     // child of kDialog
constexpr WindowHandle kButton = 5000;    // child of kPanel
constexpr WindowHandle kOwned = 8000;     // top-level, owned by kApp
constexpr WindowHandle kExplorer = 7001;  // the first explorer window
constexpr WindowHandle kExplorer2 = 7002; // another explorer window
constexpr WindowHandle kCabinet = 7200;
constexpr WindowHandle kProgman = 7100;
constexpr WindowHandle kDesktopView = 7110;  // child of Progman
const WindowHandle kHighBit = Handle32(0x80001234);
constexpr WindowHandle kNoWindow = 99999;

class ScreenSaverCommandLineTest : public ::testing::Test {
 protected:
  ScreenSaverCommandLineTest() {
    tree_.SetDesktop(kDesktop);
    tree_.Add({kDesktop, 0, false, "#32769"});
    tree_.Add({kApp, 0, false, "AppWindow"});
    tree_.Add({kDialog, 0, false, "#32770"});
    tree_.Add({kPanel, kDialog, true, "Panel"});
    tree_.Add({kButton, kPanel, true, "Button"});
    tree_.Add({kOwned, kApp, false, "Popup"});
    tree_.Add({kExplorer, 0, false, "ExploreWClass"});
    tree_.Add({kExplorer2, 0, false, "ExploreWClass"});
    tree_.Add({kCabinet, 0, false, "CabinetWClass"});
    tree_.Add({kProgman, 0, false, "Progman"});
    tree_.Add({kDesktopView, kProgman, true, "SHELLDLL_DefView"});
    tree_.Add({kHighBit, 0, false, "AppWindow"});
  }

  FakeWindowTree tree_;
};

struct ModeCase {
  std::string arguments;  // after the program name
  WindowHandle foreground;
  RunMode mode;
  WindowHandle parent;
  bool asksForeground;
};

constexpr RunMode kNormal = RunMode::Normal;
constexpr RunMode kPreview = RunMode::Preview;
constexpr RunMode kPassword = RunMode::Password;
constexpr RunMode kConfig = RunMode::Config;

TEST_F(ScreenSaverCommandLineTest, DecidesModeAndWindow) {
  const ModeCase cases[] = {
      // Without a switch character: configuration for no window.
      {"", kApp, kConfig, 0, false},
      {"S", kApp, kConfig, 0, false},
      {"s 1234", kApp, kConfig, 0, false},
      {"1234", kApp, kConfig, 0, false},
      // Full screen over the desktop window; only two characters count.
      {"/s", kApp, kNormal, kDesktop, false},
      {"-S", kApp, kNormal, kDesktop, false},
      {"/screen", kApp, kNormal, kDesktop, false},
      {"/S 1234", kApp, kNormal, kDesktop, false},
      // Unknown or missing letter: configuration, foreground not asked.
      {"/x", kApp, kConfig, 0, false},
      {"/", kApp, kConfig, 0, false},
      {"-", kApp, kConfig, 0, false},
      {"/1234", kApp, kConfig, 0, false},
      // /c without a handle: the foreground window's top-level window.
      {"/c", kApp, kConfig, kApp, true},
      {"-C", kApp, kConfig, kApp, true},
      {"/config", kApp, kConfig, kApp, true},
      {"/c", kButton, kConfig, kDialog, true},
      {"/c", kOwned, kConfig, kOwned, true},
      {"/c", 0, kConfig, 0, true},
      // ... but never the first shell window of its class.
      {"/c", kExplorer, kConfig, 0, true},
      {"/c", kExplorer2, kConfig, kExplorer2, true},
      {"/c", kCabinet, kConfig, 0, true},
      {"/c", kProgman, kConfig, 0, true},
      {"/c", kDesktopView, kConfig, 0, true},
      // /c:handle
      {"/c:1234", kDialog, kConfig, kApp, false},
      {"/C:$4D2", kDialog, kConfig, kApp, false},
      {"-c:0x4d2", kDialog, kConfig, kApp, false},
      {"/c:5000", kApp, kConfig, kDialog, false},
      {"/c:7001", kApp, kConfig, 0, false},
      {"/c:7110", kApp, kConfig, 0, false},
      {"/c:", kApp, kConfig, kApp, true},
      {"/c:0", kApp, kConfig, kApp, true},
      {"/c:abc", kApp, kConfig, kApp, true},
      {"/c:1234:5", kDialog, kConfig, kDialog, true},
      {"/c:99999", kApp, kConfig, kApp, true},
      // A separate handle argument is not read for /c.
      {"/c 1234", kDialog, kConfig, kDialog, true},
      // Preview: the handle as given, no climb and no shell test.
      {"/p 1234", kApp, kPreview, kApp, false},
      {"-P 5000", kApp, kPreview, kButton, false},
      {"/p 7100", kApp, kPreview, kProgman, false},
      {"/p $4D2", kApp, kPreview, kApp, false},
      {"/p 0x4D2", kApp, kPreview, kApp, false},
      {"/p 1234 5000", kApp, kPreview, kApp, false},
      {"/preview 1234", kApp, kPreview, kApp, false},
      {"/p $80001234", kApp, kPreview, kHighBit, false},
      {"/p 2147488308", kApp, kPreview, kHighBit, false},
      {"/p -2147478988", kApp, kPreview, kHighBit, false},
      {"/p:1234", kApp, kPreview, 0, false},
      {"/p", kApp, kPreview, 0, false},
      {"/p 0", kApp, kPreview, 0, false},
      {"/p abc", kApp, kPreview, 0, false},
      {"/p 0X4D2", kApp, kPreview, 0, false},
      {"/p 99999", kApp, kPreview, 0, false},
      {"/p -1", kApp, kPreview, 0, false},
      {"/p 4294967295", kApp, kPreview, 0, false},
      {"/p 99999999999", kApp, kPreview, 0, false},
      // Quoting.
      {"\"/p\" \"1234\"", kApp, kPreview, kApp, false},
      {"\"/p 1234\"", kApp, kPreview, 0, false},
      {"/p \" 1234\"", kApp, kPreview, kApp, false},
      {"/p \"1234 \"", kApp, kPreview, 0, false},
      {"/p \"\"1234", kApp, kPreview, kApp, false},
      {"\"\"/p 1234", kApp, kPreview, kApp, false},
      {"/p \"\"", kApp, kPreview, 0, false},
      // Password change: the handle's top-level window, shell windows excepted.
      {"/a 1234", kApp, kPassword, kApp, false},
      {"-A 5000", kApp, kPassword, kDialog, false},
      {"/a 8000", kApp, kPassword, kOwned, false},
      {"/a 7001", kApp, kPassword, 0, false},
      {"/a 7002", kApp, kPassword, kExplorer2, false},
      {"/a 7110", kApp, kPassword, 0, false},
      {"/a", kApp, kPassword, 0, false},
      {"/a:1234", kApp, kPassword, 0, false},
      {"/a 99999", kApp, kPassword, 0, false},
  };
  for (const ModeCase& c : cases) {
    SCOPED_TRACE("arguments: " + c.arguments);
    FakeWindowTree tree = tree_;
    tree.SetForeground(c.foreground);
    const ParsedCommandLine parsed = ParseCommandLine("Tessora.scr " + c.arguments, tree);
    EXPECT_EQ(parsed.Mode, c.mode);
    EXPECT_EQ(parsed.hWndParent, c.parent);
    EXPECT_EQ(tree.ForegroundLookups() > 0, c.asksForeground);
  }
}

TEST_F(ScreenSaverCommandLineTest, ProgramNameIsNeverAnArgument) {
  tree_.SetForeground(kApp);
  EXPECT_EQ(ParseCommandLine("", tree_), (ParsedCommandLine{kConfig, 0}));
  EXPECT_EQ(ParseCommandLine("/s", tree_), (ParsedCommandLine{kConfig, 0}));
  EXPECT_EQ(ParseCommandLine("\"C:\\Program Files\\Tessora.scr\" /p 1234", tree_), (ParsedCommandLine{kPreview, kApp}));
  EXPECT_EQ(ParseCommandLine("C:\\Program Files\\Tessora.scr /s", tree_), (ParsedCommandLine{kConfig, 0}));
  EXPECT_EQ(tree_.ForegroundLookups(), 0);
}

TEST_F(ScreenSaverCommandLineTest, ArgumentListsGiveTheSameAnswers) {
  tree_.SetForeground(kButton);
  const std::vector<std::string> empty{""};
  const std::vector<std::string> preview{"/p", "1234"};
  const std::vector<std::string> config{"/c", "1234"};
  EXPECT_EQ(ParseArguments({}, tree_), (ParsedCommandLine{kConfig, 0}));
  EXPECT_EQ(ParseArguments(empty, tree_), (ParsedCommandLine{kConfig, 0}));
  EXPECT_EQ(ParseArguments(preview, tree_), (ParsedCommandLine{kPreview, kApp}));
  EXPECT_EQ(ParseArguments(config, tree_), (ParsedCommandLine{kConfig, kDialog}));
}

TEST_F(ScreenSaverCommandLineTest, HugeArgumentsAreReadSafely) {
  tree_.SetForeground(kApp);
  const std::string digits(10000, '9');
  const std::string letters(10000, 'x');
  const std::string quotes(10001, '"');
  const std::string blanks(10000, ' ');
  const std::string controls(10000, '\x01');
  const struct {
    std::string arguments;
    ParsedCommandLine expected;
  } cases[] = {
      {"/p " + digits, {kPreview, 0}},
      {"/p " + std::string(10000, '0') + "1234", {kPreview, kApp}},
      {"/p \"" + blanks + "1234\"", {kPreview, kApp}},
      {"/a $" + std::string(10000, 'F'), {kPassword, 0}},
      {"/c:" + digits, {kConfig, kApp}},
      {"/s" + letters, {kNormal, kDesktop}},
      {letters, {kConfig, 0}},
      {quotes, {kConfig, 0}},
      {"\"" + blanks, {kConfig, 0}},
      {controls + "/s" + controls, {kNormal, kDesktop}},
      {"/p " + quotes + "1234", {kPreview, kApp}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments.substr(0, 20));
    EXPECT_EQ(ParseCommandLine("Tessora.scr " + c.arguments, tree_), c.expected);
  }
}

TEST_F(ScreenSaverCommandLineTest, TopLevelClimbFollowsChildWindowsOnly) {
  EXPECT_EQ(TopLevelWindowOf(kButton, tree_), kDialog);
  EXPECT_EQ(TopLevelWindowOf(kPanel, tree_), kDialog);
  EXPECT_EQ(TopLevelWindowOf(kDialog, tree_), kDialog);
  // An owned top-level window is not climbed to its owner.
  EXPECT_EQ(TopLevelWindowOf(kOwned, tree_), kOwned);
  EXPECT_EQ(TopLevelWindowOf(0, tree_), 0u);
  // A handle that names no window has no child style and stays.
  EXPECT_EQ(TopLevelWindowOf(kNoWindow, tree_), kNoWindow);
}

TEST(TopLevelClimb, EndsOnBrokenParentChains) {
  FakeWindowTree tree;
  tree.Add({10, 11, true, "Loop"});
  tree.Add({11, 10, true, "Loop"});
  tree.Add({20, 0, true, "Orphan"});
  tree.Add({30, 20, true, "UnderOrphan"});
  EXPECT_EQ(TopLevelWindowOf(10, tree), 0u);
  EXPECT_EQ(TopLevelWindowOf(30, tree), 0u);
}

TEST(ShellWindowRule, OnlyTheFirstWindowOfEachClassCounts) {
  FakeWindowTree tree;
  tree.Add({1, 0, false, "CabinetWClass"});
  tree.Add({2, 0, true, "Progman"});  // a child is never found as a top-level window
  tree.Add({3, 0, false, "Progman"});
  tree.Add({4, 0, false, "CabinetWClass"});
  EXPECT_TRUE(IsShellWindow(1, tree));
  EXPECT_FALSE(IsShellWindow(2, tree));
  EXPECT_TRUE(IsShellWindow(3, tree));
  EXPECT_FALSE(IsShellWindow(4, tree));
  // No explorer window exists: 0 is still not a shell window to clear.
  EXPECT_FALSE(IsShellWindow(0, tree));
}

}  // namespace

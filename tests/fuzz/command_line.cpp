// The screensaver command line: the words of any text, and the run mode and window
// decided from them in a small window tree, against the rules followed step by step.
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "FakeWindowTree.h"
#include "FuzzCheck.h"
#include "host/CommandLineWords.h"
#include "host/ScreenSaverCommandLine.h"
#include "host/WindowHandleText.h"

using namespace tessora;

namespace {
WindowHandle Handle32(std::uint32_t value) {
  return static_cast<WindowHandle>(static_cast<std::intptr_t>(static_cast<std::int32_t>(value)));
}

// The handles are small decimal numbers, so that seeds and mutations name them.
FakeWindowTree MakeTree() {
  FakeWindowTree tree;
  tree.Add({65552, 0, false, "#32769"});        // desktop
  tree.Add({131090, 0, false, "Progman"});      // shell desktop
  tree.Add({131092, 131090, true, "SHELLDLL_DefView"});
  tree.Add({196628, 0, false, "CabinetWClass"});
  tree.Add({196630, 0, false, "CabinetWClass"});  // not the first of its class
  tree.Add({262164, 0, false, "#32770"});       // display settings
  tree.Add({262166, 262164, true, "SSDemoParent"});  // preview window
  tree.Add({262168, 262166, true, "Static"});
  tree.Add({327700, 262164, false, "#32770"});  // owned top-level window
  tree.Add({Handle32(0x80001234), 0, false, "HighBit"});
  tree.Add({Handle32(0x80001236), Handle32(0x80001234), true, "HighBitChild"});
  // A parent chain that loops never reaches a top-level window.
  tree.Add({393236, 393238, true, "Loop"});
  tree.Add({393238, 393236, true, "Loop"});
  tree.SetDesktop(65552);
  tree.SetForeground(262168);
  return tree;
}

WindowHandle ReferenceTopLevel(WindowHandle window, const FakeWindowTree& tree) {
  std::set<WindowHandle> visited;
  while (window != 0 && (tree.Style(window) & kWindowStyleChild) != 0) {
    if (!visited.insert(window).second) return 0;
    window = tree.Parent(window);
  }
  return window;
}

ParsedCommandLine Reference(const std::vector<std::string>& words, const FakeWindowTree& tree, bool& asksForeground) {
  asksForeground = false;
  ParsedCommandLine result;
  if (words.size() < 2) return result;
  const std::string& first = words[1];
  if (first[0] != '/' && first[0] != '-') return result;
  const auto existing = [&](std::string_view text) {
    const WindowHandle window = ReadWindowHandle(text);
    return window != 0 && tree.IsWindow(window) ? window : WindowHandle{0};
  };
  const char letter = first.size() > 1 ? first[1] : '\0';
  if (letter == 'p' || letter == 'P') {
    result.Mode = RunMode::Preview;
    result.hWndParent = words.size() > 2 ? existing(words[2]) : 0;
    return result;
  }
  if (letter == 's' || letter == 'S') {
    result.Mode = RunMode::Normal;
    result.hWndParent = tree.DesktopWindow();
  } else if (letter == 'a' || letter == 'A') {
    result.Mode = RunMode::Password;
    result.hWndParent = words.size() > 2 ? existing(words[2]) : 0;
  } else if (letter == 'c' || letter == 'C') {
    const std::size_t colon = first.find(':');
    result.hWndParent = existing(colon == std::string::npos ? first : first.substr(colon + 1));
    if (result.hWndParent == 0) {
      asksForeground = true;
      result.hWndParent = tree.ForegroundWindow();
    }
  }
  result.hWndParent = ReferenceTopLevel(result.hWndParent, tree);
  for (const char* shell : {"ExploreWClass", "CabinetWClass", "Progman"}) {
    if (result.hWndParent != 0 && result.hWndParent == tree.FindTopLevelWindow(shell)) result.hWndParent = 0;
  }
  return result;
}

std::string Describe(const ParsedCommandLine& parsed) {
  return "mode " + std::to_string(static_cast<int>(parsed.Mode)) + " window " + std::to_string(parsed.hWndParent);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  const std::vector<std::string> words = SplitCommandLine(text);
  std::string quoted;
  for (const std::string& word : words) {
    FUZZ_CHECK(!word.empty(), "an empty word from " + fuzz::Quoted(text));
    FUZZ_CHECK(word.find_first_of(std::string_view("\"\0", 2)) == std::string::npos,
               "the word " + fuzz::Quoted(word) + " keeps a quote or a NUL");
    quoted += (quoted.empty() ? "\"" : " \"") + word + "\"";
  }
  // Every word, quoted, is a word again.
  FUZZ_CHECK(SplitCommandLine(quoted) == words, "the words of " + fuzz::Quoted(text) + ", quoted as " +
                                                    fuzz::Quoted(quoted) + ", split otherwise");

  const FakeWindowTree referenceTree = MakeTree();
  bool asksForeground = false;
  const ParsedCommandLine expected = Reference(words, referenceTree, asksForeground);

  const FakeWindowTree tree = MakeTree();
  const ParsedCommandLine parsed = ParseCommandLine(text, tree);
  FUZZ_CHECK(parsed == expected, fuzz::Quoted(text) + " gives " + Describe(parsed) + ", the rules give " + Describe(expected));
  FUZZ_CHECK((tree.ForegroundLookups() > 0) == asksForeground,
             fuzz::Quoted(text) + (asksForeground ? " does not ask" : " asks") + " for the foreground window");

  if (!words.empty()) {
    const std::vector<std::string> arguments(words.begin() + 1, words.end());
    FUZZ_CHECK(ParseArguments(arguments, tree) == parsed, "the arguments of " + fuzz::Quoted(text) + " decide otherwise");
  }
  return 0;
}

#include "host/ScreenSaverCommandLine.h"

#include <vector>

#include "host/CommandLineWords.h"
#include "host/WindowHandleText.h"

namespace tessora {

namespace {
// Real window trees are far shallower; this only stops a parent chain that
// loops (a fake tree, or windows re-parented while we climb).
constexpr int kMaxClimb = 256;

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// A handle that names no window counts as none: an owner that does not exist
// would make the message box fail and leave the dialog's placement undefined.
WindowHandle ExistingWindow(WindowHandle window, const WindowLookup& windows) {
  return window != 0 && windows.IsWindow(window) ? window : 0;
}

ParsedCommandLine DecideMode(std::span<const std::string> arguments, const WindowLookup& windows) {
  ParsedCommandLine result;
  if (arguments.empty()) return result;
  const std::string& first = arguments[0];
  if (first.empty() || (first[0] != '/' && first[0] != '-')) return result;
  const char letter = first.size() > 1 ? UpperAscii(first[1]) : '\0';
  const auto handleArgument = [&]() -> WindowHandle {
    return arguments.size() > 1 ? ExistingWindow(ReadWindowHandle(arguments[1]), windows) : 0;
  };
  switch (letter) {
    case 'S':
      result.Mode = RunMode::Normal;
      result.hWndParent = windows.DesktopWindow();
      break;
    case 'P':
      result.Mode = RunMode::Preview;
      result.hWndParent = handleArgument();
      break;
    case 'A':
      result.Mode = RunMode::Password;
      result.hWndParent = handleArgument();
      break;
    case 'C': {
      const std::size_t colon = first.find(':');
      const std::string_view handleText =
          colon == std::string::npos ? std::string_view(first) : std::string_view(first).substr(colon + 1);
      result.hWndParent = ExistingWindow(ReadWindowHandle(handleText), windows);
      if (result.hWndParent == 0) result.hWndParent = windows.ForegroundWindow();
      break;
    }
    default:
      break;
  }
  return result;
}
}  // namespace

WindowHandle TopLevelWindowOf(WindowHandle window, const WindowLookup& windows) {
  for (int depth = 0; window != 0 && (windows.Style(window) & kWindowStyleChild) != 0; ++depth) {
    if (depth == kMaxClimb) return 0;
    window = windows.Parent(window);
  }
  return window;
}

bool IsShellWindow(WindowHandle window, const WindowLookup& windows) {
  if (window == 0) return false;
  for (std::string_view className : kShellWindowClasses) {
    if (window == windows.FindTopLevelWindow(className)) return true;
  }
  return false;
}

ParsedCommandLine ParseArguments(std::span<const std::string> arguments, const WindowLookup& windows) {
  ParsedCommandLine result = DecideMode(arguments, windows);
  // The preview window is a child of the display settings; it is used as given.
  if (result.Mode != RunMode::Preview) {
    result.hWndParent = TopLevelWindowOf(result.hWndParent, windows);
    if (IsShellWindow(result.hWndParent, windows)) result.hWndParent = 0;
  }
  return result;
}

ParsedCommandLine ParseCommandLine(std::string_view commandLine, const WindowLookup& windows) {
  const std::vector<std::string> words = SplitCommandLine(commandLine);
  if (words.empty()) return {};
  return ParseArguments(std::span<const std::string>(words).subspan(1), windows);
}

}  // namespace tessora

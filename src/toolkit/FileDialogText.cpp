#include "toolkit/FileDialogText.h"

namespace tessora::tk {

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// A drive path ("C:\x") or a network path ("\\server\x"): not to be put under the folder.
bool IsAbsolute(std::wstring_view name) {
  if (name.size() >= 3 && name[1] == L':' && IsSeparator(name[2])) return true;
  return name.size() >= 2 && IsSeparator(name[0]) && IsSeparator(name[1]);
}

std::wstring InFolder(std::wstring_view folder, std::wstring_view name) {
  if (IsAbsolute(name)) return std::wstring(name);
  std::wstring path(folder);
  // A drive's root ("C:\") already ends with its separator.
  if (!path.empty() && !IsSeparator(path.back())) path += L'\\';
  path += name;
  return path;
}

}  // namespace

std::wstring DialogFilter(std::wstring_view filter) {
  std::vector<std::wstring_view> parts;
  size_t start = 0;
  for (;;) {
    const size_t bar = filter.find(L'|', start);
    parts.push_back(filter.substr(start, bar == std::wstring_view::npos ? std::wstring_view::npos : bar - start));
    if (bar == std::wstring_view::npos) break;
    start = bar + 1;
  }
  std::wstring out;
  for (size_t i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i + 1].empty()) continue;
    out.append(parts[i]);
    out += L'\0';
    out.append(parts[i + 1]);
    out += L'\0';
  }
  if (!out.empty()) out += L'\0';
  return out;
}

std::vector<std::wstring> ChosenFiles(std::wstring_view answer) {
  std::vector<std::wstring_view> parts;
  size_t start = 0;
  while (start < answer.size()) {
    size_t end = answer.find(L'\0', start);
    if (end == std::wstring_view::npos) end = answer.size();
    if (end == start) break;  // the closing NUL
    parts.push_back(answer.substr(start, end - start));
    start = end + 1;
  }
  std::vector<std::wstring> files;
  if (parts.size() == 1) {
    files.emplace_back(parts[0]);
    return files;
  }
  for (size_t i = 1; i < parts.size(); ++i) files.push_back(InFolder(parts[0], parts[i]));
  return files;
}

}  // namespace tessora::tk

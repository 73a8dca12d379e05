#include "host/CommandLineWords.h"

#include <utility>

namespace tessora {

namespace {
bool IsSeparator(char c) { return static_cast<unsigned char>(c) <= ' '; }
}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
  commandLine = commandLine.substr(0, commandLine.find('\0'));
  std::vector<std::string> words;
  std::size_t pos = 0;
  const std::size_t end = commandLine.size();
  for (;;) {
    for (;;) {
      while (pos < end && IsSeparator(commandLine[pos])) ++pos;
      if (pos + 1 < end && commandLine[pos] == '"' && commandLine[pos + 1] == '"') {
        pos += 2;
        continue;
      }
      break;
    }
    if (pos >= end) break;
    std::string word;
    while (pos < end && !IsSeparator(commandLine[pos])) {
      if (commandLine[pos] != '"') {
        word += commandLine[pos++];
        continue;
      }
      const std::size_t close = commandLine.find('"', pos + 1);
      const std::size_t stop = close == std::string_view::npos ? end : close;
      word.append(commandLine.substr(pos + 1, stop - pos - 1));
      pos = stop == end ? end : stop + 1;
    }
    // Only a lone quote at the very end gets here with nothing in it.
    if (!word.empty()) words.push_back(std::move(word));
  }
  return words;
}

}  // namespace tessora

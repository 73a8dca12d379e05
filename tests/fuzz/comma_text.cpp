// Comma text: any text splits; joined fields split back into the same fields, and a
// split text joined again splits into what it split into.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "settings/CommaText.h"

using namespace tessora;

namespace {
std::string Describe(const std::vector<std::string>& fields) {
  std::string out = "{";
  for (std::size_t i = 0; i < fields.size(); ++i) out += (i ? ", " : "") + fuzz::Quoted(fields[i]);
  return out + "}";
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  const std::vector<std::string> split = SplitCommaText(text);
  for (const std::string& field : split) FUZZ_CHECK(field.find('\0') == std::string::npos, "a field holds a NUL");
  const std::string rejoined = JoinCommaText(split);
  FUZZ_CHECK(SplitCommaText(rejoined) == split,
             "split " + fuzz::Quoted(text) + " into " + Describe(split) + ", joined as " + fuzz::Quoted(rejoined) +
                 " it splits into " + Describe(SplitCommaText(rejoined)));

  // The same bytes read as a list of fields: a NUL byte ends a field, since no
  // comma text can carry one.
  std::vector<std::string> fields;
  for (std::size_t start = 0; start <= text.size() && !text.empty();) {
    const std::size_t end = std::min(text.find('\0', start), text.size());
    fields.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  const std::string joined = JoinCommaText(fields);
  const std::vector<std::string_view> views(fields.begin(), fields.end());
  FUZZ_CHECK(JoinCommaText(views) == joined, "the two joins differ");
  FUZZ_CHECK(SplitCommaText(joined) == fields,
             "joined " + Describe(fields) + " as " + fuzz::Quoted(joined) + ", it splits into " +
                 Describe(SplitCommaText(joined)));
  return 0;
}

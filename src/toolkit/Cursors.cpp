#include "toolkit/Cursors.h"

#include <map>

namespace tessora::tk {

namespace {
std::map<int, HCURSOR>& Table() {
  static std::map<int, HCURSOR> table;
  return table;
}
}  // namespace

void SetScreenCursor(int number, HCURSOR cursor) {
  if (cursor) {
    Table()[number] = cursor;
  } else {
    Table().erase(number);
  }
}

HCURSOR ScreenCursor(int number) {
  const auto it = Table().find(number);
  return it == Table().end() ? nullptr : it->second;
}

}  // namespace tessora::tk

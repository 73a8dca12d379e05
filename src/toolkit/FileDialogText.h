#pragma once
// The texts the open-file dialog exchanges with its caller: the filter, written as
// "description|pattern" pairs, and the list of chosen files the dialog hands back.
#include <string>
#include <string_view>
#include <vector>

namespace tessora::tk {

// "d1|p1|d2|p2" as the dialog wants it: every part ends with a NUL and the list with
// a second one. A description without a pattern is left out: an empty pattern would
// end the list early. An empty filter gives an empty text (no filter at all).
std::wstring DialogFilter(std::wstring_view filter);

// The dialog's answer, up to its closing double NUL: one full path, or a folder followed
// by names in that folder (several files). Full paths come back in the dialog's order.
std::vector<std::wstring> ChosenFiles(std::wstring_view answer);

}  // namespace tessora::tk

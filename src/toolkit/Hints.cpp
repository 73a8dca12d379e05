#include "toolkit/Hints.h"

#include <commctrl.h>

#include <algorithm>

#include "toolkit/Form.h"
#include "toolkit/GraphicControl.h"

namespace tessora::tk {

namespace {
void CollectTools(Control& control, HWND formWnd, std::vector<std::pair<Control*, HWND>>& out) {
  auto* w = dynamic_cast<WinControl*>(&control);
  if (w) {
    for (Control* c : w->Controls()) CollectTools(*c, formWnd, out);
  }
  if (control.Hint().empty()) return;
  if (w) {
    for (HWND wnd : w->HintWindows()) out.emplace_back(&control, wnd);
  } else if (control.Parent() && control.Parent()->HandleAllocated() && control.Visible()) {
    out.emplace_back(&control, nullptr);
  }
}
}  // namespace

HintWindow::HintWindow(Form* form) : WinControl(form), form_(form) {
  visible_ = false;
  SetParentWindow(form->Handle());
  Handle();
}

void HintWindow::FillCreateParams(CreateParams& params) {
  WinControl::FillCreateParams(params);
  params.SubclassOf = TOOLTIPS_CLASSW;
  params.Style = WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX;
  params.ExStyle = WS_EX_TOPMOST;
  params.X = params.Y = params.Width = params.Height = CW_USEDEFAULT;
}

void HintWindow::HandleCreated() {
  SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SendMessageW(Handle(), TTM_ACTIVATE, active_, 0);
}

void HintWindow::SetActive(bool active) {
  active_ = active;
  if (HandleAllocated()) SendMessageW(Handle(), TTM_ACTIVATE, active, 0);
}

TTTOOLINFOW HintWindow::Info(const Tool& tool) const {
  TTTOOLINFOW info{};
  info.cbSize = sizeof info;
  info.uFlags = tool.flags;
  info.hwnd = tool.window;
  info.uId = tool.id;
  info.rect = tool.rect;
  info.lpszText = const_cast<wchar_t*>(tool.text.c_str());
  return info;
}

void HintWindow::Sync(Form& form) {
  HWND tip = Handle();
  if (!tip) return;
  HWND formWnd = form.Handle();
  std::vector<std::pair<Control*, HWND>> found;
  for (Control* c : form.Controls()) CollectTools(*c, formWnd, found);
  std::vector<Tool> wanted;
  wanted.reserve(found.size());
  for (const auto& [control, wnd] : found) {
    if (wnd) {
      wanted.push_back({formWnd, reinterpret_cast<UINT_PTR>(wnd), TTF_IDISHWND | TTF_SUBCLASS, {}, control->Hint()});
    } else {
      wanted.push_back({control->Parent()->Handle(), reinterpret_cast<UINT_PTR>(control), TTF_SUBCLASS,
                        control->BoundsRect(), control->Hint()});
    }
  }
  const auto same = [](const Tool& a, const Tool& b) { return a.window == b.window && a.id == b.id; };
  for (const Tool& old : tools_) {
    if (std::none_of(wanted.begin(), wanted.end(), [&](const Tool& t) { return same(t, old); })) {
      TTTOOLINFOW info = Info(old);
      SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
  }
  for (const Tool& tool : wanted) {
    TTTOOLINFOW info = Info(tool);
    const auto old = std::find_if(tools_.begin(), tools_.end(), [&](const Tool& t) { return same(t, tool); });
    if (old == tools_.end()) {
      SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
      continue;
    }
    if (old->text != tool.text) SendMessageW(tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
    if (!(tool.flags & TTF_IDISHWND) && !EqualRect(&old->rect, &tool.rect))
      SendMessageW(tip, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
  }
  tools_ = std::move(wanted);
}

bool HintWindow::Showing() { return HandleAllocated() && IsWindowVisible(Handle()); }

std::wstring HintWindow::ShownText() {
  if (!Showing()) return {};
  TTTOOLINFOW info{};
  info.cbSize = sizeof info;
  if (!SendMessageW(Handle(), TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&info))) return {};
  wchar_t text[1024] = {};
  info.lpszText = text;
  SendMessageW(Handle(), TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&info));
  return text;
}

}  // namespace tessora::tk

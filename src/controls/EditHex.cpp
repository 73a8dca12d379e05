#include "controls/EditHex.h"

#include <imm.h>

#include "controls/SUDStd.h"
#include "toolkit/WinCalls.h"

namespace tessora {
namespace {

DWORD AlignmentStyle(EditAlignment alignment) {
  switch (alignment) {
    case EditAlignment::taRightJustify:
      return ES_RIGHT;
    case EditAlignment::taCenter:
      return ES_CENTER;
    case EditAlignment::taLeftJustify:
      break;
  }
  return ES_LEFT;
}

}  // namespace

TEditHex::TEditHex(tk::Component* owner) : WinControl(owner) {
  width_ = 121;
  height_ = 21;
}

NumeralStyle TEditHex::Style() const { return {numericType_, digitCount_, fourDigit_}; }

void TEditHex::FillCreateParams(tk::CreateParams& params) {
  WinControl::FillCreateParams(params);
  params.SubclassOf = L"EDIT";
  // Multi-line only for the alignment styles, which older single-line edits ignore;
  // the field itself never takes a line break.
  params.Style = (params.Style & ~static_cast<DWORD>(WS_CLIPCHILDREN)) | WS_TABSTOP | ES_AUTOHSCROLL | ES_MULTILINE |
                 AlignmentStyle(alignment_);
  params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TEditHex::HandleCreated() {
  if (imeDisabled_) ImmAssociateContextEx(Handle(), nullptr, 0);
}

void TEditHex::SetImeDisabled(bool disabled) {
  if (disabled == imeDisabled_) return;
  imeDisabled_ = disabled;
  if (HandleAllocated()) ImmAssociateContextEx(Handle(), nullptr, disabled ? 0 : IACE_DEFAULT);
}

std::string TEditHex::WindowText() { return HandleAllocated() ? ReadWindowText(Handle()) : tk::FromWide(caption_); }

void TEditHex::SetWindowText(std::string_view text) {
  if (HandleAllocated()) {
    SetWindowTextA(Handle(), std::string(text).c_str());
  } else {
    caption_ = tk::ToWide(text);
  }
}

std::string TEditHex::Text() { return numeralOnly_ ? UngroupDigits(WindowText()) : WindowText(); }

void TEditHex::SetText(std::string_view text) {
  SetWindowText(numeralOnly_ ? NumeralTextFor(text, Style()) : std::string(text));
}

void TEditHex::SetAlignment(EditAlignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  if (!HandleAllocated()) return;
  HWND old = Handle();
  caption_ = tk::ToWide(WindowText());
  const bool focused = GetFocus() == old;
  // The new window takes the old one's place in the tab order.
  HWND previous = GetWindow(old, GW_HWNDPREV);
  DestroyHandle();
  HWND wnd = Handle();
  if (!wnd) return;
  SetWindowPos(wnd, previous ? previous : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (focused) ::SetFocus(wnd);
}

void TEditHex::SetMaxPlaces(TNumericalPlace places) {
  if (places == maxPlaces_) return;
  maxPlaces_ = places;
  digitCount_ = HexDigitCount(places);
  Reexpress();
}

void TEditHex::SetFourDigit(bool fourDigit) {
  if (fourDigit == fourDigit_) return;
  fourDigit_ = fourDigit;
  Reexpress();
}

void TEditHex::SetNumericType(TNumericalType type) {
  if (type == numericType_) return;
  numericType_ = type;
  Reexpress();
}

void TEditHex::SetNumeralOnly(bool numeralOnly) {
  if (numeralOnly == numeralOnly_) return;
  numeralOnly_ = numeralOnly;
  if (numeralOnly) SetWindowText(NumeralOnlyText(WindowText(), Style()));
}

void TEditHex::Reexpress() {
  if (numeralOnly_) SetWindowText(ReexpressedText(WindowText(), Style()));
}

void TEditHex::Reformat() {
  if (!HandleAllocated()) return;
  HWND wnd = Handle();
  const std::string text = ReadWindowText(wnd);
  DWORD start = 0, end = 0;
  SendMessageW(wnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  // The selection counts characters, the rules count bytes; both keep their distance
  // from the end, and what stays after the rebuild is single-byte anyway.
  const int chars = GetWindowTextLengthW(wnd);
  const int bytes = static_cast<int>(text.size());
  const ReformatResult result = tessora::Reformat(text, bytes - (chars - static_cast<int>(start)),
                                                  bytes - (chars - static_cast<int>(end)), Style());
  if (result.text != text) SetWindowTextA(wnd, result.text.c_str());
  SendMessageW(wnd, EM_SETSEL, static_cast<WPARAM>(result.selStart), static_cast<LPARAM>(result.selEnd));
}

void TEditHex::Loaded() {
  WinControl::Loaded();
  if (HandleAllocated()) SendMessageW(Handle(), EM_SETSEL, 0, -1);
}

bool TEditHex::HandleReflected(tk::Message& m) {
  if (m.Msg != WM_COMMAND || HIWORD(m.WParam) != EN_CHANGE) return false;
  // A written text reports its change itself (below), once.
  if (!writingText_ && OnChange) OnChange(this);
  return true;
}

void TEditHex::WriteText(tk::Message& m) {
  // The field is a multi-line edit, which sends no EN_CHANGE for a written text: the
  // change is reported here, for SetText, the spin control's writes and the rebuild
  // after a typed character alike, so that whoever shows the value never lags behind.
  const std::string before = ReadWindowText(Handle());
  writingText_ = true;
  DefaultHandler(m);
  writingText_ = false;
  if (ReadWindowText(Handle()) != before && OnChange) OnChange(this);
}

void TEditHex::WndProc(tk::Message& m) {
  switch (m.Msg) {
    case WM_SETTEXT:
      WriteText(m);
      return;
    case WM_GETDLGCODE:
      DefaultHandler(m);
      // Tab, Enter and Esc belong to the dialog: focus change, default and cancel button.
      m.Result &= ~static_cast<LRESULT>(DLGC_WANTTAB | DLGC_WANTALLKEYS);
      return;
    case WM_CHAR: {
      auto key = static_cast<wchar_t>(m.WParam);
      if (OnKeyPress) OnKeyPress(this, key);
      // The field is one line: neither Enter nor Ctrl+Enter may break it.
      if (key == L'\r' || key == L'\n') key = 0;
      if (key != 0) {
        m.WParam = key;
        DefaultHandler(m);
      }
      if (numeralOnly_) Reformat();
      return;
    }
    default:
      break;
  }
  WinControl::WndProc(m);
}

}  // namespace tessora

#include "controls/ShadoLblLayout.h"

namespace tessora {

std::string PaintText(std::string_view caption, bool showAccelChar) {
  std::string text(caption);
  if (text.empty() || (showAccelChar && text == "&")) text += ' ';
  return text;
}

std::wstring PaintText(std::wstring_view caption, bool showAccelChar) {
  std::wstring text(caption);
  if (text.empty() || (showAccelChar && text == L"&")) text += L' ';
  return text;
}

unsigned DrawTextFormat(LabelAlignment alignment, bool wordWrap, bool showAccelChar, TEllipsis ellipsis) {
  unsigned format = kDtExpandTabs;
  switch (alignment) {
    case LabelAlignment::taLeftJustify: format |= kDtLeft; break;
    case LabelAlignment::taRightJustify: format |= kDtRight; break;
    case LabelAlignment::taCenter: format |= kDtCenter; break;
  }
  if (wordWrap) format |= kDtWordBreak;
  if (!showAccelChar) format |= kDtNoPrefix;
  switch (ellipsis) {
    case TEllipsis::elNone: break;
    case TEllipsis::elEnd: format |= kDtEndEllipsis; break;
    case TEllipsis::elPath: format |= kDtPathEllipsis; break;
  }
  return format;
}

int LayoutShift(LabelLayout layout, int labelHeight, int textHeight) {
  switch (layout) {
    case LabelLayout::tlTop: return 0;
    case LabelLayout::tlCenter: return (labelHeight - textHeight) / 2;
    case LabelLayout::tlBottom: return labelHeight - textHeight;
  }
  return 0;
}

LabelRect OffsetRect(LabelRect rect, int dx, int dy) {
  return {rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
}

LabelCopyRects PlaceCopies(LabelRect client, LabelLayout layout, int textHeight, int shadowOffsetLeft,
                           int shadowOffsetTop, int highlightOffsetLeft, int highlightOffsetTop) {
  const LabelRect text = OffsetRect(client, 0, LayoutShift(layout, client.bottom - client.top, textHeight));
  return {text, OffsetRect(text, shadowOffsetLeft, shadowOffsetTop),
          OffsetRect(text, highlightOffsetLeft, highlightOffsetTop)};
}

LabelCopyColors ChooseCopyColors(bool enabled, ColorRef shadowColor, ColorRef highlightColor, ColorRef fontColor) {
  if (enabled) return {shadowColor, highlightColor, fontColor};
  return {lblcolor::clGray, lblcolor::clBtnHighlight, lblcolor::clBtnShadow};
}

bool UsesOffscreenBitmap(bool flickerless, bool transparent) { return flickerless && !transparent; }

LabelBackground ChooseBackground(bool transparent, bool gradation, bool flickerless) {
  if (transparent) return LabelBackground::None;
  if (!gradation) return LabelBackground::Solid;
  return flickerless ? LabelBackground::GradientBitmap : LabelBackground::GradientStrip;
}

}  // namespace tessora

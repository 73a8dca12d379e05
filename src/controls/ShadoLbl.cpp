#include "controls/ShadoLbl.h"

#include "controls/AnsiForm.h"
#include "controls/LeadByteText.h"
#include "toolkit/Bitmap.h"
#include "toolkit/Canvas.h"
#include "toolkit/Form.h"
#include "toolkit/Handles.h"

namespace tessora {

namespace {

constexpr ColorRef kBtnFace = kSystemColorFlag | COLOR_BTNFACE;

HFONT FontOrDefault(HFONT font) { return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

COLORREF Plain(ColorRef color) { return tk::ColorToRgb(color); }

std::string EncodeAnsi(std::wstring_view character) { return tk::FromWide(character); }

bool IsAnsiLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

int TextWidth(HDC dc, std::wstring_view text) {
  SIZE size{};
  GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
  return size.cx;
}

void DrawCopy(HDC dc, const std::wstring& text, const LabelRect& where, UINT format, ColorRef color) {
  RECT r{where.left, where.top, where.right, where.bottom};
  SetTextColor(dc, Plain(color));
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
}

}  // namespace

TShadowLabel::TShadowLabel(tk::Component* owner) : tk::Label(owner), style_([this] { Invalidate(); }) {}

void TShadowLabel::SetAlignment(LabelAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  Invalidate();
}

void TShadowLabel::SetLayout(LabelLayout value) {
  if (value == layout_) return;
  layout_ = value;
  Invalidate();
}

void TShadowLabel::SetWordWrap(bool value) {
  if (value == wordWrap_) return;
  wordWrap_ = value;
  AdjustSize();
  Invalidate();
}

void TShadowLabel::SetShowAccelChar(bool value) {
  if (value == showAccelChar_) return;
  showAccelChar_ = value;
  AdjustSize();
  Invalidate();
}

ColorRef TShadowLabel::Color() const {
  if (!parentColor_) return color_;
  if (auto* form = dynamic_cast<tk::Form*>(Parent())) return form->Color();
  return kBtnFace;
}

void TShadowLabel::SetColor(ColorRef value) {
  const bool changed = parentColor_ || value != color_;
  parentColor_ = false;
  color_ = value;
  if (changed) Invalidate();
}

void TShadowLabel::SetParentColor(bool value) {
  if (value == parentColor_) return;
  parentColor_ = value;
  Invalidate();
}

UINT TShadowLabel::Format() const { return DrawTextFormat(alignment_, wordWrap_, showAccelChar_, style_.Ellipsis()); }

void TShadowLabel::AdjustSize() {
  if (!AutoSize()) return;
  tk::MemoryDc dc(CreateCompatibleDC(nullptr));
  if (!dc) return;
  const std::wstring text = PaintText(caption_, showAccelChar_);
  // Measured without the ellipsis: the size is meant to make shortening unnecessary.
  const UINT format = DrawTextFormat(alignment_, wordWrap_, showAccelChar_, TEllipsis::elNone) | DT_CALCRECT;
  RECT r = ClientRect();
  {
    tk::ScopedSelect font(dc.Get(), FontOrDefault(Font()));
    DrawTextW(dc.Get(), text.c_str(), static_cast<int>(text.size()), &r, format);
  }
  // A right-aligned label keeps its right edge.
  const int left = alignment_ == LabelAlignment::taRightJustify ? left_ + width_ - r.right : left_;
  SetBounds(left, top_, r.right, r.bottom);
}

void TShadowLabel::Paint(HDC dc) {
  const RECT client = ClientRect();
  if (client.right <= 0 || client.bottom <= 0) return;
  const std::wstring text = PaintText(caption_, showAccelChar_);
  const UINT format = Format();
  const bool transparent = Transparent();
  const bool offscreen = UsesOffscreenBitmap(style_.Flickerless(), transparent);

  tk::Bitmap bitmap;
  if (offscreen) bitmap.SetSize(client.right, client.bottom);
  const HDC target = offscreen ? bitmap.Dc() : dc;
  if (!target) return;  // no memory for the bitmap: nothing sensible to show

  switch (ChooseBackground(transparent, style_.Gradation(), style_.Flickerless())) {
    case LabelBackground::None:
      break;
    case LabelBackground::Solid:
      tk::Canvas(target).FillRect(client, Plain(Color()));
      break;
    case LabelBackground::GradientBitmap:
      FillGradient(bitmap.ScanLine(0), bitmap.Stride(), bitmap.Width(), bitmap.Height(), Plain(style_.GradationColor()),
                   Plain(Color()), style_.GradateVert());
      break;
    case LabelBackground::GradientStrip:
      PaintGradientStrip(target, client, style_.GradationColor(), Color(), style_.GradateVert());
      break;
  }

  {
    tk::ScopedSelect font(target, FontOrDefault(Font()));
    SetBkMode(target, TRANSPARENT);

    RECT measured = client;
    DrawTextExW(target, const_cast<wchar_t*>(text.c_str()), static_cast<int>(text.size()), &measured,
                format | DT_CALCRECT, nullptr);
    const TShadow& shadow = style_.Shadow();
    const TShadow& highlight = style_.Highlight();
    const LabelCopyRects rects =
        PlaceCopies({client.left, client.top, client.right, client.bottom}, layout_, measured.bottom - measured.top,
                    shadow.OffsetLeft(), shadow.OffsetTop(), highlight.OffsetLeft(), highlight.OffsetTop());
    const LabelCopyColors colors = ChooseCopyColors(Enabled(), shadow.Color(), highlight.Color(), FontColor());

    if (shadow.Visible()) DrawCopy(target, text, rects.shadow, format, colors.shadow);
    if (highlight.Visible()) DrawCopy(target, text, rects.highlight, format, colors.highlight);

    const AnsiForm ansi(text, EncodeAnsi);
    // The gradient starts from the font colour even when the label is disabled.
    const std::vector<GradientRun> runs =
        PlanTextGradient(ansi.Bytes(), style_.TextGradation(), Plain(FontColor()), Plain(style_.TextMidColor()),
                         Plain(style_.TextGradationColor()), IsAnsiLeadByte);
    if (runs.empty()) {
      DrawCopy(target, text, rects.text, format, colors.text);
    } else {
      RECT r{rects.text.left, rects.text.top, rects.text.right, rects.text.bottom};
      for (const GradientRun& run : runs) DrawGradientText(target, r, format, text, ansi, run);
    }
  }

  if (offscreen) BitBlt(dc, 0, 0, client.right, client.bottom, target, 0, 0, SRCCOPY);
}

void TShadowLabel::PaintGradientStrip(HDC dc, const RECT& r, ColorRef from, ColorRef to, bool vertical) const {
  const PixelSize size = GradientStripSize(r.right - r.left, r.bottom - r.top, vertical);
  tk::Bitmap strip(size.width, size.height);
  if (strip.Empty()) return;
  FillGradient(strip.ScanLine(0), strip.Stride(), strip.Width(), strip.Height(), Plain(from), Plain(to), vertical);
  StretchBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, strip.Dc(), 0, 0, strip.Width(), strip.Height(),
             SRCCOPY);
}

// The characters stand one after another from r.left on one line, whatever the
// alignment. A run of one character also gets a rectangle of its own width: drawn
// into the whole rest of the line it would follow the alignment, and after a run of
// several it would get a rectangle of no width at all and not show.
void TShadowLabel::DrawGradientText(HDC dc, RECT& r, UINT format, const std::wstring& text, const AnsiForm& ansi,
                                    const GradientRun& run) {
  auto draw = [&](std::wstring_view s, int width) {
    r.right = r.left + width;
    DrawTextW(dc, s.data(), static_cast<int>(s.size()), &r, format);
    r.left = r.right;
  };
  if (run.characters.size() == 1) {
    const WideSpan span = ansi.Wide(run.offset, run.length);
    const std::wstring_view s = std::wstring_view(text).substr(span.offset, span.length);
    SetTextColor(dc, run.from);
    draw(s, TextWidth(dc, s));
    return;
  }
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  for (const GradientCharacter& character : run.characters) {
    const WideSpan span = ansi.Wide(character.offset, character.length);
    if (span.length == 0) continue;
    const std::wstring_view s = std::wstring_view(text).substr(span.offset, span.length);
    SetTextColor(dc, character.color);
    draw(s, TextWidth(dc, s) - metrics.tmOverhang);
  }
}

}  // namespace tessora

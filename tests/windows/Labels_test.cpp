// The display labels as real controls: the shadow label painted into bitmaps and
// read back pixel by pixel, the link label driven by mouse messages to its parent.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "WineTestSupport.h"
#include "controls/LabelColor.h"
#include "controls/ShadoLbl.h"
#include "controls/ShadoLblGradient.h"
#include "controls/URLLabel.h"
#include "toolkit/Application.h"
#include "toolkit/Bitmap.h"
#include "toolkit/Cursors.h"
#include "toolkit/Font.h"
#include "toolkit/Form.h"

namespace tessora {
namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);  // never drawn by a label: marks untouched pixels
constexpr COLORREF kGreen = lblcolor::clGreen;
constexpr COLORREF kWhite = lblcolor::clWhite;
constexpr COLORREF kMedGray = lblcolor::clMedGray;

int CountPixels(const tk::Bitmap& bmp, COLORREF color) {
  int n = 0;
  for (int y = 0; y < bmp.Height(); ++y)
    for (int x = 0; x < bmp.Width(); ++x) n += bmp.Pixel(x, y) == color;
  return n;
}

// How many pixels of colour `of` have a pixel of colour `neighbour` at (dx, dy) from them.
int CountNeighbours(const tk::Bitmap& bmp, COLORREF of, COLORREF neighbour, int dx, int dy) {
  int n = 0;
  for (int y = 0; y < bmp.Height(); ++y)
    for (int x = 0; x < bmp.Width(); ++x) n += bmp.Pixel(x, y) == of && bmp.Pixel(x + dx, y + dy) == neighbour;
  return n;
}

bool HasNeighbour(const tk::Bitmap& bmp, COLORREF of, COLORREF neighbour, int dx, int dy) {
  return CountNeighbours(bmp, of, neighbour, dx, dy) > 0;
}

int DifferentPixels(const tk::Bitmap& a, const tk::Bitmap& b) {
  int n = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) n += a.Pixel(x, y) != b.Pixel(x, y);
  return n;
}

// Rows that hold a pixel other than the background, first and last (-1 when none).
std::pair<int, int> InkRows(const tk::Bitmap& bmp, COLORREF background) {
  int first = -1, last = -1;
  for (int y = 0; y < bmp.Height(); ++y)
    for (int x = 0; x < bmp.Width(); ++x)
      if (bmp.Pixel(x, y) != background) {
        if (first < 0) first = y;
        last = y;
        break;
      }
  return {first, last};
}

tk::Bitmap Render(TShadowLabel& label, COLORREF fill = kMagenta) {
  tk::Bitmap bmp(label.Width(), label.Height());
  bmp.Fill(fill);
  label.Paint(bmp.Dc());
  return bmp;
}

class LabelsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { tk::App().Initialize(); }

  HFONT TitleFont() const { return static_cast<HFONT>(arial13Bold_.Get()); }
  HFONT BigFont() const { return static_cast<HFONT>(arial20Bold_.Get()); }
  HFONT JapaneseFont() const { return static_cast<HFONT>(gothic16_.Get()); }

  // The program's name at the top of the configuration dialog, with its stored values.
  void SetUpAsTitle(TShadowLabel& label) const {
    label.SetAutoSize(false);
    label.SetBounds(6, 3, 58, 16);
    label.SetCaption(L"Tessora");
    label.SetFont(TitleFont());
    label.SetFontColor(lblcolor::clGreen);
    label.SetEllipsis(TEllipsis::elNone);
    label.SetGradateVert(false);
    label.SetGradation(false);
    label.Highlight().SetColor(lblcolor::clWhite);
    label.Highlight().SetOffsetLeft(-1);
    label.Highlight().SetOffsetTop(-1);
    label.Shadow().SetColor(lblcolor::clMedGray);
    label.SetTextGradation(TTextGradation::tgNone);
  }

  // Text only, black on white, in a fixed box.
  static void SetUpPlain(TShadowLabel& label, HFONT font, const std::wstring& caption, int width, int height) {
    label.SetAutoSize(false);
    label.SetBounds(0, 0, width, height);
    label.SetFont(font);
    label.SetCaption(caption);
    label.SetColor(kWhite);
    label.SetFontColor(RGB(0, 0, 0));
    label.Shadow().SetVisible(false);
    label.Highlight().SetVisible(false);
  }

 private:
  tk::GdiObject arial13Bold_ = tk::MakeFont(L"Arial", -13, true);
  tk::GdiObject arial20Bold_ = tk::MakeFont(L"Arial", -20, true);
  tk::GdiObject gothic16_ = tk::MakeFont(L"ＭＳ Ｐゴシック", -16, false, SHIFTJIS_CHARSET);
};

TEST_F(LabelsTest, TitleShowsGreenTextWithWhiteUpLeftAndGreyDownRight) {
  TShadowLabel label(nullptr);
  SetUpAsTitle(label);
  const tk::Bitmap bmp = Render(label);
  EXPECT_EQ(CountPixels(bmp, kMagenta), 0) << "the whole label is painted";
  EXPECT_GT(CountPixels(bmp, GetSysColor(COLOR_BTNFACE)), 100) << "over the parent's colour";
  EXPECT_GT(CountPixels(bmp, kGreen), 10);
  // Inside a letter's counter the copies of the opposite stroke show too, so the
  // sides are told apart by how often each neighbour occurs.
  const int whiteUpLeft = CountNeighbours(bmp, kGreen, kWhite, -1, -1);
  const int greyDownRight = CountNeighbours(bmp, kGreen, kMedGray, 1, 1);
  EXPECT_GT(whiteUpLeft, 5);
  EXPECT_GT(greyDownRight, 5);
  EXPECT_GT(whiteUpLeft, 3 * CountNeighbours(bmp, kGreen, kWhite, 1, 1));
  EXPECT_GT(greyDownRight, 3 * CountNeighbours(bmp, kGreen, kMedGray, -1, -1));
}

// Shadow first, then highlight, then text: where the copies lie on top of each other,
// only the later one shows.
TEST_F(LabelsTest, CopiesAreDrawnShadowHighlightText) {
  struct Case {
    const char* name;
    POINT shadowOffset;
    bool shadowVisible;
    POINT highlightOffset;
    bool highlightVisible;
    bool whiteShows;
    bool greyShows;
  };
  const Case cases[] = {
      {"AllUnderTheText", {0, 0}, true, {0, 0}, true, false, false},
      {"HighlightOverShadow", {1, 1}, true, {1, 1}, true, true, false},
      {"DialogOffsets", {1, 1}, true, {-1, -1}, true, true, true},
      {"ShadowHidden", {1, 1}, false, {-1, -1}, true, true, false},
      {"HighlightHidden", {1, 1}, true, {-1, -1}, false, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TShadowLabel label(nullptr);
    SetUpAsTitle(label);
    label.Shadow().SetOffsetLeft(c.shadowOffset.x);
    label.Shadow().SetOffsetTop(c.shadowOffset.y);
    label.Shadow().SetVisible(c.shadowVisible);
    label.Highlight().SetOffsetLeft(c.highlightOffset.x);
    label.Highlight().SetOffsetTop(c.highlightOffset.y);
    label.Highlight().SetVisible(c.highlightVisible);
    const tk::Bitmap bmp = Render(label);
    EXPECT_GT(CountPixels(bmp, kGreen), 10);
    EXPECT_EQ(CountPixels(bmp, kWhite) > 0, c.whiteShows);
    EXPECT_EQ(CountPixels(bmp, kMedGray) > 0, c.greyShows);
  }
}

TEST_F(LabelsTest, DisabledLabelUsesTheDisabledColours) {
  TShadowLabel label(nullptr);
  SetUpAsTitle(label);
  label.SetEnabled(false);
  const COLORREF text = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF shadow = lblcolor::clGray;
  ASSERT_NE(text, shadow);
  ASSERT_NE(text, highlight);
  tk::Bitmap bmp = Render(label);
  EXPECT_EQ(CountPixels(bmp, kGreen), 0);
  EXPECT_EQ(CountPixels(bmp, kMedGray), 0);
  EXPECT_GT(CountPixels(bmp, text), 10);
  EXPECT_TRUE(HasNeighbour(bmp, text, highlight, -1, -1));
  EXPECT_TRUE(HasNeighbour(bmp, text, shadow, 1, 1));

  // A text gradient still runs from the font colour, over the disabled copies.
  label.SetTextGradation(TTextGradation::tg2Colors);
  label.SetTextGradationColor(RGB(200, 0, 0));
  bmp = Render(label);
  EXPECT_GT(CountPixels(bmp, kGreen), 0);
  EXPECT_GT(CountPixels(bmp, RGB(200, 0, 0)), 0);
  EXPECT_TRUE(HasNeighbour(bmp, kGreen, shadow, 1, 1));
}

// Every pixel of the background has the colour of its row (vertical) or column
// (horizontal); the first is GradationColor and the last Color, with the off-screen
// bitmap and with the stretched strip alike.
TEST_F(LabelsTest, BackgroundGradientRunsFromGradationColorToColor) {
  struct Case {
    const char* name;
    bool vertical;
    bool flickerless;
    int width, height;
  };
  const Case cases[] = {
      {"VerticalBitmap", true, true, 40, 30},     {"VerticalStrip", true, false, 40, 30},
      {"HorizontalBitmap", false, true, 40, 30},  {"HorizontalStrip", false, false, 40, 30},
      {"TallStrip", false, false, 25, 87},        {"OneRowVertical", true, true, 40, 1},
      {"OneColumnHorizontal", false, false, 1, 30},
  };
  const COLORREF from = RGB(250, 10, 0), to = RGB(3, 200, 91);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TShadowLabel label(nullptr);
    label.SetAutoSize(false);
    label.SetBounds(0, 0, c.width, c.height);
    label.SetCaption(L"");
    label.SetGradation(true);
    label.SetGradationColor(from);
    label.SetColor(to);
    label.SetGradateVert(c.vertical);
    label.SetFlickerless(c.flickerless);
    const tk::Bitmap bmp = Render(label);
    const int steps = c.vertical ? c.height : c.width;
    int wrong = 0;
    for (int y = 0; y < c.height; ++y)
      for (int x = 0; x < c.width; ++x)
        wrong += bmp.Pixel(x, y) != GradientColorAt(from, to, c.vertical ? y : x, steps);
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(bmp.Pixel(0, 0), from);
    EXPECT_EQ(bmp.Pixel(c.width - 1, c.height - 1), steps > 1 ? to : from) << "one pixel takes the start colour";
  }
}

TEST_F(LabelsTest, TransparentLabelPaintsNoBackground) {
  for (bool flickerless : {true, false}) {
    TShadowLabel label(nullptr);
    label.SetAutoSize(false);
    label.SetBounds(0, 0, 40, 20);
    label.SetCaption(L"");
    label.SetGradation(true);
    label.SetFlickerless(flickerless);
    label.SetTransparent(true);
    EXPECT_EQ(CountPixels(Render(label), kMagenta), 40 * 20) << "flickerless " << flickerless;
  }
}

// A text gradient draws character by character; in a single colour it must give
// exactly the picture of the plain text, double-byte characters and all.
TEST_F(LabelsTest, GradientTextDrawsTheSameGlyphsAsPlainText) {
  const wchar_t* texts[] = {L"Tessora", L"テスト", L"abテ", L"aンンa", L"ｱｲｳｴ", L"設定テスト12"};
  for (const wchar_t* text : texts) {
    for (TTextGradation mode : {TTextGradation::tg2Colors, TTextGradation::tg3Colors}) {
      SCOPED_TRACE(Narrow(text) + (mode == TTextGradation::tg2Colors ? " 2 colours" : " 3 colours"));
      TShadowLabel plain(nullptr), graded(nullptr);
      SetUpPlain(plain, JapaneseFont(), text, 140, 24);
      SetUpPlain(graded, JapaneseFont(), text, 140, 24);
      graded.SetTextGradation(mode);
      graded.SetTextMidColor(RGB(0, 0, 0));
      graded.SetTextGradationColor(RGB(0, 0, 0));
      const tk::Bitmap expected = Render(plain), actual = Render(graded);
      ASSERT_GT(CountPixels(expected, RGB(0, 0, 0)), 10);
      EXPECT_EQ(DifferentPixels(expected, actual), 0);
    }
  }
}

// Which colour each character gets: the pixels of the character's own colour lie
// within its cell, from the left edge whatever the alignment.
TEST_F(LabelsTest, GradientColoursFallOnTheirCharacters) {
  const COLORREF font = RGB(200, 0, 0), mid = RGB(0, 0, 200), end = RGB(0, 150, 0);
  struct Case {
    const char* name;
    std::wstring text;
    TTextGradation mode;
    LabelAlignment alignment;
    bool japanese;
    std::vector<COLORREF> colours;  // per character
  };
  const Case cases[] = {
      {"FourCharactersThreeColours", L"MMMM", TTextGradation::tg3Colors, LabelAlignment::taLeftJustify, false,
       {font, mid, mid, end}},
      {"ThreeCharactersThreeColours", L"MMM", TTextGradation::tg3Colors, LabelAlignment::taLeftJustify, false,
       {font, mid, end}},
      {"TwoCharactersThreeColoursRunAsTwo", L"MM", TTextGradation::tg3Colors, LabelAlignment::taLeftJustify, false,
       {font, end}},
      {"OneCharacterIsNeverGraded", L"M", TTextGradation::tg3Colors, LabelAlignment::taLeftJustify, false, {font}},
      {"ThreeCharactersTwoColours", L"MMM", TTextGradation::tg2Colors, LabelAlignment::taLeftJustify, false,
       {font, GradientColorAt(font, end, 1, 3), end}},
      {"CentredGradientStartsAtTheLeft", L"MMM", TTextGradation::tg2Colors, LabelAlignment::taCenter, false,
       {font, GradientColorAt(font, end, 1, 3), end}},
      // Half of the six bytes ends on the lead byte of "ス": the split keeps it whole,
      // and the last character alone is drawn in the end colour.
      {"DoubleByteSplitKeepsCharactersWhole", L"テスト", TTextGradation::tg3Colors, LabelAlignment::taLeftJustify,
       true, {font, mid, end}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const HFONT f = c.japanese ? JapaneseFont() : BigFont();
    TShadowLabel label(nullptr);
    SetUpPlain(label, f, c.text, 160, 28);
    label.SetAlignment(c.alignment);
    label.SetFontColor(font);
    label.SetTextMidColor(mid);
    label.SetTextGradationColor(end);
    label.SetTextGradation(c.mode);
    const tk::Bitmap bmp = Render(label);

    // Cells of the characters, from their widths in the font.
    std::vector<int> cellEnd;
    {
      tk::MemoryDc dc(CreateCompatibleDC(nullptr));
      tk::ScopedSelect select(dc.Get(), f);
      int x = 0;
      for (wchar_t ch : c.text) {
        SIZE size{};
        GetTextExtentPoint32W(dc.Get(), &ch, 1, &size);
        cellEnd.push_back(x += size.cx);
      }
    }
    std::vector<int> seen(c.colours.size(), 0);
    int misplaced = 0;
    for (int y = 0; y < bmp.Height(); ++y) {
      for (int x = 0; x < bmp.Width(); ++x) {
        const COLORREF p = bmp.Pixel(x, y);
        size_t cell = 0;
        while (cell < cellEnd.size() && x >= cellEnd[cell]) ++cell;
        bool known = false;
        for (COLORREF colour : c.colours) known = known || colour == p;
        if (!known) continue;
        if (cell < c.colours.size() && c.colours[cell] == p) {
          ++seen[cell];
        } else {
          ++misplaced;
        }
      }
    }
    EXPECT_EQ(misplaced, 0);
    for (size_t i = 0; i < seen.size(); ++i) EXPECT_GT(seen[i], 0) << "character " << i;
  }
}

TEST_F(LabelsTest, LayoutMovesTheTextDown) {
  auto topRow = [&](LabelLayout layout) {
    TShadowLabel label(nullptr);
    SetUpPlain(label, BigFont(), L"Tessora", 100, 61);
    label.SetLayout(layout);
    return InkRows(Render(label), kWhite).first;
  };
  int textHeight = 0;
  {
    tk::MemoryDc dc(CreateCompatibleDC(nullptr));
    tk::ScopedSelect select(dc.Get(), BigFont());
    RECT r{0, 0, 100, 61};
    DrawTextW(dc.Get(), L"Tessora", -1, &r, DT_CALCRECT | DT_EXPANDTABS);
    textHeight = r.bottom - r.top;
  }
  const int top = topRow(LabelLayout::tlTop);
  ASSERT_GE(top, 0);
  EXPECT_EQ(topRow(LabelLayout::tlCenter) - top, (61 - textHeight) / 2);
  EXPECT_EQ(topRow(LabelLayout::tlBottom) - top, 61 - textHeight);
}

TEST_F(LabelsTest, WordWrapBreaksTheLine) {
  for (bool wrap : {false, true}) {
    TShadowLabel label(nullptr);
    SetUpPlain(label, BigFont(), L"Tess Tess Tess", 70, 80);
    label.SetWordWrap(wrap);
    const auto [first, last] = InkRows(Render(label), kWhite);
    EXPECT_EQ(last - first > 30, wrap) << "wrap " << wrap << ": rows " << first << " to " << last;
  }
}

// AutoSize measures what is shown: the prefix "&" takes no room while it is an
// accelerator mark.
TEST_F(LabelsTest, AutoSizeMeasuresTheShownText) {
  TShadowLabel plain(nullptr), marked(nullptr);
  plain.SetFont(BigFont());
  plain.SetCaption(L"Tessora");
  marked.SetFont(BigFont());
  marked.SetCaption(L"&Tessora");
  EXPECT_GT(plain.Width(), 40);
  EXPECT_EQ(marked.Width(), plain.Width());
  EXPECT_EQ(marked.Height(), plain.Height());
  marked.SetShowAccelChar(false);
  EXPECT_GT(marked.Width(), plain.Width());

  // A right-aligned label grows to the left.
  TShadowLabel right(nullptr);
  right.SetFont(BigFont());
  right.SetAlignment(LabelAlignment::taRightJustify);
  right.SetCaption(L"Tess");
  right.SetBounds(200, 0, right.Width(), right.Height());
  const int rightEdge = right.Left() + right.Width();
  right.SetCaption(L"Tessora");
  EXPECT_EQ(right.Left() + right.Width(), rightEdge);
  EXPECT_LT(right.Left(), 200);
}

// A repaint is asked for only when a change shows.
TEST_F(LabelsTest, RepaintOnlyWhenTheLookChanges) {
  tk::Form form(nullptr);
  TShadowLabel label(&form);
  label.SetParent(&form);
  SetUpAsTitle(label);
  TURLLabel link(&form);
  link.SetParent(&form);
  link.SetBounds(10, 30, 50, 12);
  form.Show();
  HWND wnd = form.Handle();
  // The link label paints at once, the shadow label leaves an update region.
  int paints = 0;
  tk::MessageHookRegistration paintCount = form.AddMessageHook([&](tk::Message& m) {
    if (m.Msg == WM_PAINT) ++paints;
    return false;
  });
  TShadow same;
  same.SetColor(label.Shadow().Color());
  struct Step {
    const char* what;
    std::function<void()> change;
    bool repaints;
  };
  const Step steps[] = {
      {"mid colour without a three-colour gradient", [&] { label.SetTextMidColor(RGB(1, 2, 3)); }, false},
      {"end colour without a gradient", [&] { label.SetTextGradationColor(RGB(1, 2, 3)); }, false},
      {"two-colour gradient", [&] { label.SetTextGradation(TTextGradation::tg2Colors); }, true},
      {"mid colour with two colours", [&] { label.SetTextMidColor(RGB(4, 5, 6)); }, false},
      {"end colour with two colours", [&] { label.SetTextGradationColor(RGB(4, 5, 6)); }, true},
      {"three-colour gradient", [&] { label.SetTextGradation(TTextGradation::tg3Colors); }, true},
      {"mid colour with three colours", [&] { label.SetTextMidColor(RGB(7, 8, 9)); }, true},
      {"same gradation colour", [&] { label.SetGradationColor(label.GradationColor()); }, false},
      {"flickerless", [&] { label.SetFlickerless(false); }, false},
      {"highlight offset unchanged", [&] { label.Highlight().SetOffsetLeft(-1); }, false},
      {"highlight offset", [&] { label.Highlight().SetOffsetLeft(2); }, true},
      {"shadow from an equal object", [&] { label.SetShadow(&same); }, true},
      {"shadow set to nothing", [&] { label.SetShadow(nullptr); }, false},
      {"ellipsis", [&] { label.SetEllipsis(TEllipsis::elEnd); }, true},
      {"same link hover colour", [&] { link.SetHotColor(link.HotColor()); }, false},
      {"link hover colour", [&] { link.SetHotColor(RGB(0, 0, 1)); }, true},
      {"same link pressed colour", [&] { link.SetPushedColor(link.PushedColor()); }, false},
      {"link pressed colour", [&] { link.SetPushedColor(RGB(0, 0, 2)); }, true},
  };
  for (const Step& step : steps) {
    ValidateRect(wnd, nullptr);
    const int before = paints;
    step.change();
    EXPECT_EQ(GetUpdateRect(wnd, nullptr, FALSE) != FALSE || paints > before, step.repaints) << step.what;
  }
  paintCount.Remove();
}

// ---- URL label

constexpr COLORREF kOwnColor = lblcolor::clNavy;
constexpr COLORREF kHotColor = 0xFF0000;     // blue
constexpr COLORREF kPushedColor = 0x800080;  // purple

class LinkTest : public LabelsTest {
 protected:
  void SetUp() override {
    form_.Border = tk::BorderStyle::None;
    form_.SetBounds(100, 100, 300, 150);
    link_.SetParent(&form_);
    link_.SetAutoSize(false);
    link_.SetBounds(10, 10, 100, 20);
    link_.SetCaption(L"https://example.com/");
    link_.SetFontColor(kOwnColor);
    link_.SetHotColor(kHotColor);
    link_.SetPushedColor(kPushedColor);
    form_.Show();
    wnd_ = form_.Handle();
  }

  // Puts the pointer at a client point of the form and sends the message there.
  void Send(UINT msg, WPARAM keys, POINT at) {
    MovePointer(at);
    SendMessageW(wnd_, msg, keys, MAKELPARAM(at.x, at.y));
  }
  // Under Wine a pointer motion still on its way from the X server can move the
  // pointer back after SetCursorPos; wait until the position holds.
  void MovePointer(POINT at) {
    ClientToScreen(wnd_, &at);
    const ULONGLONG end = GetTickCount64() + 2000;
    int steady = 0;
    while (steady < 3 && GetTickCount64() < end) {
      POINT now{};
      GetCursorPos(&now);
      if (now.x == at.x && now.y == at.y) {
        ++steady;
      } else {
        steady = 0;
        SetCursorPos(at.x, at.y);
      }
      Sleep(5);
    }
  }

  static constexpr POINT kInside{20, 15};
  static constexpr POINT kOutside{200, 100};

  tk::Form form_{nullptr};
  TURLLabel link_{&form_};
  HWND wnd_ = nullptr;
};

TEST_F(LinkTest, ColourFollowsThePointerInTheOrderOfTheTable) {
  struct Step {
    const char* what;
    UINT msg;
    WPARAM keys;
    POINT at;
    COLORREF colour;  // while tracking
  };
  const Step steps[] = {
      {"enter", WM_MOUSEMOVE, 0, kInside, kHotColor},
      {"press", WM_LBUTTONDOWN, MK_LBUTTON, kInside, kPushedColor},
      {"release inside", WM_LBUTTONUP, 0, kInside, kHotColor},
      {"leave", WM_MOUSEMOVE, 0, kOutside, kOwnColor},
      {"enter again", WM_MOUSEMOVE, 0, kInside, kHotColor},
      {"right press", WM_RBUTTONDOWN, MK_RBUTTON, kInside, kPushedColor},
      {"release outside", WM_RBUTTONUP, 0, kOutside, kOwnColor},
      {"move off after the release", WM_MOUSEMOVE, 0, kOutside, kOwnColor},
      {"enter for a drag", WM_MOUSEMOVE, 0, kInside, kHotColor},
      {"middle press", WM_MBUTTONDOWN, MK_MBUTTON, kInside, kPushedColor},
      {"drag off", WM_MOUSEMOVE, MK_MBUTTON, kOutside, kOwnColor},
      {"release off", WM_MBUTTONUP, 0, kOutside, kOwnColor},
      {"back in", WM_MOUSEMOVE, 0, kInside, kHotColor},
      {"double click", WM_LBUTTONDBLCLK, MK_LBUTTON, kInside, kPushedColor},
      {"release", WM_LBUTTONUP, 0, kInside, kHotColor},
      {"leave at the end", WM_MOUSEMOVE, 0, kOutside, kOwnColor},
  };
  for (bool hotTrack : {true, false}) {
    SCOPED_TRACE(hotTrack ? "HotTrack" : "no HotTrack");
    link_.SetHotTrack(hotTrack);
    int downs = 0, ups = 0;
    link_.OnMouseDown = [&](tk::MouseButton, WPARAM, int, int) { ++downs; };
    link_.OnMouseUp = [&](tk::MouseButton, WPARAM, int, int) { ++ups; };
    for (const Step& step : steps) {
      Send(step.msg, step.keys, step.at);
      EXPECT_EQ(link_.FontColor(), hotTrack ? step.colour : kOwnColor) << step.what;
    }
    EXPECT_EQ(downs, 4) << "the inherited mouse events still run";
    EXPECT_EQ(ups, 4);
  }
}

TEST_F(LinkTest, SavedColourIsTheColourAtEntry) {
  Send(WM_MOUSEMOVE, 0, kInside);
  EXPECT_EQ(link_.SavedColor(), kOwnColor);
  link_.SetFontColor(RGB(9, 9, 9));  // set by the program while hovering: lost on leaving
  Send(WM_MOUSEMOVE, 0, kOutside);
  EXPECT_EQ(link_.FontColor(), kOwnColor);
}

int MarkLines(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  char buffer[256];
  DWORD read = 0;
  int lines = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
    for (DWORD i = 0; i < read; ++i) lines += buffer[i] == '\n';
  CloseHandle(file);
  return lines;
}

bool WaitForLines(const std::wstring& path, int lines, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  while (MarkLines(path) < lines) {
    if (GetTickCount64() > end) return false;
    Sleep(50);
  }
  return true;
}

// Every press of any button opens the caption with the shell, before the release.
TEST_F(LinkTest, EveryPressOpensTheCaption) {
  const std::wstring mark = TessoraBinPath(L"tests\\windows\\link_mark_" + std::to_wstring(GetCurrentProcessId()) +
                                           L".txt");
  DeleteFileW(mark.c_str());
  SetEnvironmentVariableW(L"TESSORA_LINK_MARK", mark.c_str());
  link_.SetCaption(TessoraBinPath(L"tests\\windows\\link_mark.exe"));

  Send(WM_LBUTTONDOWN, MK_LBUTTON, kInside);
  Sleep(1500);
  EXPECT_EQ(MarkLines(mark), 0) << "not executable: nothing opens";
  Send(WM_LBUTTONUP, 0, kInside);

  link_.SetExecutable(true);
  const struct {
    const char* what;
    UINT down, up;
    WPARAM keys;
  } presses[] = {
      {"left", WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON},
      {"right", WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON},
      {"right again, as a double click", WM_RBUTTONDBLCLK, WM_RBUTTONUP, MK_RBUTTON},
      {"middle", WM_MBUTTONDOWN, WM_MBUTTONUP, MK_MBUTTON},
  };
  int expected = 0;
  for (const auto& press : presses) {
    Send(press.down, press.keys, kInside);
    EXPECT_TRUE(WaitForLines(mark, ++expected, 15000)) << press.what << ": opened before the release";
    Send(press.up, 0, kInside);
  }
  link_.SetHotTrack(false);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, kInside);
  EXPECT_TRUE(WaitForLines(mark, ++expected, 15000)) << "without HotTrack too";
  Send(WM_LBUTTONUP, 0, kInside);
  Sleep(500);
  EXPECT_EQ(MarkLines(mark), expected) << "one program per press";
  DeleteFileW(mark.c_str());
}

struct CursorPicture {
  int hotX = -1, hotY = -1, width = 0, height = 0, bitCount = 0;
};

// The cursor resource as stored: the hot spot in front of the DIB header.
CursorPicture ReadCursorResource(HMODULE module) {
  CursorPicture picture;
  HRSRC group = FindResourceW(module, L"HANDPOINT", MAKEINTRESOURCEW(12) /* RT_GROUP_CURSOR */);
  if (!group) return picture;
  auto* directory = static_cast<BYTE*>(LockResource(LoadResource(module, group)));
  const int id = LookupIconIdFromDirectoryEx(directory, FALSE, 32, 32, LR_MONOCHROME);
  HRSRC image = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(1) /* RT_CURSOR */);
  if (!image || SizeofResource(module, image) < 4 + sizeof(BITMAPINFOHEADER)) return picture;
  const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(module, image)));
  const auto* hot = reinterpret_cast<const WORD*>(bytes);
  BITMAPINFOHEADER header;
  memcpy(&header, bytes + 4, sizeof header);
  picture = {hot[0], hot[1], header.biWidth, header.biHeight / 2, header.biBitCount};
  return picture;
}

TEST_F(LinkTest, HandPointerIsTheProgramsCursorNumber32761) {
  const HCURSOR hand = LoadCursorW(GetModuleHandleW(nullptr), L"HANDPOINT");
  ASSERT_NE(hand, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(hand, &info));
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(info.xHotspot, 7u);
  EXPECT_EQ(info.yHotspot, 1u);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);

  for (HMODULE module : {GetModuleHandleW(nullptr), static_cast<HMODULE>(nullptr)}) {
    HMODULE loaded = nullptr;
    if (!module) {
      const std::wstring scr = TessoraBinPath(L"Tessora.scr");
      loaded = module = LoadLibraryExW(scr.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
      ASSERT_NE(module, nullptr) << Narrow(scr);
    }
    const CursorPicture picture = ReadCursorResource(module);
    EXPECT_EQ(picture.hotX, 7);
    EXPECT_EQ(picture.hotY, 1);
    EXPECT_EQ(picture.width, 32);
    EXPECT_EQ(picture.height, 32);
    EXPECT_EQ(picture.bitCount, 1) << "monochrome";
    if (loaded) FreeLibrary(loaded);
  }

  EXPECT_EQ(link_.Cursor(), 32761);
  EXPECT_EQ(tk::ScreenCursor(32761), hand);
  tk::SetScreenCursor(32761, nullptr);
  TURLLabel second(nullptr);
  EXPECT_EQ(second.Cursor(), 32761);
  EXPECT_EQ(tk::ScreenCursor(32761), hand) << "every label enters the cursor again";

  const LPARAM hit = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
  MovePointer(kInside);
  EXPECT_TRUE(SendMessageW(wnd_, WM_SETCURSOR, reinterpret_cast<WPARAM>(wnd_), hit));
  EXPECT_EQ(GetCursor(), hand);
  MovePointer(kOutside);
  SendMessageW(wnd_, WM_SETCURSOR, reinterpret_cast<WPARAM>(wnd_), hit);
  EXPECT_NE(GetCursor(), hand) << "off the label the form's pointer shows";
  link_.SetEnabled(false);
  MovePointer(kInside);
  SendMessageW(wnd_, WM_SETCURSOR, reinterpret_cast<WPARAM>(wnd_), hit);
  EXPECT_NE(GetCursor(), hand) << "a disabled label leaves the pointer to its parent";
}

}  // namespace
}  // namespace tessora

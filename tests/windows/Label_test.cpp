// The toolkit's label: its size follows the caption and font, and it paints its text
// in its colour over the parent's colour (or over what is there when transparent).
#include <windows.h>

#include <gtest/gtest.h>

#include "toolkit/Application.h"
#include "toolkit/Bitmap.h"
#include "toolkit/Form.h"
#include "toolkit/Handles.h"
#include "toolkit/Label.h"

using namespace tessora;

namespace {

int CountPixels(const tk::Bitmap& bmp, COLORREF color) {
  int n = 0;
  for (int y = 0; y < bmp.Height(); ++y)
    for (int x = 0; x < bmp.Width(); ++x) n += bmp.Pixel(x, y) == color;
  return n;
}

class LabelTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { tk::App().Initialize(); }
  tk::GdiObject font_{CreateFontW(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, L"Tahoma")};
};

TEST_F(LabelTest, SizeFollowsCaptionAndFont) {
  tk::Form form(nullptr);
  tk::Label label(&form);
  label.SetParent(&form);
  label.SetBounds(60, 120, 5, 5);
  label.SetCaption(L"Tessora");
  const int plainWidth = label.Width();
  EXPECT_GT(plainWidth, 5);
  label.SetFont(static_cast<HFONT>(font_.Get()));
  EXPECT_GT(label.Width(), plainWidth) << "a bigger font makes a wider label";
  EXPECT_GE(label.Height(), 20);
  EXPECT_EQ(label.Left(), 60);
  EXPECT_EQ(label.Top(), 120);
  const int oneWord = label.Width();
  label.SetCaption(L"Tessora Tessora");
  EXPECT_GT(label.Width(), oneWord);
  label.SetAutoSize(false);
  label.SetBounds(60, 120, 30, 10);
  label.SetCaption(L"Tessora");
  EXPECT_EQ(label.Width(), 30);
}

TEST_F(LabelTest, PaintsTextInItsColourOverTheFormsColour) {
  tk::Form form(nullptr);
  form.SetColor(RGB(0, 0, 0));
  tk::Label label(&form);
  label.SetParent(&form);
  label.SetFont(static_cast<HFONT>(font_.Get()));
  label.SetFontColor(RGB(255, 255, 255));
  label.SetCaption(L"Tessora");
  tk::Bitmap bmp(label.Width(), label.Height());
  bmp.Fill(RGB(0, 0, 255));
  label.Paint(bmp.Dc());
  EXPECT_EQ(CountPixels(bmp, RGB(0, 0, 255)), 0) << "the whole area is painted";
  EXPECT_GT(CountPixels(bmp, RGB(255, 255, 255)), 20);
  EXPECT_GT(CountPixels(bmp, RGB(0, 0, 0)), 20);

  label.SetTransparent(true);
  bmp.Fill(RGB(0, 0, 255));
  label.Paint(bmp.Dc());
  EXPECT_EQ(CountPixels(bmp, RGB(0, 0, 0)), 0);
  EXPECT_GT(CountPixels(bmp, RGB(0, 0, 255)), 20);
}

}  // namespace

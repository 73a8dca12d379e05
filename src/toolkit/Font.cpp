#include "toolkit/Font.h"

namespace tessora::tk {

GdiObject MakeFont(const std::wstring& face, int height, bool bold, BYTE charSet) {
  LOGFONTW lf{};
  lf.lfHeight = height;
  lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = charSet;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  face.copy(lf.lfFaceName, LF_FACESIZE - 1);
  return GdiObject(CreateFontIndirectW(&lf));
}

}  // namespace tessora::tk

namespace tessora::tk {

FontRef MakeSharedFont(const std::wstring& face, int height, bool bold, BYTE charSet) {
  GdiObject font = MakeFont(face, height, bold, charSet);
  if (!font) return nullptr;
  return FontRef(static_cast<HFONT>(font.Release()), [](HFONT f) { DeleteObject(f); });
}

FontRef BorrowFont(HFONT font) {
  if (!font) return nullptr;
  return FontRef(font, [](HFONT) {});
}

}  // namespace tessora::tk

#pragma once
// A bevel: a windowless frame or box drawn on its parent, lowered or raised.
#include <windows.h>

#include "toolkit/GraphicControl.h"

namespace tessora::tk {

enum class BevelShape { Box, Frame };
enum class BevelStyle { Lowered, Raised };

class Bevel : public GraphicControl {
 public:
  explicit Bevel(Component* owner);

  BevelShape Shape() const { return shape_; }
  void SetShape(BevelShape shape);
  BevelStyle Style() const { return style_; }
  void SetStyle(BevelStyle style);

  void Paint(HDC dc) override;

 private:
  BevelShape shape_ = BevelShape::Box;
  BevelStyle style_ = BevelStyle::Lowered;
};

}  // namespace tessora::tk

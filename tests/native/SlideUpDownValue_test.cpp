#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "controls/SlideUpDownValue.h"

namespace tessora {
namespace {

// The control's value wired to a stand-in for the edit field beside it.
class SlideUpDownRig : public ::testing::Test {
 protected:
  SlideUpDownRig() {
    value.ReadAssociateText = [this]() -> std::optional<std::string> {
      if (!alive) return std::nullopt;
      return text;
    };
    value.WriteAssociateText = [this](const std::string& written) {
      if (!alive || !writable) return false;
      text = written;
      writes.push_back(written);
      if (onEditChange) onEditChange();
      return true;
    };
    value.OnChange = [this] { ++changes; };
  }

  // The seconds control of the configuration dialog, loaded from its form.
  void LoadSecondsControl(long double min, std::string storedText) {
    text = std::move(storedText);
    value.Loading = true;
    ASSERT_TRUE(value.TakeOverAssociate());
    value.SetQuantity(1);
    value.SetRate(1);
    value.SetIncrement(1);
    value.SetFunctionKind(TFunctionKind::fkLinear);
    value.SetFormat("0");
    value.SetMax(86400);
    value.SetMin(min);
    value.SetButtonsQuantity(1);
    value.SetSliderQuantity(1);
    value.Loaded();
    writes.clear();
    changes = 0;
  }

  SlideUpDownValue value;
  std::string text;
  bool alive = true;
  bool writable = true;
  std::vector<std::string> writes;
  int changes = 0;
  std::function<void()> onEditChange;
};

TEST_F(SlideUpDownRig, ANewControlCountsFromZeroToHundredInSteps) {
  EXPECT_EQ(value.Min(), 0);
  EXPECT_EQ(value.Max(), 100);
  EXPECT_FALSE(value.Wrap());
  EXPECT_EQ(value.StoredPosition(), 1);
  EXPECT_EQ(value.Quantity(), 1);
  EXPECT_EQ(value.Increment(), 1);
  EXPECT_EQ(value.Rate(), 1);
  EXPECT_EQ(value.FunctionKind(), TFunctionKind::fkLinear);
  EXPECT_EQ(value.Format(), "#,##0.00");
  EXPECT_EQ(value.SliderQuantity(), 1);
  EXPECT_EQ(value.ButtonsQuantity(), 1);
  EXPECT_EQ(value.SliderQuantityRatio(), 1);
  EXPECT_EQ(value.ButtonsQuantityRatio(), 1);
}

TEST_F(SlideUpDownRig, TakingOverTheAssociateConfinesAndRewritesItsText) {
  text = "1,234.5 s";
  ASSERT_TRUE(value.TakeOverAssociate());
  EXPECT_EQ(value.StoredPosition(), 100);
  EXPECT_EQ(text, "100.00");
  EXPECT_EQ(value.SyncedValue(), 100);
  EXPECT_EQ(changes, 1);

  // Without a digit the text only gets rewritten.
  text = "none";
  ASSERT_TRUE(value.TakeOverAssociate());
  EXPECT_EQ(text, "100.00");
  EXPECT_EQ(changes, 1);
}

TEST_F(SlideUpDownRig, AFailedWriteDropsTheAssociate) {
  writable = false;
  text = "5";
  EXPECT_FALSE(value.TakeOverAssociate());
  EXPECT_EQ(value.StoredPosition(), 5);
  EXPECT_EQ(value.SyncedValue(), 0);
  alive = false;
  EXPECT_FALSE(value.WriteAssociate());
  EXPECT_EQ(value.ReadAssociate(), std::nullopt);
}

TEST_F(SlideUpDownRig, HoldingUpNearTheTopClampsEveryRepeat) {
  LoadSecondsControl(0, "0");
  value.SetPosition(86398);
  const long double expected[] = {86399, 86400, 86400, 86400};
  for (int n = 0; n < 4; ++n) {
    value.ButtonClick(TButtonType::btUp, n);
    EXPECT_EQ(value.StoredPosition(), expected[n]) << n;
  }
  EXPECT_EQ(text, "86400");
  EXPECT_EQ(value.StartPosition(), 86398);
}

TEST_F(SlideUpDownRig, RepeatsMoveAfreshFromThePressValue) {
  LoadSecondsControl(0, "10");
  value.ButtonClick(TButtonType::btDown, 0);
  text = "500";  // typed during the hold: the repeats do not look at it
  value.ButtonClick(TButtonType::btDown, 1);
  value.ButtonClick(TButtonType::btDown, 2);
  EXPECT_EQ(value.StoredPosition(), 7);
}

TEST_F(SlideUpDownRig, ATypedNumberIsTakenOverBeforeTheStep) {
  LoadSecondsControl(0, "0");
  text = "120";
  value.ButtonClick(TButtonType::btUp, 0);
  EXPECT_EQ(value.StoredPosition(), 121);
  EXPECT_EQ(text, "121");

  text = "99999";
  EXPECT_TRUE(value.ArrowKeyStep(SlideUpDownValue::kKeyUp));
  EXPECT_EQ(value.StoredPosition(), 86400);
  EXPECT_EQ(text, "86400");
  EXPECT_TRUE(value.ArrowKeyStep(SlideUpDownValue::kKeyDown));
  EXPECT_EQ(text, "86399");
  EXPECT_FALSE(value.ArrowKeyStep(0x25));
  EXPECT_EQ(text, "86399");
}

TEST_F(SlideUpDownRig, SliderDragCountsPixelsFromThePressRow) {
  LoadSecondsControl(0, "100");
  value.SliderPress(3, 10);
  EXPECT_EQ(value.DragStartX(), 3);
  EXPECT_EQ(value.DragStartY(), 10);
  value.SliderDrag(3);
  EXPECT_EQ(value.StoredPosition(), 107);
  value.SliderDrag(10);
  EXPECT_EQ(value.StoredPosition(), 100);
  value.SliderDrag(20);
  EXPECT_EQ(value.StoredPosition(), 90);
  value.SliderDrag(-100000);
  EXPECT_EQ(value.StoredPosition(), 86400);
}

TEST_F(SlideUpDownRig, SliderQuantityScalesTheDrag) {
  LoadSecondsControl(0, "100");
  value.SetQuantity(2);
  EXPECT_EQ(value.SliderQuantity(), 2);
  value.SliderPress(0, 10);
  value.SliderDrag(7);
  EXPECT_EQ(value.StoredPosition(), 106);
}

TEST_F(SlideUpDownRig, AtTheLowerLimitStepsDownStayOrWrap) {
  LoadSecondsControl(1, "1");
  value.ButtonClick(TButtonType::btDown, 0);
  EXPECT_EQ(value.StoredPosition(), 1);
  value.SetWrap(true);
  value.ButtonClick(TButtonType::btDown, 0);
  EXPECT_EQ(value.StoredPosition(), 86399);  // 0 plus one period of 86399
}

TEST_F(SlideUpDownRig, AnEmptiedFieldKeepsTheOldValueAndStaysEmpty) {
  LoadSecondsControl(0, "60");
  text = "";
  EXPECT_EQ(value.Position(), 60);
  EXPECT_EQ(text, "");
  EXPECT_TRUE(writes.empty());
  EXPECT_EQ(changes, 0);
}

TEST_F(SlideUpDownRig, TheLastWrittenNumberChangesNothing) {
  value.SetMax(100000);
  value.SetPosition(1234.5L);
  EXPECT_EQ(text, "1,234.50");
  writes.clear();
  changes = 0;
  EXPECT_EQ(value.Position(), 1234.5L);
  EXPECT_TRUE(writes.empty());
  EXPECT_EQ(changes, 0);
}

TEST_F(SlideUpDownRig, PictureUsesTheSystemsSeparators) {
  value.Punctuation = {".", ","};
  value.SetMax(100000);
  value.SetPosition(1234.5L);
  EXPECT_EQ(text, "1.234,50");
}

TEST_F(SlideUpDownRig, EveryPositionWriteRaisesOnChangeButLimitsDoNot) {
  value.SetPosition(5);
  value.SetPosition(5);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(writes.size(), 2u);
  value.SetMax(3);
  EXPECT_EQ(value.StoredPosition(), 3);
  value.SetMin(4);
  EXPECT_EQ(value.StoredPosition(), 4);
  EXPECT_EQ(value.Max(), 4);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(writes.size(), 2u);
  value.SetFormat("0");
  EXPECT_EQ(text, "4");
  EXPECT_EQ(changes, 2);
}

// The edit field's own change event runs inside the write; a handler there that
// reads Position must see the control's own text, not a typed number.
TEST_F(SlideUpDownRig, ReadingPositionInsideTheWriteDoesNotRecurse) {
  int nested = 0;
  onEditChange = [&] {
    ASSERT_LT(++nested, 10);
    EXPECT_EQ(value.Position(), 42);
  };
  value.SetPosition(42);
  EXPECT_EQ(nested, 1);
  EXPECT_EQ(changes, 1);
}

TEST_F(SlideUpDownRig, IncrementFixesTheRate) {
  value.SetIncrement(5);
  EXPECT_EQ(value.Rate(), 5);
  value.SetPosition(10);
  value.ButtonClick(TButtonType::btUp, 0);
  EXPECT_EQ(value.StoredPosition(), 15);
  value.SetRate(2);
  EXPECT_EQ(value.Increment(), 2);
  value.SetIncrement(0);
  EXPECT_EQ(value.Rate(), 0);
}

TEST_F(SlideUpDownRig, QuantityKeepsThePartsInProportion) {
  value.SetSliderQuantity(3);
  value.SetButtonsQuantity(0.5L);
  EXPECT_EQ(value.SliderQuantityRatio(), 3);
  EXPECT_EQ(value.ButtonsQuantityRatio(), 0.5L);
  value.SetQuantity(2);
  EXPECT_EQ(value.SliderQuantity(), 6);
  EXPECT_EQ(value.ButtonsQuantity(), 1);
  EXPECT_EQ(value.Increment(), 2);

  value.SetQuantity(0);
  value.SetSliderQuantity(7);
  EXPECT_EQ(value.SliderQuantityRatio(), 3);
}

TEST_F(SlideUpDownRig, WhileLoadingWritesOnlyStoreThenRatiosFollow) {
  value.Loading = true;
  value.SetQuantity(4);
  value.SetSliderQuantity(2);
  value.SetButtonsQuantity(8);
  value.SetRate(3);
  EXPECT_EQ(value.SliderQuantity(), 2);
  EXPECT_EQ(value.SliderQuantityRatio(), 1);
  EXPECT_EQ(value.Increment(), 1);
  value.Loaded();
  EXPECT_FALSE(value.Loading);
  EXPECT_EQ(value.SliderQuantityRatio(), 0.5L);
  EXPECT_EQ(value.ButtonsQuantityRatio(), 2);
}

TEST_F(SlideUpDownRig, ExponentialStepsMultiply) {
  value.SetMax(1000);
  value.SetFunctionKind(TFunctionKind::fkExponential);
  // From Position 1 with Increment 1 over one step: the rate that doubles.
  EXPECT_NEAR(static_cast<double>(value.Rate()), 2.0, 1e-15);
  value.SetPosition(8);
  value.ButtonClick(TButtonType::btUp, 0);
  EXPECT_NEAR(static_cast<double>(value.StoredPosition()), 16.0, 1e-12);
  value.ButtonClick(TButtonType::btDown, 0);
  EXPECT_NEAR(static_cast<double>(value.StoredPosition()), 8.0, 1e-12);
}

// Recomputing the rate from the increment at every move would make it 0 at a
// position of 0 and leave the control stuck there.
TEST_F(SlideUpDownRig, ExponentialKeepsItsRateThroughZero) {
  value.SetMax(1000);
  value.SetFunctionKind(TFunctionKind::fkExponential);
  value.SetPosition(0);
  value.ButtonClick(TButtonType::btUp, 0);
  EXPECT_NEAR(static_cast<double>(value.StoredPosition()), 2.0, 1e-15);
  EXPECT_NEAR(static_cast<double>(value.Rate()), 2.0, 1e-15);
}

TEST_F(SlideUpDownRig, ADeadAssociateIsIgnored) {
  value.SetPosition(7);
  alive = false;
  text = "50";
  EXPECT_EQ(value.Position(), 7);
  value.SetPosition(9);
  EXPECT_EQ(value.StoredPosition(), 9);
  EXPECT_EQ(text, "50");
}

}  // namespace
}  // namespace tessora

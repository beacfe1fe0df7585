#include <map>
#include <set>

#include <gtest/gtest.h>

#include "surface/KeyClassification.h"

namespace {

const std::map<unsigned, ScrollAmount> scrollKeys = {
    {33, {0, -100}}, {34, {0, 100}}, {37, {-10, 0}}, {38, {0, -10}}, {39, {10, 0}}, {40, {0, 10}}};

// Apps, F1, F4, F5, F8, F9, F12, F13, F16, F17, F20, F21, F24.
const std::set<unsigned> menuKeys = {93, 112, 115, 116, 119, 120, 123, 124, 127, 128, 131, 132, 135};

TEST(KeyClassification, ScrollKeysAndTheirAmounts) {
  for (const auto& [key, amount] : scrollKeys) {
    EXPECT_EQ(ClassifyKey(key), KeyKind::Scroll) << key;
    EXPECT_EQ(ScrollForKey(key), amount) << key;
  }
}

TEST(KeyClassification, OnlyScrollKeysScroll) {
  for (unsigned key = 0; key < 256; ++key) {
    if (scrollKeys.contains(key)) continue;
    EXPECT_EQ(ScrollForKey(key), (ScrollAmount{0, 0})) << key;
  }
}

TEST(KeyClassification, MenuKeysAreAppsAndEveryOtherPairOfFunctionKeys) {
  for (unsigned key : menuKeys) EXPECT_EQ(ClassifyKey(key), KeyKind::Menu) << key;
  // F2, F3, F6, F7, F10, F11, F14, F15, F18, F19, F22, F23.
  for (unsigned key : {113u, 114u, 117u, 118u, 121u, 122u, 125u, 126u, 129u, 130u, 133u, 134u}) {
    EXPECT_EQ(ClassifyKey(key), KeyKind::Fill) << key;
  }
}

TEST(KeyClassification, EnterHatchesAndCtrlGradients) {
  EXPECT_EQ(ClassifyKey(13), KeyKind::Enter);
  EXPECT_EQ(ClassifyKey(17), KeyKind::Ctrl);
  EXPECT_EQ(ResponseToRelease(13, false), ReleaseResponse::HatchFill);
  EXPECT_EQ(ResponseToRelease(17, false), ReleaseResponse::GradientFill);
}

TEST(KeyClassification, EveryKeyCodeGetsItsReleaseResponse) {
  for (unsigned key = 0; key < 256; ++key) {
    for (bool alt : {false, true}) {
      ReleaseResponse expected = ReleaseResponse::ColorFill;
      if (key == 13) expected = ReleaseResponse::HatchFill;
      else if (key == 17) expected = ReleaseResponse::GradientFill;
      else if (scrollKeys.contains(key)) expected = ReleaseResponse::None;
      else if (menuKeys.contains(key))
        expected = alt ? ReleaseResponse::None : ReleaseResponse::EffectsMenu;
      EXPECT_EQ(ResponseToRelease(key, alt), expected) << "key " << key << " alt " << alt;
    }
  }
}

TEST(KeyClassification, EveryOtherCodeIsAColourFillKey) {
  for (unsigned key = 0; key < 256; ++key) {
    if (key == 13 || key == 17 || scrollKeys.contains(key) || menuKeys.contains(key)) continue;
    EXPECT_EQ(ClassifyKey(key), KeyKind::Fill) << key;
  }
}

TEST(EarlyRelease, AltGivesMosaicPrintScreenIsSwallowedOthersDispatched) {
  EXPECT_EQ(ClassifyEarlyRelease(18), EarlyRelease::MosaicFill);
  EXPECT_EQ(ClassifyEarlyRelease(44), EarlyRelease::Swallow);
  for (unsigned key = 0; key < 256; ++key) {
    if (key == 18 || key == 44) continue;
    EXPECT_EQ(ClassifyEarlyRelease(key), EarlyRelease::Dispatch) << key;
  }
}

TEST(WheelScroll, DirectionByDeltaSignAndAxesByIndexParity) {
  for (int index = 0; index < 10; ++index) {
    for (int delta : {120, 1, 0, 240}) {
      const ScrollAmount expected = index % 2 ? ScrollAmount{-10, 0} : ScrollAmount{-10, -10};
      EXPECT_EQ(ScrollForWheel(delta, index), expected) << "delta " << delta << " index " << index;
    }
    for (int delta : {-120, -1, -240}) {
      const ScrollAmount expected = index % 2 ? ScrollAmount{10, 0} : ScrollAmount{10, 10};
      EXPECT_EQ(ScrollForWheel(delta, index), expected) << "delta " << delta << " index " << index;
    }
  }
}

}  // namespace

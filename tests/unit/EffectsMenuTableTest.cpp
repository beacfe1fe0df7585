#include <string>

#include <gtest/gtest.h>

#include "surface/EffectsMenuTable.h"

namespace {

using effects_menu::AnswerToChar;
using effects_menu::CharAction;

// Bytes of a UTF-8 text in the Japanese 8-bit code page: one for ASCII, two for every kana,
// full-width sign and wave dash the labels use.
int JapaneseCodePageBytes(const std::string& utf8) {
  int bytes = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    bytes += lead < 0x80 ? 1 : 2;
    i += length;
  }
  return bytes;
}

TEST(EffectsMenuTable, ItemsAreMeasuredByTheFirstLongestLabelInBytes) {
  for (const auto& item : effects_menu::Items) {
    EXPECT_EQ(JapaneseCodePageBytes(item.label), item.labelBytes) << item.label;
  }
  // Two labels share the longest length; the first in the menu wins.
  EXPECT_EQ(effects_menu::MeasuredItem().commandId, 133u);
  EXPECT_EQ(effects_menu::ItemForCommand(146)->label, std::string("チュウチュウジェット(&M)"));
  EXPECT_EQ(effects_menu::ItemForCommand(135), nullptr);
}

TEST(EffectsMenuTable, EveryLetterChoosesItsItemInEitherCase) {
  const char* lettersByPosition[] = {"eqrtw", "iosu", "bhjk", "mxz", "acdfg", "lv", "np", "y"};
  int letters = 0;
  for (std::size_t position = 0; position < std::size(lettersByPosition); ++position) {
    for (const char* c = lettersByPosition[position]; *c != '\0'; ++c, ++letters) {
      for (const unsigned code : {static_cast<unsigned>(*c), static_cast<unsigned>(*c - 'a' + 'A')}) {
        const auto answer = AnswerToChar(code);
        EXPECT_EQ(answer.action, CharAction::ChooseItem) << code;
        EXPECT_EQ(answer.position, position) << static_cast<char>(code);
      }
    }
  }
  EXPECT_EQ(letters, 26);
  // Only the low byte counts.
  EXPECT_EQ(AnswerToChar(0x100 + 'y').position, 7u);
}

TEST(EffectsMenuTable, EscIsTheMenusOwnAndEveryOtherCharacterClosesIt) {
  EXPECT_EQ(AnswerToChar(27).action, CharAction::Default);
  for (unsigned code = 0; code < 256; ++code) {
    const bool letter = (code >= 'a' && code <= 'z') || (code >= 'A' && code <= 'Z');
    if (letter || code == 27) continue;
    EXPECT_EQ(AnswerToChar(code).action, CharAction::Close) << code;
  }
}

TEST(EffectsMenuTable, EachPictureHasTwoOfTheTenIndices) {
  const int pairs[5][2] = {{0, 7}, {2, 8}, {1, 4}, {3, 6}, {5, 9}};
  for (int picture = 0; picture < 5; ++picture) {
    for (const int index : pairs[picture]) EXPECT_EQ(effects_menu::PictureForIndex(index), picture) << index;
  }
}

}  // namespace

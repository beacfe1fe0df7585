#include <set>
#include <string>

#include <gtest/gtest.h>

#include "effects/EffectsMenuTable.h"
#include "surface/EffectsMenuRules.h"

namespace {

using effects_menu::AnswerToChar;
using effects_menu::CharAction;

TEST(EffectsMenuTable, EveryCommandIsOneItemAndEveryEffectStartsFromOneItem) {
  std::set<unsigned> commands;
  std::set<EffectRoutine> routines;
  for (const auto& item : effects_menu::Items) {
    EXPECT_TRUE(commands.insert(item.commandId).second) << item.commandId;
    EXPECT_EQ(effects_menu::ItemForCommand(item.commandId), &item);
    if (item.routine != nullptr) {
      EXPECT_TRUE(routines.insert(item.routine).second) << item.commandId;
    }
  }
  EXPECT_EQ(routines.size(), 7u);
  EXPECT_EQ(effects_menu::Items[0].routine, nullptr) << "the first item shows the picture popup";
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
}

TEST(EffectsMenuTable, CharactersBeyondEightBitsCloseTheMenuWhateverTheirLowByte) {
  // Half-width katakana a (low byte 0x71, 'q'), Cyrillic es (0x41, 'A'), and 'y' plus 256.
  for (const unsigned code : {0xFF71u, 0x0441u, 0x100u + 'y', 0x10000u + 'a'}) {
    EXPECT_EQ(AnswerToChar(code).action, CharAction::Close) << code;
  }
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

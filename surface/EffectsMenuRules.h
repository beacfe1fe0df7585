#pragma once
#include <cstddef>

// How the effects menu answers what is typed while it is open, and which picture an item shows.
namespace effects_menu {

// What a character typed while the menu is open does: a letter chooses the item that lists it;
// Esc is the menu's own business; anything else closes the menu (an Esc press is posted).
enum class CharAction { ChooseItem, Default, Close };
struct CharAnswer {
  CharAction action;
  std::size_t position = 0;  // for ChooseItem
};
CharAnswer AnswerToChar(unsigned characterCode);

// The menu picture (0 to 4, PMENU1 to PMENU5) an item is drawn with, for a tick-seeded index.
int PictureForIndex(int index);

}  // namespace effects_menu

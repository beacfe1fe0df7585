#pragma once
#include <array>
#include <cstddef>
#include <optional>

// The effects menu: eight owner-drawn items of a picture and a large Japanese label, shown at the
// cursor. Its first item opens the picture popup, the others start the effects.
namespace effects_menu {

struct Item {
  unsigned commandId;
  const char* label;  // UTF-8; the ampersand marks the underlined letter
  int labelBytes;     // the label's length in the Japanese 8-bit code page, which sizes the items
};

inline constexpr std::array<Item, 8> Items = {{
    {130, "けしごむ？(&Q)...", 17},
    {131, "しゃっしゃっしゃっ(&S)", 22},
    {133, "ダブルコーヒーカップ(&B)", 24},
    {146, "チュウチュウジェット(&M)", 24},
    {132, "キラキラ(&C)", 12},
    {147, "にょりょにょりょ(&L)", 20},
    {148, "こっちにくる～(&P)", 18},
    {134, "ドド～ン(&Y)", 12},
}};

// The label every item is measured by: the longest in bytes, the first of equal ones.
const Item& MeasuredItem();

// The item of a command id, if it is one of the menu's.
const Item* ItemForCommand(unsigned commandId);

// What a character typed while the menu is open does: a letter chooses the item at its position;
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

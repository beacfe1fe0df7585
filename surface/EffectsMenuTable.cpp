#include "surface/EffectsMenuTable.h"

namespace effects_menu {

const Item& MeasuredItem() {
  const Item* longest = &Items[0];
  for (const Item& item : Items) {
    if (item.labelBytes > longest->labelBytes) longest = &item;
  }
  return *longest;
}

const Item* ItemForCommand(unsigned commandId) {
  for (const Item& item : Items) {
    if (item.commandId == commandId) return &item;
  }
  return nullptr;
}

CharAnswer AnswerToChar(unsigned characterCode) {
  // Letters to menu positions, a to z.
  static constexpr std::array<int, 26> positions = {4, 2, 4, 4, 0, 4, 4, 2, 1, 2, 2, 5, 3,
                                                    6, 1, 6, 0, 0, 1, 0, 1, 5, 0, 3, 7, 3};
  unsigned c = characterCode & 0xFFu;
  if (c >= 'A' && c <= 'Z') c += 'a' - 'A';
  if (c >= 'a' && c <= 'z') return {CharAction::ChooseItem, static_cast<std::size_t>(positions[c - 'a'])};
  if (c == 27) return {CharAction::Default};
  return {CharAction::Close};
}

int PictureForIndex(int index) {
  static constexpr std::array<int, 10> pictures = {0, 2, 1, 3, 2, 4, 3, 0, 1, 4};
  return index >= 0 && index < 10 ? pictures[static_cast<std::size_t>(index)] : 0;
}

}  // namespace effects_menu

#include "surface/EffectsMenuRules.h"

#include <array>

#include "effects/EffectsMenuTable.h"

namespace effects_menu {

CharAnswer AnswerToChar(unsigned characterCode) {
  // Only the 8-bit codes count: a character beyond them whose low byte happens to be a letter
  // (half-width katakana, Cyrillic) is any other key.
  if (characterCode > 0xFF) return {CharAction::Close};
  unsigned c = characterCode;
  if (c >= 'A' && c <= 'Z') c += 'a' - 'A';
  if (c >= 'a' && c <= 'z') {
    for (std::size_t position = 0; position < Items.size(); ++position) {
      if (Items[position].letters.find(static_cast<char>(c)) != std::string_view::npos) {
        return {CharAction::ChooseItem, position};
      }
    }
  }
  if (c == 27) return {CharAction::Default};
  return {CharAction::Close};
}

int PictureForIndex(int index) {
  static constexpr std::array<int, 10> pictures = {0, 2, 1, 3, 2, 4, 3, 0, 1, 4};
  return index >= 0 && index < 10 ? pictures[static_cast<std::size_t>(index)] : 0;
}

}  // namespace effects_menu

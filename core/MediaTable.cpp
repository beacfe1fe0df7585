#include "core/MediaTable.h"

namespace media {

Sound KeySoundForIndex(int index) {
  static constexpr std::array<const char*, 10> byIndex = {
      "WAV\\KEY2.WAV", "WAV\\KEY1.WAV", "WAV\\KEY5.WAV", "WAV\\KEY3.WAV", "WAV\\KEY1.WAV",
      "WAV\\KEY4.WAV", "WAV\\KEY2.WAV", "WAV\\KEY3.WAV", "WAV\\KEY4.WAV", "WAV\\KEY5.WAV"};
  return {byIndex[static_cast<std::size_t>(index % 10)], SoundMode::Play, SoundGate::KeySounds};
}

Cue CueForCode(std::intptr_t code) {
  switch (static_cast<SoundCue>(code)) {
    case SoundCue::OpeningDialog: return {CueAction::Play, OpeningCue};
    case SoundCue::DialogClosed: return {CueAction::Play, ClosingCue};
    case SoundCue::Stop: return {CueAction::Stop, std::nullopt};
  }
  return {CueAction::Nothing, std::nullopt};
}

int DragIconSlotForIndex(int index) {
  static constexpr std::array<int, 10> slots = {1, 0, 6, 2, 7, 3, 4, 8, 5, 9};
  return slots[static_cast<std::size_t>(index % 10)];
}

}  // namespace media

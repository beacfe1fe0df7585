#pragma once
#include <array>
#include <string_view>

#include "core/MediaTable.h"
#include "effects/Effects.h"
#include "resources/resource.h"

// The effects menu, item by item in menu order: the command, which also names the label's string
// resource (the ampersand in a label marks its underlined letter), the letters that choose the item
// while the menu is open (in lower case), the effect it starts, and the sound that goes with it.
// The first item starts no effect: the play surface shows the picture popup with its sound.
namespace effects_menu {

struct Item {
  unsigned commandId;
  std::string_view letters;
  EffectRoutine routine;
  media::Sound sound;
};

inline constexpr std::array<Item, 8> Items = {{
    {IDM_PICTURE_POPUP, "eqrtw", nullptr, {"WAV\\POPUPL.WAV", media::SoundMode::Play, media::SoundGate::OtherSounds}},
    {IDM_HATCH_SCATTER, "iosu", &HatchScatter, {"WAV\\RMM.WAV", media::SoundMode::Play, media::SoundGate::OtherSounds}},
    {IDM_TWIN_ORBIT, "bhjk", &TwinOrbit, {"WAV\\PON.WAV", media::SoundMode::Play, media::SoundGate::OtherSounds}},
    {IDM_BOUNCING_ICON, "mxz", &BouncingIcon, {"WAV\\SYU.WAV", media::SoundMode::Loop, media::SoundGate::OtherSounds}},
    {IDM_SPARKLE, "acdfg", &Sparkle, {"WAV\\STAR.WAV", media::SoundMode::Play, media::SoundGate::OtherSounds}},
    {IDM_DIAGONAL_RINGS, "lv", &DiagonalRings, {"WAV\\WWP.WAV", media::SoundMode::Play, media::SoundGate::OtherSounds}},
    {IDM_GROWING_CIRCLES, "np", &GrowingCircles, {"WAV\\TEN.WAV", media::SoundMode::Play, media::SoundGate::OtherSounds}},
    {IDM_SHOCKWAVE, "y", &Shockwave, {"WAV\\BOM.WAV", media::SoundMode::Loop, media::SoundGate::OtherSounds}},
}};

// The item of a command id, if it is one of the menu's.
constexpr const Item* ItemForCommand(unsigned commandId) {
  for (const Item& item : Items) {
    if (item.commandId == commandId) return &item;
  }
  return nullptr;
}

}  // namespace effects_menu

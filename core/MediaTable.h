#pragma once
#include <array>
#include <cstdint>
#include <optional>

// The media files beside the program: paths relative to the current directory, exactly as the
// platform receives them, and the sound modes.
namespace media {

// Playback flags: SND_ASYNC 0x1, SND_NODEFAULT 0x2, SND_LOOP 0x8, SND_NOSTOP 0x10, SND_FILENAME 0x20000.
enum class SoundMode : std::uint32_t {
  Play = 0x20003,           // replaces the playing sound, plays once
  PlayUnlessBusy = 0x20013, // does nothing while a sound plays
  Loop = 0x2000B,           // replaces the playing sound, repeats until stopped
  LoopUnlessBusy = 0x2001B,
};

// Which option must be on for a sound to start.
enum class SoundGate { KeySounds, OtherSounds };

// A gate is open when its option is nonzero (a missing key, -1, counts as on).
constexpr bool GateOpen(SoundGate gate, int keySounds, int otherSounds) {
  return (gate == SoundGate::KeySounds ? keySounds : otherSounds) != 0;
}

struct Sound {
  const char* path;
  SoundMode mode;
  SoundGate gate;
};

inline constexpr Sound Ponyon{"WAV\\PONYON.WAV", SoundMode::PlayUnlessBusy, SoundGate::KeySounds};
inline constexpr Sound Drag{"WAV\\DRAG.WAV", SoundMode::LoopUnlessBusy, SoundGate::OtherSounds};
inline constexpr Sound HatchFill{"WAV\\POPUPS.WAV", SoundMode::Play, SoundGate::OtherSounds};
inline constexpr Sound MosaicFill{"WAV\\KEY3.WAV", SoundMode::Play, SoundGate::OtherSounds};
inline constexpr Sound OpeningCue{"WAV\\POPUPS.WAV", SoundMode::Play, SoundGate::OtherSounds};
inline constexpr Sound ClosingCue{"WAV\\KEY5.WAV", SoundMode::Play, SoundGate::OtherSounds};
// The key-release sound for a tick-seeded index 0 to 9; each file has two of the ten indices.
Sound KeySoundForIndex(int index);

// The sound cues that reach the play surface through the frame (WMU_SOUND_CUE, the cue in its
// first parameter): a grown-up's dialog is opening, it has closed, and stop (the clock was clicked).
enum class SoundCue : std::intptr_t { OpeningDialog = 0, DialogClosed = 1, Stop = 10 };

enum class CueAction { Nothing, Play, Stop };
struct Cue {
  CueAction action;
  std::optional<Sound> sound;
};
// What a cue code asks for; a code that is no cue asks for nothing.
Cue CueForCode(std::intptr_t code);

inline constexpr std::array<const char*, 5> MenuIconFiles = {
    "PMENUICO\\PMENU1.ICO", "PMENUICO\\PMENU2.ICO", "PMENUICO\\PMENU3.ICO",
    "PMENUICO\\PMENU4.ICO", "PMENUICO\\PMENU5.ICO"};

// Drag icons in the order of their slots.
inline constexpr std::array<const char*, 10> DragIconFiles = {
    "DRAGICON\\DRGICO4.ICO", "DRAGICON\\DRGICO5.ICO", "DRAGICON\\DRGICO6.ICO",
    "DRAGICON\\DRGICO7.ICO", "DRAGICON\\DRGICO8.ICO", "DRAGICON\\DRGICO9.ICO",
    "DRAGICON\\DRGICO10.ICO", "DRAGICON\\DRGICO3.ICO", "DRAGICON\\DRGICO1.ICO",
    "DRAGICON\\DRGICO2.ICO"};

inline constexpr std::array<const char*, 5> CursorFiles = {
    "CURSOR\\CURSOR1.CUR", "CURSOR\\CURSOR2.CUR", "CURSOR\\CURSOR3.CUR", "CURSOR\\CURSOR4.CUR",
    "CURSOR\\CURSOR5.CUR"};

// The effects' icons: the eight sparkles K1 to K8 and the four jets of the bouncing icon.
inline constexpr std::array<const char*, 8> SparkleIconFiles = {
    "ICON\\KIRA1.ICO", "ICON\\KIRA2.ICO", "ICON\\KIRA3.ICO", "ICON\\KIRA4.ICO",
    "ICON\\KIRA5.ICO", "ICON\\KIRA6.ICO", "ICON\\KIRA7.ICO", "ICON\\KIRA8.ICO"};
inline constexpr std::array<const char*, 4> JetIconFiles = {"ICON\\CYUU1.ICO", "ICON\\CYUU2.ICO",
                                                            "ICON\\CYUU3.ICO", "ICON\\CYUU4.ICO"};

// The drag-icon slot that the second-seeded index picks.
int DragIconSlotForIndex(int index);

}  // namespace media

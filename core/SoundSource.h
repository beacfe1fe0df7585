#pragma once
#include <cstddef>
#include <optional>

// How the sound thread hands a media sound to the audio stack. The audio stack opens a sound file
// through the 8-bit file open, which resolves its full path into a buffer of 128 characters: a
// path it can open is spelt in the ANSI code page and fits that buffer with its terminator.
enum class SoundSource {
  FilePath,   // the media path as it is
  ShortPath,  // the file's short (8.3) path
  Memory,     // the file's bytes, read with the wide-character file calls
};

inline constexpr std::size_t AudioStackPathCapacity = 128;

// `fullPathBytes` and `shortPathBytes` are the lengths in the ANSI code page of the file's full and
// short paths, without terminator; nothing where that code page cannot spell the path or there is
// no short path (volumes may have none).
SoundSource ChooseSoundSource(std::optional<std::size_t> fullPathBytes, std::optional<std::size_t> shortPathBytes);

#include <algorithm>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "surface/IconSprinkle.h"
#include "core/MediaTable.h"
#include "core/RandomGenerator.h"
#include "core/SoundSource.h"
#include "TestSupport.h"

namespace {

using media::SoundGate;
using media::SoundMode;

TEST(SoundTable, KeySoundByTickIndex) {
  const char* const expected[10] = {"WAV\\KEY2.WAV", "WAV\\KEY1.WAV", "WAV\\KEY5.WAV",
                                    "WAV\\KEY3.WAV", "WAV\\KEY1.WAV", "WAV\\KEY4.WAV",
                                    "WAV\\KEY2.WAV", "WAV\\KEY3.WAV", "WAV\\KEY4.WAV",
                                    "WAV\\KEY5.WAV"};
  for (int k = 0; k < 10; ++k) {
    const media::Sound s = media::KeySoundForIndex(k);
    EXPECT_EQ(std::string(s.path), expected[k]) << "index " << k;
    EXPECT_EQ(static_cast<std::uint32_t>(s.mode), 0x20003u) << "index " << k;
    EXPECT_EQ(s.gate, SoundGate::KeySounds) << "index " << k;
  }
}

TEST(SoundSource, ThePathGoesToTheAudioStackOnlyWhereItsCodePageSpellsItWithinItsBuffer) {
  EXPECT_EQ(SoundSource::FilePath, ChooseSoundSource(127, std::nullopt));
  EXPECT_EQ(SoundSource::ShortPath, ChooseSoundSource(std::nullopt, 40)) << "a folder the code page cannot spell";
  EXPECT_EQ(SoundSource::ShortPath, ChooseSoundSource(128, 127)) << "a full path one byte too long";
  EXPECT_EQ(SoundSource::Memory, ChooseSoundSource(std::nullopt, std::nullopt)) << "a volume without short names";
  EXPECT_EQ(SoundSource::Memory, ChooseSoundSource(200, 128));
}

TEST(SoundTable, PlaybackFlagValues) {
  EXPECT_EQ(static_cast<std::uint32_t>(SoundMode::Play), 0x20003u);
  EXPECT_EQ(static_cast<std::uint32_t>(SoundMode::PlayUnlessBusy), 0x20013u);
  EXPECT_EQ(static_cast<std::uint32_t>(SoundMode::Loop), 0x2000Bu);
  EXPECT_EQ(static_cast<std::uint32_t>(SoundMode::LoopUnlessBusy), 0x2001Bu);
}

TEST(SoundTable, FixedSoundsTheirModesAndGates) {
  struct Case {
    media::Sound sound;
    const char* path;
    std::uint32_t mode;
    SoundGate gate;
  };
  const Case cases[] = {
      {media::Ponyon, "WAV\\PONYON.WAV", 0x20013u, SoundGate::KeySounds},
      {media::Drag, "WAV\\DRAG.WAV", 0x2001Bu, SoundGate::OtherSounds},
      {media::HatchFill, "WAV\\POPUPS.WAV", 0x20003u, SoundGate::OtherSounds},
      {media::MosaicFill, "WAV\\KEY3.WAV", 0x20003u, SoundGate::OtherSounds},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(std::string(c.sound.path), c.path);
    EXPECT_EQ(static_cast<std::uint32_t>(c.sound.mode), c.mode) << c.path;
    EXPECT_EQ(c.sound.gate, c.gate) << c.path;
  }
}

TEST(SoundCues, ZeroOpensOneClosesTenStopsOthersNothing) {
  const media::Cue opening = media::CueForCode(0);
  EXPECT_EQ(opening.action, media::CueAction::Play);
  ASSERT_TRUE(opening.sound.has_value());
  EXPECT_EQ(std::string(opening.sound->path), "WAV\\POPUPS.WAV");

  const media::Cue closing = media::CueForCode(1);
  EXPECT_EQ(closing.action, media::CueAction::Play);
  ASSERT_TRUE(closing.sound.has_value());
  EXPECT_EQ(std::string(closing.sound->path), "WAV\\KEY5.WAV");

  const media::Cue stop = media::CueForCode(10);
  EXPECT_EQ(stop.action, media::CueAction::Stop);
  EXPECT_FALSE(stop.sound.has_value());

  for (std::intptr_t code : {-1, 2, 3, 9, 11, 100, 0x7FFFFFFF}) {
    const media::Cue cue = media::CueForCode(code);
    EXPECT_EQ(cue.action, media::CueAction::Nothing) << code;
    EXPECT_FALSE(cue.sound.has_value()) << code;
  }
}

TEST(DragIcons, SlotOrderOfFiles) {
  const char* const expected[10] = {"DRGICO4", "DRGICO5", "DRGICO6", "DRGICO7", "DRGICO8",
                                    "DRGICO9", "DRGICO10", "DRGICO3", "DRGICO1", "DRGICO2"};
  for (std::size_t slot = 0; slot < 10; ++slot) {
    EXPECT_EQ(std::string(media::DragIconFiles[slot]),
              std::string("DRAGICON\\") + expected[slot] + ".ICO") << "slot " << slot;
  }
}

TEST(DragIcons, SecondIndexPicksSlotAndFile) {
  struct Case {
    int index;
    int slot;
    const char* file;
  };
  const Case cases[] = {{0, 1, "DRGICO5"}, {1, 0, "DRGICO4"}, {2, 6, "DRGICO10"},
                        {3, 2, "DRGICO6"}, {4, 7, "DRGICO3"}, {5, 3, "DRGICO7"},
                        {6, 4, "DRGICO8"}, {7, 8, "DRGICO1"}, {8, 5, "DRGICO9"},
                        {9, 9, "DRGICO2"}};
  for (const Case& c : cases) {
    const int slot = media::DragIconSlotForIndex(c.index);
    EXPECT_EQ(slot, c.slot) << "index " << c.index;
    ASSERT_GE(slot, 0);
    ASSERT_LT(slot, 10);
    EXPECT_EQ(std::string(media::DragIconFiles[static_cast<std::size_t>(slot)]),
              std::string("DRAGICON\\") + c.file + ".ICO")
        << "index " << c.index;
  }
}

// ---------------------------------------------------------------------------------------------
// Held-key sprinkle.

TEST(IconSprinkle, PlacementIsThreeDrawsAfterSeeding) {
  for (std::uint32_t seed : {0u, 1u, 2u, 86'400'123u, 0xFFFFFFFFu}) {
    for (const auto& [w, h] : {std::pair{1024, 768}, std::pair{1, 1}, std::pair{7, 3000}}) {
      random_generator::Seed(seed);
      const auto place = NextSprinklePlacement(w, h);
      ASSERT_TRUE(place.has_value());
      ReferenceLcg ref(seed);
      EXPECT_EQ(place->x, ref.Next() % w) << "seed " << seed;
      EXPECT_EQ(place->y, ref.Next() % h) << "seed " << seed;
      EXPECT_EQ(place->halfSize, (ref.Next() % 16 + 1) * 6) << "seed " << seed;
    }
  }
}

TEST(IconSprinkle, SizeRunsFrom12To192AndPlaceStaysInside) {
  random_generator::Seed(5u);
  int smallest = 1000;
  int largest = 0;
  for (int i = 0; i < 5000; ++i) {
    const auto place = NextSprinklePlacement(800, 600);
    ASSERT_TRUE(place.has_value());
    ASSERT_GE(place->x, 0);
    ASSERT_LT(place->x, 800);
    ASSERT_GE(place->y, 0);
    ASSERT_LT(place->y, 600);
    ASSERT_EQ(place->size() % 12, 0);
    EXPECT_EQ(place->left(), place->x - place->halfSize);
    EXPECT_EQ(place->top(), place->y - place->halfSize);
    smallest = std::min(smallest, place->size());
    largest = std::max(largest, place->size());
  }
  EXPECT_EQ(smallest, 12);
  EXPECT_EQ(largest, 192);
}

TEST(IconSprinkle, EmptyAreaGivesNoPlacement) {
  EXPECT_FALSE(NextSprinklePlacement(0, 600).has_value());
  EXPECT_FALSE(NextSprinklePlacement(800, 0).has_value());
  EXPECT_FALSE(NextSprinklePlacement(0, 0).has_value());
  EXPECT_FALSE(NextSprinklePlacement(-5, 600).has_value());
  EXPECT_FALSE(NextSprinklePlacement(800, -1).has_value());
}

TEST(IconSprinkle, IconIsHalfTheIndex) {
  const int expected[10] = {0, 0, 1, 1, 2, 2, 3, 3, 4, 4};
  for (int k = 0; k < 10; ++k) EXPECT_EQ(SprinkleIconForIndex(k), expected[k]) << k;
  for (int k = 0; k < 10; ++k) {
    const auto slot = static_cast<std::size_t>(SprinkleIconForIndex(k));
    ASSERT_LT(slot, media::MenuIconFiles.size());
  }
}

}  // namespace

// Every sprinkle is drawn from a frame at least as large as itself, and the smallest such one.
TEST(IconSprinkle, DrawsFromTheSmallestFrameAtLeastItsSize) {
  for (int drawn = 12; drawn <= 192; ++drawn) {
    const std::size_t frame = SprinkleFrameFor(drawn);
    ASSERT_GE(SprinkleFrameSizes[frame], drawn) << drawn;
    if (frame > 0) {
      EXPECT_LT(SprinkleFrameSizes[frame - 1], drawn) << drawn;
    }
  }
}

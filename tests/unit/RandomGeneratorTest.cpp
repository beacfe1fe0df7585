#include <algorithm>
#include <future>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "core/RandomGenerator.h"

namespace {

namespace rng = random_generator;

std::vector<int> Draws(int count) {
  std::vector<int> out;
  for (int i = 0; i < count; ++i) out.push_back(rng::Draw());
  return out;
}

std::vector<int> ReferenceDraws(std::uint32_t seed, int count) {
  ReferenceLcg ref(seed);
  std::vector<int> out;
  for (int i = 0; i < count; ++i) out.push_back(ref.Next());
  return out;
}

TEST(RandomGenerator, SeedZeroFirstDrawIs38) {
  rng::Seed(0);
  EXPECT_EQ(rng::Draw(), 38);
}

TEST(RandomGenerator, SeedTwoDraws45Then29216) {
  rng::Seed(2);
  EXPECT_EQ(rng::Draw(), 45);
  EXPECT_EQ(rng::Draw(), 29216);
}

TEST(RandomGenerator, ReseedingRestartsTheSequence) {
  rng::Seed(2);
  rng::Draw();
  rng::Draw();
  rng::Draw();
  rng::Seed(2);
  EXPECT_EQ(rng::Draw(), 45);
}

TEST(RandomGenerator, UnseededThreadStartsFromStateOne) {
  std::vector<int> first;
  std::thread([&] { first = Draws(5); }).join();
  ASSERT_EQ(first.size(), 5u);
  EXPECT_EQ(first[0], 41);
  EXPECT_EQ(first, ReferenceDraws(1, 5));
}

TEST(RandomGenerator, LongSequencesMatchTheReferenceAcrossTheSeedRange) {
  for (std::uint32_t seed : {0u, 1u, 2u, 12345u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu}) {
    rng::Seed(seed);
    EXPECT_EQ(Draws(20000), ReferenceDraws(seed, 20000)) << "seed " << seed;
  }
}

TEST(RandomGenerator, DrawsStayWithinFifteenBits) {
  rng::Seed(987654321u);
  int highest = 0;
  for (int i = 0; i < 100000; ++i) {
    const int d = rng::Draw();
    ASSERT_GE(d, 0);
    ASSERT_LE(d, 32767);
    highest = std::max(highest, d);
  }
  // Bit 14 is reached, so bits 16-30 are all taken (not just 16-29).
  EXPECT_GE(highest, 16384);
}

// Thread B draws, thread A seeds and draws in between, and B's next draw must be the one that
// follows its own earlier draw.
TEST(RandomGenerator, SeedingOnOneThreadLeavesAnothersSequenceAlone) {
  std::promise<void> bDrewFirst;
  std::promise<void> aSeeded;
  std::future<void> aSeededSignal = aSeeded.get_future();
  std::vector<int> bDraws;
  std::vector<int> aDraws;

  std::thread b([&] {
    rng::Seed(2);
    bDraws.push_back(rng::Draw());
    bDrewFirst.set_value();
    aSeededSignal.wait();
    bDraws.push_back(rng::Draw());
    for (int i = 0; i < 100; ++i) bDraws.push_back(rng::Draw());
  });
  std::thread a([&] {
    bDrewFirst.get_future().wait();
    rng::Seed(0);
    aDraws.push_back(rng::Draw());
    aSeeded.set_value();
    for (int i = 0; i < 100; ++i) aDraws.push_back(rng::Draw());
  });
  a.join();
  b.join();

  ASSERT_EQ(bDraws.size(), 102u);
  EXPECT_EQ(bDraws[0], 45);
  EXPECT_EQ(bDraws[1], 29216);
  EXPECT_EQ(bDraws, ReferenceDraws(2, 102));
  ASSERT_FALSE(aDraws.empty());
  EXPECT_EQ(aDraws[0], 38);
  EXPECT_EQ(aDraws, ReferenceDraws(0, 101));
}

TEST(RandomGenerator, AnotherThreadsSeedDoesNotReachThisThread) {
  rng::Seed(12345u);
  rng::Draw();
  std::thread([] {
    rng::Seed(0);
    rng::Draw();
  }).join();
  ReferenceLcg ref(12345u);
  ref.Next();
  EXPECT_EQ(rng::Draw(), ref.Next());
}

}  // namespace

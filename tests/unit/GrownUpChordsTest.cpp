#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <queue>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "app/GrownUpChords.h"

namespace {

using V = GrownUpVerdict;
constexpr unsigned LShift = 0xA0, RShift = 0xA1, LCtrl = 0xA2, LAlt = 0xA4, RAlt = 0xA5, Esc = 0x1B, F3 = 0x72,
                   F4 = 0x73, Enter = 0x0D, Space = 0x20, Down = 0x28, Del = 0x2E;
constexpr unsigned Key(char letter) { return static_cast<unsigned>(letter); }

struct Step {
  bool press;
  unsigned key;
  std::uint32_t at;
  bool seen = true;  // false: a release that only the system sees (the secure desktop took it)
};
constexpr bool Lost = false;

// The system's record of the keys down, which the judge asks.
std::bitset<256> systemDown;
bool SystemHolds(unsigned key) { return systemDown[key]; }

// The verdicts other than Nothing, in order.
std::vector<V> Verdicts(GrownUpChordJudge& judge, const std::vector<Step>& steps) {
  std::vector<V> verdicts;
  for (const Step& step : steps) {
    systemDown[step.key] = step.press;
    if (!step.seen) continue;
    const V verdict = step.press ? judge.Press(step.key, step.at) : judge.Release(step.key, step.at);
    if (verdict != V::Nothing) verdicts.push_back(verdict);
  }
  return verdicts;
}

std::vector<V> Verdicts(const std::vector<Step>& steps) {
  systemDown.reset();
  GrownUpChordJudge judge(&SystemHolds);
  return Verdicts(judge, steps);
}

using Expected = std::vector<V>;

TEST(GrownUpChords, OnlyTheExactChordOpensTheMenuOrClosesTheToyAtTheKeysRelease) {
  EXPECT_EQ(Verdicts({{true, LShift, 0}, {true, Esc, 300}, {false, LShift, 350}, {false, Esc, 400}}),
            Expected{V::OpenMenu})
      << "Shift may come up first";
  EXPECT_EQ(Verdicts({{true, RShift, 0}, {true, Esc, 300}, {true, Esc, 800}, {true, Esc, 833}, {false, Esc, 900}}),
            Expected{V::OpenMenu})
      << "right Shift, and the repeats of a held Esc";
  EXPECT_EQ(Verdicts({{true, LShift, 0}, {true, Key('Z'), 150}, {true, Esc, 300}, {false, Esc, 400}}), Expected{});
  EXPECT_EQ(Verdicts({{true, LShift, 0}, {true, Esc, 300}, {true, Key('Z'), 350}, {false, Esc, 400}}), Expected{});
  EXPECT_EQ(Verdicts({{true, Key('Z'), 0}, {true, LShift, 100}, {true, Esc, 400}, {false, Esc, 500}}), Expected{})
      << "Z held from before";
  EXPECT_EQ(Verdicts({{true, LShift, 0}, {true, Key('Z'), 100}, {false, Key('Z'), 150}, {true, Esc, 400},
                      {false, Esc, 500}}),
            Expected{})
      << "a key pressed and let go while Shift is down";
  EXPECT_EQ(Verdicts({{true, LShift, 0}, {true, Esc, 40}, {false, Esc, 100}}), Expected{})
      << "Shift and Esc landing together";
  EXPECT_EQ(Verdicts({{true, LAlt, 0}, {true, F4, 300}, {false, F4, 400}}), Expected{V::CloseToy});
  EXPECT_EQ(Verdicts({{true, LAlt, 0}, {true, F3, 200}, {true, F4, 300}, {false, F4, 400}}), Expected{});
  EXPECT_EQ(Verdicts({{true, LAlt, 0}, {true, F4, 300}, {true, Key('G'), 350}, {false, F4, 400}}), Expected{});
  EXPECT_EQ(Verdicts({{true, LShift, 0}, {true, LAlt, 10}, {true, F4, 300}, {false, F4, 400}}), Expected{});
  EXPECT_EQ(Verdicts({{true, LShift, 0}, {true, Key('Z'), 100}, {false, Key('Z'), 150}, {true, RShift, 200},
                      {true, Esc, 500}, {false, Esc, 600}}), Expected{})
      << "the second Shift of a hand that holds both starts nothing afresh";
  EXPECT_EQ(Verdicts({{true, Key('Z'), 0}, {true, LShift, 100}, {false, Key('Z'), 200}, {true, Esc, 400},
                      {false, Esc, 500}}), Expected{})
      << "Z down before Shift and let go before Esc";
  EXPECT_EQ(Verdicts({{true, LCtrl, 0}, {true, RAlt, 0}, {true, F4, 300}, {false, F4, 400}, {false, RAlt, 450},
                      {false, LCtrl, 450}, {true, LAlt, 1000}, {true, F4, 1300}, {false, F4, 1400}}),
            Expected{V::CloseToy})
      << "AltGr (a made-up left Ctrl with the right Alt) is not Alt: the left Alt is";
}

TEST(GrownUpChords, InTheMenuOnlyALoneKeyChoosesAndASmashClosesIt) {
  const std::vector<Step> open = {{true, LShift, 0}, {true, Esc, 300}, {false, Esc, 400}};
  GrownUpChordJudge judge;
  ASSERT_EQ(Verdicts(judge, open), Expected{V::OpenMenu});
  EXPECT_TRUE(judge.MenuOpen());
  // Shift still held from the chord is not another key.
  EXPECT_EQ(Verdicts(judge, {{true, Key('S'), 500}, {false, Key('S'), 560}}), Expected{V::Choose});
  const Expected twoChoices = {V::Choose, V::Choose};
  EXPECT_EQ(Verdicts(judge, {{false, LShift, 600}, {true, Down, 700}, {false, Down, 750}, {true, Enter, 800},
                             {false, Enter, 850}}),
            twoChoices);
  EXPECT_EQ(Verdicts(judge, {{true, Key('X'), 900}, {true, Key('C'), 910}}), Expected{V::CloseMenu});
  EXPECT_FALSE(judge.MenuOpen());
  EXPECT_EQ(Verdicts(judge, {{false, Key('X'), 950}, {false, Key('C'), 960}}), Expected{}) << "nothing chosen";

  GrownUpChordJudge escaped;
  Verdicts(escaped, open);
  EXPECT_EQ(Verdicts(escaped, {{true, Esc, 500}, {false, Esc, 550}}), Expected{V::CloseMenu});
  GrownUpChordJudge closedByHand;
  Verdicts(closedByHand, open);
  closedByHand.MenuClosed();
  EXPECT_EQ(Verdicts(closedByHand, {{true, Space, 600}, {false, Space, 650}}), Expected{});
}

TEST(GrownUpChords, ReleasesTheJudgeNeverSawStopNoGrownUpAndLetNoLoneKeyThrough) {
  // Ctrl+Alt+Delete: the secure desktop takes the releases.
  const std::vector<Step> secure = {{true, LCtrl, 0}, {true, LAlt, 50}, {true, Del, 100}, {false, Del, 200, Lost},
                                    {false, LAlt, 300, Lost}, {false, LCtrl, 300, Lost}};
  const auto after = [&](std::vector<Step> steps) {
    steps.insert(steps.begin(), secure.begin(), secure.end());
    return Verdicts(steps);
  };
  EXPECT_EQ(after({{true, RAlt, 5000}, {true, F4, 5300}, {false, F4, 5400}}), Expected{V::CloseToy}) << "right Alt";
  EXPECT_EQ(after({{true, LAlt, 5000}, {true, F4, 5300}, {false, F4, 5400}}), Expected{V::CloseToy})
      << "left Alt again: long after the lost one, not its repeat";
  EXPECT_EQ(after({{true, F4, 5300}, {false, F4, 5400}}), Expected{}) << "a lone F4";
  GrownUpChordJudge lagging([](unsigned) { return false; });  // the system's record right after a focus change
  EXPECT_EQ(Verdicts(lagging, {{true, LShift, 0}, {true, Esc, 250}, {false, Esc, 300}}), Expected{V::OpenMenu});
  EXPECT_EQ(Verdicts({{true, Key('Z'), 0}, {true, LShift, 1000}, {true, Esc, 1300}, {false, Esc, 1400},
                      {false, Key('Z'), 1450, Lost}, {false, LShift, 1500}, {true, LShift, 2000}, {true, Esc, 2300},
                      {false, Esc, 2400}}), Expected{V::OpenMenu})
      << "Z down stops the first chord; once the system has it up it stops nothing";
}

// A toddler at the keyboard. The keyboard is six rows of a full 109-key board (the number pad
// included); a palm is one to four keys next to each other in a row or in the row above or below,
// pressed within 60 ms of each other and held 80-300 ms, one palm in ten held 0.5-2 s with
// repeats every 33 ms after 500 ms. About two smashes a second (one every 350-650 ms, so a long
// hold overlaps the next smash); three smashes in ten are both hands, the second landing 0-100 ms
// after the first. While the menu is open, a chosen S, A, R or X, or Enter or Space, ends it as an
// escape; any other lone key leaves it open.
class Toddler {
 public:
  explicit Toddler(std::uint32_t seed) : random_(seed) {}

  struct Event {
    std::uint32_t at;
    bool press;
    unsigned key;
    bool repeat = false;
    bool operator>(const Event& other) const { return at > other.at; }
  };

  // Queues the events of one smash that starts at `at`.
  void Smash(std::uint32_t at, std::priority_queue<Event, std::vector<Event>, std::greater<>>& events) {
    const int hands = Chance(0.3) ? 2 : 1;
    for (int hand = 0; hand < hands; ++hand) {
      const std::uint32_t landing = at + (hand == 0 ? 0 : Uniform(0, 100));
      const bool lean = Chance(0.1);
      for (const unsigned key : Palm()) {
        const std::uint32_t down = landing + Uniform(0, 60);
        const std::uint32_t held = lean ? Uniform(500, 2000) : Uniform(80, 300);
        events.push({down, true, key});
        for (std::uint32_t repeat = down + 500; repeat < down + held; repeat += 33) {
          events.push({repeat, true, key, true});
        }
        events.push({down + held, false, key});
      }
    }
  }

  std::uint32_t Uniform(std::uint32_t low, std::uint32_t high) {
    return std::uniform_int_distribution<std::uint32_t>(low, high)(random_);
  }

 private:
  static const std::vector<std::vector<unsigned>>& Rows() {
    static const std::vector<std::vector<unsigned>> rows = {
        {Esc, 0x70, 0x71, 0x72, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A, 0x7B, 0x2C, 0x91, 0x13},
        {0xC0, '1', '2', '3', '4', '5', '6', '7', '8', '9', '0', 0xBD, 0xDE, 0xDC, 0x08, 0x2D, 0x24, 0x21, 0x90,
         0x6F, 0x6A, 0x6D},
        {0x09, 'Q', 'W', 'E', 'R', 'T', 'Y', 'U', 'I', 'O', 'P', 0xC0, 0xDB, Enter, 0x2E, 0x23, 0x22, 0x67, 0x68,
         0x69, 0x6B},
        {0x14, 'A', 'S', 'D', 'F', 'G', 'H', 'J', 'K', 'L', 0xBB, 0xBA, 0xDD, Enter, 0x64, 0x65, 0x66},
        {LShift, 'Z', 'X', 'C', 'V', 'B', 'N', 'M', 0xBC, 0xBE, 0xBF, 0xE2, RShift, 0x26, 0x61, 0x62, 0x63},
        {0xA2, 0x5B, LAlt, 0x1D, Space, 0x1C, 0xF2, 0xA5, 0x5C, 0x5D, 0xA3, 0x25, Down, 0x27, 0x60, 0x6E}};
    return rows;
  }

  bool Chance(double p) { return std::bernoulli_distribution(p)(random_); }

  std::vector<unsigned> Palm() {
    const auto& rows = Rows();
    std::size_t row = Uniform(0, static_cast<std::uint32_t>(rows.size() - 1));
    double place = std::uniform_real_distribution<double>(0.0, 1.0)(random_);
    std::vector<unsigned> keys;
    const std::uint32_t size = Uniform(1, 4);
    while (keys.size() < size) {
      const double width = static_cast<double>(static_cast<int>(rows[row].size()));
      const auto column = std::min(rows[row].size() - 1, static_cast<std::size_t>(place * width));
      if (std::ranges::find(keys, rows[row][column]) == keys.end()) keys.push_back(rows[row][column]);
      if (Chance(0.7)) {
        place = std::clamp(place + (Chance(0.5) ? 1.0 : -1.0) / width, 0.0, 0.999);
      } else {
        row = row == 0 ? 1 : row + 1 == rows.size() ? row - 1 : row + (Chance(0.5) ? 1 : -1);
      }
    }
    return keys;
  }

  std::mt19937 random_;
};

struct Figures {
  int menus = 0;
  int escapes = 0;
};

// Plays `smashes` smashes. `react` answers each event with what the toy then does: +1 a menu
// opened, -1 an escape, 0 nothing; `down` holds the keys down after the event.
template <typename React>
Figures Play(int smashes, std::uint32_t seed, React react) {
  Toddler toddler(seed);
  std::priority_queue<Toddler::Event, std::vector<Toddler::Event>, std::greater<>> events;
  std::vector<bool> down(256);
  Figures figures;
  std::uint32_t at = 1000;
  for (int i = 0; i < smashes; ++i) {
    toddler.Smash(at, events);
    at += toddler.Uniform(350, 650);
    while (!events.empty() && events.top().at < at) {
      Toddler::Event event = events.top();
      events.pop();
      // A key held by two palms at once goes up at the first release; a press of a held key repeats it.
      if (!down[event.key] && (!event.press || event.repeat)) continue;
      event.repeat = event.press && down[event.key];
      down[event.key] = event.press;
      const int answer = react(event, down);
      figures.menus += answer > 0;
      figures.escapes += answer < 0;
    }
  }
  return figures;
}

bool ChoosesAnItem(unsigned key) {
  return key == Key('S') || key == Key('A') || key == Key('R') || key == Key('X') || key == Enter || key == Space;
}

TEST(GrownUpChords, AToddlersMillionSmashesOpenTheMenuRarelyAndNeverLetTheChildOut) {
  constexpr int Smashes = 1'000'000;
  systemDown.reset();
  GrownUpChordJudge judge(&SystemHolds);
  // The chances: an Esc pressed with a Shift held, or F4 with an Alt held (what the keys alone allow).
  int chances = 0;
  const Figures now = Play(Smashes, 7, [&](const Toddler::Event& event, const std::vector<bool>& held) {
    systemDown[event.key] = held[event.key];
    if (event.press) {
      chances += !event.repeat && ((event.key == Esc && (held[LShift] || held[RShift])) ||
                                   (event.key == F4 && (held[LAlt] || held[0xA5])));
      judge.Press(event.key, event.at);
      return 0;
    }
    switch (judge.Release(event.key, event.at)) {
      case V::OpenMenu:
        return 1;
      case V::CloseToy:
        return -1;
      case V::Choose:
        if (!ChoosesAnItem(event.key)) return 0;
        judge.MenuClosed();
        return -1;
      default:
        return 0;
    }
  });
  std::printf("per %d smashes: %d chances; %d menus, %d escapes\n", Smashes, chances, now.menus, now.escapes);
  EXPECT_GT(chances, 500) << "the model no longer smashes the grown-up keys";
  EXPECT_LE(now.escapes, 1);
  EXPECT_LT(now.menus * 1000, chances);
}

}  // namespace

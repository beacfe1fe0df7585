#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "app/HookWatchdog.h"

namespace {

using H = HookHealth;

// One look: a raw key event or a recheck, at a time, with the hook's count then.
struct Look {
  bool raw;
  std::uint32_t at;
  std::uint32_t hookCount;
};

struct Case {
  const char* what;
  std::vector<Look> looks;
  std::vector<H> expected;
};

TEST(HookWatchdog, AHookIsLostOnlyWhenItsCountStaysForTheGraceWindowAfterARawKey) {
  constexpr std::uint32_t grace = HookWatchdog::GraceMs;
  const std::vector<Case> cases = {
      {"the hook runs first", {{true, 0, 1}, {true, 30, 2}}, {H::Alive, H::Alive}},
      {"raw input comes first", {{true, 0, 0}, {false, grace, 1}}, {H::Waiting, H::Alive}},
      {"the hook catches up within the window", {{true, 0, 0}, {true, 50, 0}, {true, 90, 2}}, {H::Waiting, H::Waiting, H::Alive}},
      {"the hook saw nothing", {{true, 0, 0}, {false, grace - 1, 0}, {false, grace, 0}}, {H::Waiting, H::Waiting, H::Lost}},
      {"later raw keys do not put the window off", {{true, 0, 0}, {true, grace - 10, 0}, {false, grace, 0}},
       {H::Waiting, H::Waiting, H::Lost}},
      {"a made-up key the hook alone sees", {{true, 0, 3}, {false, grace, 3}}, {H::Alive, H::Alive}},
      {"once lost, asked again only after a new raw key", {{true, 0, 0}, {false, grace, 0}, {false, 2 * grace, 0}},
       {H::Waiting, H::Lost, H::Alive}},
      {"the tick count wraps", {{true, 0xFFFFFF00u, 0}, {false, 0x100u, 0}}, {H::Waiting, H::Lost}},
  };
  for (const Case& c : cases) {
    HookWatchdog watchdog;
    std::vector<H> got;
    for (const Look& look : c.looks) {
      got.push_back(look.raw ? watchdog.RawKeyArrived(look.at, look.hookCount) : watchdog.Recheck(look.at, look.hookCount));
    }
    EXPECT_EQ(got, c.expected) << c.what;
  }
}

TEST(HookWatchdog, ANewHookIsJudgedFromItsOwnCount) {
  HookWatchdog watchdog;
  EXPECT_EQ(watchdog.RawKeyArrived(0, 7), H::Alive);
  watchdog.HookReplaced(9);  // the old hook's last sightings came in meanwhile
  EXPECT_EQ(watchdog.RawKeyArrived(10, 9), H::Waiting);
  EXPECT_EQ(watchdog.Recheck(10 + HookWatchdog::GraceMs, 9), H::Lost);
}

}  // namespace

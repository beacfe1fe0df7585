#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "app/HookWatchdog.h"

namespace {

using H = HookHealth;
constexpr std::uint32_t Grace = HookWatchdog::GraceMs;
enum Kind { Raw, Recheck, NewHook };

// One look at a time with the hook's count then, and what the watchdog makes of it.
struct Look {
  Kind kind;
  std::uint32_t at;
  std::uint32_t hookCount;
  H expected = H::Alive;
};

TEST(HookWatchdog, AHookIsLostOnlyWhenItsCountStaysForTheGraceWindowAfterARawKey) {
  const std::vector<std::pair<const char*, std::vector<Look>>> cases = {
      {"the hook runs first, and sees made-up keys besides", {{Raw, 0, 1}, {Raw, 30, 3}, {Recheck, Grace + 30, 3}}},
      {"raw input comes first", {{Raw, 0, 0, H::Waiting}, {Raw, 50, 0, H::Waiting}, {Recheck, Grace, 2}}},
      {"the hook saw nothing, whatever raw keys came later; lost once, asked again only after a raw key",
       {{Raw, 0, 0, H::Waiting}, {Raw, Grace - 10, 0, H::Waiting}, {Recheck, Grace - 1, 0, H::Waiting},
        {Recheck, Grace, 0, H::Lost}, {Recheck, 2 * Grace, 0}}},
      {"the tick count wraps", {{Raw, 0xFFFFFF00u, 0, H::Waiting}, {Recheck, 0x100u, 0, H::Lost}}},
      {"a new hook is judged from its own count",
       {{Raw, 0, 7}, {NewHook, 5, 9}, {Raw, 10, 9, H::Waiting}, {Recheck, 10 + Grace, 9, H::Lost}}},
  };
  for (const auto& [what, looks] : cases) {
    HookWatchdog watchdog;
    for (const Look& look : looks) {
      if (look.kind == NewHook) {
        watchdog.HookReplaced(look.hookCount);
        continue;
      }
      const H got = look.kind == Raw ? watchdog.RawKeyArrived(look.at, look.hookCount)
                                     : watchdog.Recheck(look.at, look.hookCount);
      EXPECT_EQ(got, look.expected) << what << ", at " << look.at;
    }
  }
}

}  // namespace

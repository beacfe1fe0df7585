#include "app/GrownUpGestures.h"

#include "core/KeyState.h"
#include "framework/ExclusiveLock.h"

namespace {

bool StillHeld(unsigned virtualKey) { return KeyPhysicallyHeld(static_cast<int>(virtualKey)); }

// The judge of the thread that observes, and the menu it opened last.
struct ThreadJudge {
  GrownUpChordJudge judge{&StillHeld};
  unsigned menu = 0;
};
thread_local ThreadJudge threadJudge;

}  // namespace

void GrownUpGestures::Observe(unsigned virtualKey, bool isRelease, DWORD time) {
  GrownUpChordJudge& judge = threadJudge.judge;
  unsigned& menu = threadJudge.menu;
  if (judge.MenuOpen() && menuEnded_.load() >= menu) judge.MenuClosed();
  const DWORD now = time != 0 ? time : ::GetTickCount();
  if (!isRelease) {
    Forget(GenericKeyOf(virtualKey));  // a new press makes any verdict on an earlier release of the key moot
    if (judge.Press(virtualKey, now) == GrownUpVerdict::CloseMenu) {
      closeRequested_.store(menu);
      if (const HWND frame = frame_.load(); frame != nullptr) ::PostMessageW(frame, WMU_END_GROWN_UP_MENU, 0, 0);
    }
    return;
  }
  const GrownUpVerdict verdict = judge.Release(virtualKey, now);
  if (verdict == GrownUpVerdict::Nothing) return;
  if (verdict == GrownUpVerdict::OpenMenu) menu = latestMenu_.fetch_add(1) + 1;
  const ExclusiveLock hold(lock_);
  records_[next_] = {GenericKeyOf(virtualKey), time, verdict, menu};
  next_ = (next_ + 1) % records_.size();
}

void GrownUpGestures::Forget(unsigned key) {
  const ExclusiveLock hold(lock_);
  for (Record& record : records_) {
    if (record.key == key) record = {};
  }
}

GrownUpVerdict GrownUpGestures::TakeVerdict(const MSG& release, unsigned* menu) {
  const auto key = static_cast<unsigned>(release.wParam);
  const ExclusiveLock hold(lock_);
  for (Record& record : records_) {
    if (record.verdict == GrownUpVerdict::Nothing || record.key != GenericKeyOf(key)) continue;
    if (record.time != 0 && record.time != release.time) continue;
    const GrownUpVerdict verdict = record.verdict;
    if (menu != nullptr) *menu = record.menu;
    record = {};
    return verdict;
  }
  return GrownUpVerdict::Nothing;
}

GrownUpVerdict GrownUpGestures::TakeFrameVerdict(const MSG& release, unsigned* menu) {
  const unsigned key = GenericKeyOf(static_cast<unsigned>(release.wParam)) & 0xFF;
  const bool pressSeen = framePresses_.test(key);
  framePresses_.reset(key);
  const GrownUpVerdict verdict = TakeVerdict(release, menu);
  return pressSeen ? verdict : GrownUpVerdict::Nothing;
}

void GrownUpGestures::ModalLoopEnded() {
  framePresses_.reset();
  const ExclusiveLock hold(lock_);
  records_.fill({});
}

GrownUpGestures& TheGrownUpGestures() {
  static GrownUpGestures gestures;
  return gestures;
}

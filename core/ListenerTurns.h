#pragma once
#include <atomic>

// Who listens for a change: each listener that starts takes a new turn and can end only its own. A
// listener whose thread was let go and ends late then cannot end the listening of the one that
// followed it. Safe from any thread.
class ListenerTurns {
 public:
  // Starts a listener; returns its turn, never 0.
  unsigned Begin();
  // Ends the listening if `turn` is still the current one.
  void End(unsigned turn);
  bool Listening() const { return current_.load() != 0; }
  bool IsCurrent(unsigned turn) const { return turn != 0 && current_.load() == turn; }

 private:
  std::atomic<unsigned> last_{0};
  std::atomic<unsigned> current_{0};  // 0 while nobody listens
};

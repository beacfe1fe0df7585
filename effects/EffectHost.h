#pragma once
#include <cstdint>

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

// What an effect needs besides its canvas: the stop requests, time, the cursor and its sound. The
// product serves it on the effect's own thread; tests serve it with a fake clock that records
// sleeps instead of sleeping.
class EffectHost {
 public:
  virtual ~EffectHost() = default;

  // Whether a stop has been asked for: both requests of the shared record, read afresh. Effects
  // ask at the start of every step and nowhere else.
  virtual bool StopRequested() = 0;
  virtual void Sleep(int milliseconds) = 0;
  // The mouse cursor in client coordinates of the play surface.
  virtual Point CursorPosition() = 0;
  // The current time in whole seconds, for seeding.
  virtual std::int64_t CalendarSeconds() = 0;
  // Starts the effect's own sound in its mode (replacing whatever plays) when other sounds were on
  // as the effect started.
  virtual void PlaySound() = 0;
  // Stops whatever sound plays, the effect's own or any other.
  virtual void StopSound() = 0;
};

// How an effect ended: the thread's exit code.
enum class EffectEnd : int { Finished = 0, Stopped = 1 };

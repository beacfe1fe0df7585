#include "core/ListenerTurns.h"

unsigned ListenerTurns::Begin() {
  unsigned turn = ++last_;
  if (turn == 0) turn = ++last_;  // 0 means nobody
  current_.store(turn);
  return turn;
}

void ListenerTurns::End(unsigned turn) {
  unsigned expected = turn;
  current_.compare_exchange_strong(expected, 0);
}

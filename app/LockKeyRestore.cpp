#include "app/LockKeyRestore.h"

std::vector<unsigned> LockKeysToTap(const LockKeyStates& atStart, const LockKeyStates& now) {
  std::vector<unsigned> keys;
  for (std::size_t i = 0; i < LockKeys.size(); ++i) {
    if (atStart[i] != now[i]) keys.push_back(LockKeys[i]);
  }
  return keys;
}

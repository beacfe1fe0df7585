#include <cstring>

#include "core/OptionTable.h"
#include "core/OptionsLibrary.h"
#include "core/SettingsBlock.h"

namespace {
using InInfoExport = int (*)(char*, int*, int*, int*, int*, int*);
}

int LoadSettings(SettingsBlock& block) {
  std::memset(&block, 0, sizeof(block));
  const OwnedLibrary library = LoadOptionsLibrary();
  const auto ininfo = FindExport<InInfoExport>(library, "ininfo");
  if (ininfo == nullptr) return -1;
  std::int32_t* values[OptionCount] = {};
  for (const OptionRow& option : Options) values[option.position] = &(block.*option.field);
  ininfo(block.path, values[0], values[1], values[2], values[3], values[4]);
  block.path[sizeof(block.path) - 1] = '\0';
  return 0;
}

#include "core/SoundSource.h"

namespace {

bool AudioStackOpens(std::optional<std::size_t> pathBytes) {
  return pathBytes.has_value() && *pathBytes < AudioStackPathCapacity;
}

}  // namespace

SoundSource ChooseSoundSource(std::optional<std::size_t> fullPathBytes, std::optional<std::size_t> shortPathBytes) {
  if (AudioStackOpens(fullPathBytes)) return SoundSource::FilePath;
  if (AudioStackOpens(shortPathBytes)) return SoundSource::ShortPath;
  return SoundSource::Memory;
}

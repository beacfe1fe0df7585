#include "surface/PlayIcons.h"

#include "core/MediaPath.h"
#include "core/MediaTable.h"

namespace {

HICON LoadIconFile(const char* path, int width, int height, UINT flags) {
  return static_cast<HICON>(::LoadImageW(nullptr, MediaPathFromCurrentDirectory(path).c_str(), IMAGE_ICON, width,
                                         height, LR_LOADFROMFILE | flags));
}

}  // namespace

void PlayIcons::Load() {
  // The menu pictures at the small icon size: the image the shell shows for an icon file, taken
  // from the file itself (some shells answer with a generic document icon instead).
  const int smallWidth = ::GetSystemMetrics(SM_CXSMICON);
  const int smallHeight = ::GetSystemMetrics(SM_CYSMICON);
  for (std::size_t i = 0; i < menuIcons.size(); ++i) {
    menuIcons[i].Reset(LoadIconFile(media::MenuIconFiles[i], smallWidth, smallHeight, 0));
  }
  // The drag trail at the system's icon size, from the frame of that size.
  for (std::size_t i = 0; i < dragIcons.size(); ++i) {
    dragIcons[i].Reset(LoadIconFile(media::DragIconFiles[i], 0, 0, LR_DEFAULTSIZE));
  }
}

HICON PlayIcons::SprinklePicture(std::size_t slot, std::size_t frame) {
  LazyIcon& icon = sprinkleIcons[slot][frame];
  if (!icon.tried) {
    icon.tried = true;
    const int size = SprinkleFrameSizes[frame];
    icon.handle.Reset(LoadIconFile(media::MenuIconFiles[slot], size, size, 0));
  }
  return icon.handle.Get();
}

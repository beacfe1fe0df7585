#include "surface/PlayIcons.h"

#include "core/MediaPath.h"
#include "core/MediaTable.h"

namespace {

struct IconRequest {
  const char* path;
  int width;
  int height;
  UINT flags;
};

template <class Icon>
HICON LoadOnce(Icon& icon, const IconRequest& request) {
  if (!icon.tried) {
    icon.tried = true;
    icon.handle.Reset(static_cast<HICON>(::LoadImageW(nullptr, MediaPathFromCurrentDirectory(request.path).c_str(),
                                                      IMAGE_ICON, request.width, request.height,
                                                      LR_LOADFROMFILE | request.flags)));
  }
  return icon.handle.Get();
}

}  // namespace

// The small icon size: the image the shell shows for an icon file, taken from the file itself
// (some shells answer with a generic document icon instead).
HICON PlayIcons::MenuPicture(std::size_t picture) {
  return LoadOnce(menuIcons[picture], {media::MenuIconFiles[picture], ::GetSystemMetrics(SM_CXSMICON),
                                       ::GetSystemMetrics(SM_CYSMICON), 0});
}

// The system's icon size, from the frame of that size.
HICON PlayIcons::DragIcon(std::size_t slot) {
  return LoadOnce(dragIcons[slot], {media::DragIconFiles[slot], 0, 0, LR_DEFAULTSIZE});
}

HICON PlayIcons::SprinklePicture(std::size_t slot, std::size_t frame) {
  const int size = SprinkleFrameSizes[frame];
  return LoadOnce(sprinkleIcons[slot][frame], {media::MenuIconFiles[slot], size, size, 0});
}

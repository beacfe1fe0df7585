#pragma once
#include <windows.h>

#include <array>
#include <cstddef>

#include "framework/Handles.h"
#include "surface/IconSprinkle.h"

// The play surface's three icon sets from the media folders: the five menu pictures at the small
// icon size, the same pictures at every sprinkle frame size, and the ten drag-trail icons at the
// system's icon size. Every picture is loaded from its file when first drawn, none at start, so the
// first frame waits for none of them. A missing file gives a null handle, which drawing skips.
class PlayIcons {
 public:
  HICON MenuPicture(std::size_t picture);
  HICON DragIcon(std::size_t slot);
  // Menu picture `slot` at sprinkle frame `frame`.
  HICON SprinklePicture(std::size_t slot, std::size_t frame);

 private:
  struct LazyIcon {
    OwnedIcon handle;
    bool tried = false;
  };

  std::array<LazyIcon, 5> menuIcons;
  std::array<std::array<LazyIcon, SprinkleFrameSizes.size()>, 5> sprinkleIcons;
  std::array<LazyIcon, 10> dragIcons;
};

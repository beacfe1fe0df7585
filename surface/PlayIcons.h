#pragma once
#include <windows.h>

#include <array>
#include <cstddef>

#include "framework/Handles.h"
#include "surface/IconSprinkle.h"

// The play surface's three icon sets from the media folders: the five menu pictures at the small
// icon size, the same pictures at every sprinkle frame size (each loaded when first drawn), and the
// ten drag-trail icons at the system's icon size. A missing file leaves a null handle, which
// drawing skips.
class PlayIcons {
 public:
  // Loads the menu pictures and the drag icons.
  void Load();

  HICON MenuPicture(std::size_t picture) const { return menuIcons[picture].Get(); }
  HICON DragIcon(std::size_t slot) const { return dragIcons[slot].Get(); }
  // Menu picture `slot` at sprinkle frame `frame`, loaded on first use.
  HICON SprinklePicture(std::size_t slot, std::size_t frame);

 private:
  struct LazyIcon {
    OwnedIcon handle;
    bool tried = false;
  };

  std::array<OwnedIcon, 5> menuIcons;
  std::array<std::array<LazyIcon, SprinkleFrameSizes.size()>, 5> sprinkleIcons;
  std::array<OwnedIcon, 10> dragIcons;
};

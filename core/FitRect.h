#pragma once
#include "core/Rect.h"

// The largest rectangle of `width` by `height`'s shape that fits in `target`, centred: the picture
// of one monitor shown whole on another, with bands where the shapes differ. Empty when either is.
Rect FitInside(const Rect& target, int width, int height);

// A copy of part of the screen as 32-bit pixels, top row first.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct Capture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB

  std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

Capture captureScreen(const RECT& area);
// Draws an icon on a filled background the way a static control shows it.
Capture renderIcon(HICON icon, int width, int height, std::uint32_t background);
// Text drawn black on white by DrawTextW (an ampersand underlines the next letter) in the system's
// menu font at `scale` times its height, with a 4-pixel margin.
Capture renderMenuText(const std::wstring& text, int scale);
// The same in a named font of `points` points at the screen's resolution, or in a described one.
Capture renderText(const std::wstring& text, const std::wstring& face, int points);
Capture renderText(const std::wstring& text, const LOGFONTW& description);
bool writeBmp(const std::wstring& path, const Capture& image);

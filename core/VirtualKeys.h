#pragma once

// The platform's virtual-key codes that the toy's rules name.
namespace vk {
constexpr unsigned Back = 0x08, Tab = 0x09, Return = 0x0D, Shift = 0x10, Control = 0x11, Menu = 0x12,
                   Capital = 0x14, Escape = 0x1B, Space = 0x20, Prior = 0x21, Next = 0x22, End = 0x23, Home = 0x24,
                   Left = 0x25, Up = 0x26, Right = 0x27, Down = 0x28, Snapshot = 0x2C, Insert = 0x2D,
                   Delete = 0x2E, Apps = 0x5D, F1 = 0x70, F24 = 0x87, NumLock = 0x90;
constexpr unsigned Function(int n) { return F1 + static_cast<unsigned>(n - 1); }
}  // namespace vk

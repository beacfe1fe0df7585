#include "clock/CClockFace.h"

#include <cstdint>
#include <string>

#include "clock/ClockText.h"
#include "clock/LocalTime.h"
#include "framework/DrawingContext.h"
#include "core/Utf8Text.h"

namespace {

constexpr UINT_PTR UpdateTimerId = 3;
constexpr UINT UpdatePeriodMs = 1000;

// Seconds since 1970-01-01 00:00:00 on the local wall clock: date and time from one reading.
std::int64_t WallClockSeconds() {
  FILETIME utc{};
  ::GetSystemTimeAsFileTime(&utc);
  FILETIME local{};
  ::FileTimeToLocalFileTime(&utc, &local);
  const std::uint64_t ticks = (static_cast<std::uint64_t>(local.dwHighDateTime) << 32) | local.dwLowDateTime;
  constexpr std::int64_t ticksPerSecond = 10'000'000;
  constexpr std::int64_t secondsFrom1601To1970 = 11'644'473'600;
  return static_cast<std::int64_t>(ticks / ticksPerSecond) - secondsFrom1601To1970;
}

// The default GUI font with a character height of `pixels`.
HFONT GuiFontOfHeight(int pixels) {
  LOGFONTW font{};
  ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
  font.lfHeight = -pixels;
  return ::CreateFontIndirectW(&font);
}

}  // namespace

std::span<const MessageEntry<CClockFace>> CClockFace::MessageTable() {
  static constexpr MessageEntry<CClockFace> table[] = {
      {WM_TIMER, &CClockFace::OnTimer},
      {WM_ERASEBKGND, &CClockFace::OnEraseBackground},
      {WM_PAINT, &CClockFace::OnPaint},
  };
  return table;
}

void CClockFace::PreSubclassWindow() { ::SetTimer(Handle(), UpdateTimerId, UpdatePeriodMs, nullptr); }

LRESULT CClockFace::OnTimer(const Message& message) {
  if (message.wParam == UpdateTimerId) ::InvalidateRect(Handle(), nullptr, TRUE);
  return Default(message);
}

LRESULT CClockFace::OnEraseBackground(const Message& message) {
  RECT client{};
  ::GetClientRect(Handle(), &client);
  const OwnedBrush black(::CreateSolidBrush(RGB(0, 0, 0)));
  ::FillRect(reinterpret_cast<HDC>(message.wParam), &client, black.Get());
  return TRUE;
}

// Once, on the first paint: as tall as the inner area, or smaller when the text would not fit.
void CClockFace::MakeFaceFont(HDC dc, const std::wstring& text, const RECT& inner) {
  const int height = inner.bottom - inner.top;
  faceFont.Reset(GuiFontOfHeight(height));
  SIZE extent{};
  {
    const SelectionGuard font(dc, faceFont.Get());
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  }
  const int fitted = FaceFontHeight(height, inner.right - inner.left, extent.cx);
  if (fitted != height) faceFont.Reset(GuiFontOfHeight(fitted));
}

LRESULT CClockFace::OnPaint(const Message&) {
  const PaintScope paint(Handle());
  RECT client{};
  ::GetClientRect(Handle(), &client);
  const std::wstring text = WideFromUtf8(ClockText(LocalTimeFromSeconds(WallClockSeconds())).c_str());
  RECT inner = client;
  ::InflateRect(&inner, -::GetSystemMetrics(SM_CXEDGE), -::GetSystemMetrics(SM_CYEDGE));
  if (!faceFont) MakeFaceFont(paint.Get(), text, inner);

  const MemoryDC image(paint.Get());
  const OwnedBitmap imageBitmap(::CreateCompatibleBitmap(paint.Get(), client.right, client.bottom));
  const SelectionGuard bitmapSelection(image.Get(), imageBitmap.Get());
  ::PatBlt(image.Get(), 0, 0, client.right, client.bottom, BLACKNESS);
  const int previousMode = ::SetBkMode(image.Get(), OPAQUE);
  const SelectionGuard fontSelection(image.Get(), faceFont.Get());
  ::SetBkColor(image.Get(), RGB(0, 0, 0));
  ::SetTextColor(image.Get(), textColor);
  ::DrawTextW(image.Get(), text.c_str(), -1, &inner, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  ::DrawEdge(image.Get(), &client, EDGE_RAISED, BF_RECT);
  ::DrawEdge(image.Get(), &inner, EDGE_SUNKEN, BF_RECT);
  ::BitBlt(paint.Get(), 0, 0, client.right, client.bottom, image.Get(), 0, 0, SRCCOPY);
  ::SetBkMode(image.Get(), previousMode);
  return 0;
}

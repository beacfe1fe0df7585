#include "ScreenCapture.h"

namespace {

// A top-down 32-bit DIB section selected into a memory DC for the lifetime of the object.
class DibCanvas {
public:
  DibCanvas(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    previous_ = SelectObject(dc_, bitmap_);
  }
  ~DibCanvas() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  DibCanvas(const DibCanvas&) = delete;
  DibCanvas& operator=(const DibCanvas&) = delete;

  HDC dc() const { return dc_; }
  Capture take() const {
    GdiFlush();
    Capture c;
    c.width = width_;
    c.height = height_;
    const auto* src = static_cast<const std::uint32_t*>(bits_);
    c.pixels.assign(src, src + static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
    for (auto& p : c.pixels) p &= 0x00FFFFFFu;
    return c;
  }

private:
  int width_;
  int height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  void* bits_ = nullptr;
};

}  // namespace

Capture captureScreen(const RECT& area) {
  const int w = area.right - area.left;
  const int h = area.bottom - area.top;
  if (w <= 0 || h <= 0) return {};
  DibCanvas canvas(w, h);
  HDC screen = GetDC(nullptr);
  BitBlt(canvas.dc(), 0, 0, w, h, screen, area.left, area.top, SRCCOPY | CAPTUREBLT);
  ReleaseDC(nullptr, screen);
  return canvas.take();
}

Capture renderIcon(HICON icon, int width, int height, std::uint32_t background) {
  DibCanvas canvas(width, height);
  const COLORREF bg = RGB((background >> 16) & 0xFF, (background >> 8) & 0xFF, background & 0xFF);
  HBRUSH brush = CreateSolidBrush(bg);
  RECT all{0, 0, width, height};
  FillRect(canvas.dc(), &all, brush);
  DeleteObject(brush);
  DrawIconEx(canvas.dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
  return canvas.take();
}

Capture renderMenuText(const std::wstring& text, int scale) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
  LOGFONTW description = metrics.lfMenuFont;
  description.lfHeight *= scale;
  return renderText(text, description);
}

Capture renderText(const std::wstring& text, const std::wstring& face, int points) {
  LOGFONTW description{};
  HDC screen = GetDC(nullptr);
  description.lfHeight = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  description.lfWeight = FW_NORMAL;
  description.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(description.lfFaceName, face.c_str(), LF_FACESIZE);
  return renderText(text, description);
}

Capture renderText(const std::wstring& text, const LOGFONTW& description) {
  HFONT font = CreateFontIndirectW(&description);
  HDC measuring = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(measuring, font);
  SIZE extent{};
  GetTextExtentPoint32W(measuring, text.c_str(), static_cast<int>(text.size()), &extent);
  SelectObject(measuring, previous);
  DeleteDC(measuring);

  DibCanvas canvas(extent.cx + 8, extent.cy + 8);
  RECT all{0, 0, extent.cx + 8, extent.cy + 8};
  FillRect(canvas.dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  previous = SelectObject(canvas.dc(), font);
  SetTextColor(canvas.dc(), RGB(0, 0, 0));
  SetBkColor(canvas.dc(), RGB(255, 255, 255));
  RECT area{4, 4, extent.cx + 8, extent.cy + 8};
  DrawTextW(canvas.dc(), text.c_str(), static_cast<int>(text.size()), &area, DT_SINGLELINE | DT_LEFT | DT_TOP);
  SelectObject(canvas.dc(), previous);
  DeleteObject(font);
  return canvas.take();
}

bool writeBmp(const std::wstring& path, const Capture& image) {
  const auto rowBytes = (static_cast<DWORD>(image.width) * 3u + 3u) & ~3u;
  const DWORD dataBytes = rowBytes * static_cast<DWORD>(image.height);
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + dataBytes;
  info.biSize = sizeof info;
  info.biWidth = image.width;
  info.biHeight = image.height;  // bottom-up, the most widely read form
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  info.biSizeImage = dataBytes;
  std::string data(dataBytes, '\0');
  for (int y = 0; y < image.height; ++y) {
    char* row = data.data() + static_cast<std::size_t>(image.height - 1 - y) * rowBytes;
    for (int x = 0; x < image.width; ++x) {
      const std::uint32_t p = image.at(x, y);
      row[x * 3 + 0] = static_cast<char>(p & 0xFF);
      row[x * 3 + 1] = static_cast<char>((p >> 8) & 0xFF);
      row[x * 3 + 2] = static_cast<char>((p >> 16) & 0xFF);
    }
  }
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(f, &file, sizeof file, &written, nullptr) && WriteFile(f, &info, sizeof info, &written, nullptr) &&
            WriteFile(f, data.data(), dataBytes, &written, nullptr);
  CloseHandle(f);
  return ok;
}

#include "surface/CPlaySurface.h"

#include <windowsx.h>

#include "app/OptionsBinding.h"
#include "effects/EffectControl.h"
#include "framework/DrawingContext.h"
#include "resources/resource.h"
#include "surface/CPicturePopup.h"
#include "surface/CRandomPicker.h"
#include "surface/GdiCanvas.h"
#include "surface/IconSprinkle.h"
#include "surface/KeyClassification.h"
#include "surface/MediaPath.h"
#include "surface/MediaTable.h"
#include "surface/RandomGenerator.h"
#include "surface/SoundPlayer.h"
#include "surface/SurfaceFills.h"
#include "surface/SurfaceMessages.h"

namespace {

bool KeyHeld(int virtualKey) { return (::GetKeyState(virtualKey) & 0x8000) != 0; }

RECT ClipBoxOf(HDC dc) {
  RECT clip{};
  ::GetClipBox(dc, &clip);
  return clip;
}

// Bit 30 of a key message's second parameter: the key was already down (an auto-repeat).
bool IsAutoRepeat(LPARAM keyFlags) { return (keyFlags & (LPARAM{1} << 30)) != 0; }

}  // namespace

std::span<const MessageEntry<CPlaySurface>> CPlaySurface::MessageTable() {
  static constexpr MessageEntry<CPlaySurface> table[] = {
      {WM_PAINT, &CPlaySurface::OnPaint},
      {WM_KEYDOWN, &CPlaySurface::OnKeyDown},
      {WM_KEYUP, &CPlaySurface::OnKeyUp},
      {WM_LBUTTONDOWN, &CPlaySurface::OnLeftButtonDown},
      {WM_LBUTTONUP, &CPlaySurface::OnLeftButtonUp},
      {WM_MBUTTONDOWN, &CPlaySurface::OnMiddleButtonDown},
      {WM_RBUTTONDOWN, &CPlaySurface::OnRightButtonDown},
      {WM_RBUTTONUP, &CPlaySurface::OnRightButtonUp},
      {WM_MOUSEMOVE, &CPlaySurface::OnMouseMove},
      {WM_MOUSEWHEEL, &CPlaySurface::OnMouseWheel},
      {WM_TIMER, &CPlaySurface::OnTimer},
      {WMU_SETTINGS_CHANGED, &CPlaySurface::OnSettingsChanged},
      {WMU_HATCH_FILL, &CPlaySurface::OnHatchFill},
      {WMU_MOSAIC_FILL, &CPlaySurface::OnMosaicFill},
      {WMU_GRADIENT_FILL, &CPlaySurface::OnGradientFill},
      {WMU_SOUND_CUE, &CPlaySurface::OnSoundCue},
      {WM_DESTROY, &CPlaySurface::OnDestroy},
      {WMU_SHOW_EFFECTS_MENU, &CPlaySurface::OnShowEffectsMenu},
      {WM_MEASUREITEM, &CPlaySurface::OnMeasureItem},
      {WM_DRAWITEM, &CPlaySurface::OnDrawItem},
      {WM_MENUCHAR, &CPlaySurface::OnMenuChar},
  };
  return table;
}

CPlaySurface::CPlaySurface() {
  LoadSettings(ProgramSettings());
  StopSound();
}

bool CPlaySurface::PreCreateWindow(CreateParams& params) {
  if (!MessageWindow::PreCreateWindow(params)) return false;
  params.style &= ~static_cast<DWORD>(WS_BORDER);
  params.className = GeneratedClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, nullptr,
                                    reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)), nullptr);
  PrepareMenuLook();
  BuildEffectsMenu();
  LoadIcons();
  return true;
}

void CPlaySurface::PrepareMenuLook() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) {
    // Systems before the padded border field take the shorter record.
    metrics.cbSize = static_cast<UINT>(offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth));
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
  }
  menuFontDescription = metrics.lfMenuFont;
  menuFontDescription.lfHeight *= 2;
  menuHighlight = ::GetSysColor(COLOR_HIGHLIGHT);
  menuHighlightText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
  menuFont.Reset(::CreateFontIndirectW(&menuFontDescription));
}

void CPlaySurface::LoadIcons() {
  // The menu pictures at the small icon size: the image the shell shows for an icon file, taken
  // from the file itself (some shells answer with a generic document icon instead).
  const int smallWidth = ::GetSystemMetrics(SM_CXSMICON);
  const int smallHeight = ::GetSystemMetrics(SM_CYSMICON);
  for (std::size_t i = 0; i < menuIcons.size(); ++i) {
    menuIcons[i].Reset(static_cast<HICON>(::LoadImageW(nullptr,
                                                       MediaPathFromCurrentDirectory(media::MenuIconFiles[i]).c_str(),
                                                       IMAGE_ICON, smallWidth, smallHeight, LR_LOADFROMFILE)));
  }
  // The drag trail at the system's icon size, from the frame of that size.
  for (std::size_t i = 0; i < dragIcons.size(); ++i) {
    dragIcons[i].Reset(static_cast<HICON>(
        ::LoadImageW(nullptr, MediaPathFromCurrentDirectory(media::DragIconFiles[i]).c_str(), IMAGE_ICON, 0, 0,
                     LR_LOADFROMFILE | LR_DEFAULTSIZE)));
  }
}

bool CPlaySurface::PreTranslateMessage(MSG& message) {
  if (message.hwnd != Handle() || (message.message != WM_KEYUP && message.message != WM_SYSKEYUP)) {
    return false;
  }
  switch (ClassifyEarlyRelease(static_cast<unsigned>(message.wParam))) {
    case EarlyRelease::MosaicFill:
      Post(WMU_MOSAIC_FILL);
      return true;
    case EarlyRelease::Swallow:
      return true;
    case EarlyRelease::Dispatch:
      break;
  }
  return false;
}

LRESULT CPlaySurface::OnPaint(const Message&) {
  const PaintScope paint(Handle());
  return 0;
}

void CPlaySurface::ScrollContents(int dx, int dy, const RECT& clip) {
  ::ScrollWindowEx(Handle(), dx, dy, &clip, &clip, nullptr, nullptr, SW_INVALIDATE | SW_ERASE);
  // The strip that scrolled in is erased now, before the next key or wheel step scrolls again.
  ::UpdateWindow(Handle());
}

LRESULT CPlaySurface::OnKeyDown(const Message& message) {
  const auto key = static_cast<unsigned>(message.wParam);
  RECT clip{};
  {
    const ClientDC dc(Handle());
    clip = ClipBoxOf(dc.Get());
  }
  const KeyKind kind = ClassifyKey(key);
  if (kind == KeyKind::Scroll) {
    const ScrollAmount amount = ScrollForKey(key);
    ScrollContents(amount.dx, amount.dy, clip);
    return 0;
  }
  if (kind == KeyKind::Menu) TheEffectControl().stopByKey = 1;
  if (IsAutoRepeat(message.lParam)) SprinkleIcon(clip);
  return Default(message);
}

void CPlaySurface::SprinkleIcon(const RECT& clip) {
  StartSound(media::Ponyon);
  busyFlag = 1;
  random_generator::Seed(::GetTickCount());
  ::Sleep(70);
  const auto place = NextSprinklePlacement(clip.right - clip.left, clip.bottom - clip.top);
  const auto slot = static_cast<std::size_t>(SprinkleIconForIndex(CRandomPicker().IndexByTick()));
  if (!place) return;
  const HICON icon = SprinklePicture(slot, SprinkleFrameFor(place->size()));
  if (icon == nullptr) return;
  const ClientDC dc(Handle());
  ::DrawIconEx(dc.Get(), place->left(), place->top(), icon, place->size(), place->size(), 0, nullptr, DI_NORMAL);
}

// Each picture at each frame size is loaded when first drawn, not all thirty at start.
HICON CPlaySurface::SprinklePicture(std::size_t slot, std::size_t frame) {
  LazyIcon& icon = sprinkleIcons[slot][frame];
  if (!icon.tried) {
    icon.tried = true;
    const int size = SprinkleFrameSizes[frame];
    icon.handle.Reset(static_cast<HICON>(::LoadImageW(
        nullptr, MediaPathFromCurrentDirectory(media::MenuIconFiles[slot]).c_str(), IMAGE_ICON, size, size,
        LR_LOADFROMFILE)));
  }
  return icon.handle.Get();
}

LRESULT CPlaySurface::OnKeyUp(const Message& message) {
  if (busyFlag == 1) {
    StopSound();
    busyFlag = 0;
    return Default(message);
  }
  const auto key = static_cast<unsigned>(message.wParam);
  const bool altHeld = KeyHeld(VK_MENU);
  const media::Sound keySound = media::KeySoundForIndex(CRandomPicker().IndexByTick());
  const ReleaseResponse response = ResponseToRelease(key, altHeld);
  if (response == ReleaseResponse::ColorFill) {
    // The picture first: the sound's request is queued a moment later, which no ear can tell.
    {
      GdiCanvas canvas(Handle());
      KeyColorFill(canvas);
    }
    StartSound(keySound);
    busyFlag = 0;
    return Default(message);
  }
  StartSound(keySound);
  switch (response) {
    case ReleaseResponse::HatchFill:
      Post(WMU_HATCH_FILL);
      return 0;
    case ReleaseResponse::GradientFill:
      Post(WMU_GRADIENT_FILL);
      return 0;
    case ReleaseResponse::EffectsMenu:
      Post(WMU_SHOW_EFFECTS_MENU);
      return 0;
    case ReleaseResponse::None:
    case ReleaseResponse::ColorFill:
      return 0;
  }
  return 0;
}

void CPlaySurface::DrawDragIcon(int x, int y) {
  StartSound(media::Drag);
  const int slot = media::DragIconSlotForIndex(CRandomPicker().IndexBySecond());
  const HICON icon = dragIcons[static_cast<std::size_t>(slot)].Get();
  if (icon == nullptr) return;
  const ClientDC dc(Handle());
  ::DrawIcon(dc.Get(), x, y, icon);
}

LRESULT CPlaySurface::OnLeftButtonDown(const Message& message) {
  if (KeyHeld(VK_RBUTTON)) {
    Post(WMU_GRADIENT_FILL);
  } else {
    DrawDragIcon(GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam));
  }
  return Default(message);
}

LRESULT CPlaySurface::OnLeftButtonUp(const Message& message) {
  StopSound();
  return Default(message);
}

LRESULT CPlaySurface::OnMouseMove(const Message& message) {
  if ((message.wParam & MK_LBUTTON) != 0) {
    DrawDragIcon(GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam));
  }
  return Default(message);
}

LRESULT CPlaySurface::OnMiddleButtonDown(const Message& message) {
  if (menuOpen == 1) {
    ::PostMessageW(Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    return 0;
  }
  ::SetTimer(Handle(), MiddleButtonTimerId, MiddleButtonTimerMs, nullptr);
  return Default(message);
}

LRESULT CPlaySurface::OnTimer(const Message& message) {
  if (message.wParam == MiddleButtonTimerId) {
    ::KillTimer(Handle(), MiddleButtonTimerId);
    Post(KeyHeld(VK_MBUTTON) ? WMU_MOSAIC_FILL : WMU_HATCH_FILL);
  }
  return Default(message);
}

LRESULT CPlaySurface::OnRightButtonDown(const Message& message) {
  StopSound();
  TheEffectControl().stopByRightButton = 1;
  if (KeyHeld(VK_LBUTTON)) Post(WMU_GRADIENT_FILL);
  return Default(message);
}

LRESULT CPlaySurface::OnRightButtonUp(const Message& message) {
  Post(WMU_SHOW_EFFECTS_MENU);
  return Default(message);
}

LRESULT CPlaySurface::OnMouseWheel(const Message& message) {
  StopSound();
  RECT clip{};
  {
    const ClientDC dc(Handle());
    clip = ClipBoxOf(dc.Get());
  }
  const ScrollAmount amount =
      ScrollForWheel(GET_WHEEL_DELTA_WPARAM(message.wParam), CRandomPicker().IndexBySecond());
  ScrollContents(amount.dx, amount.dy, clip);
  return Default(message);
}

LRESULT CPlaySurface::OnSettingsChanged(const Message&) {
  LoadSettings(ProgramSettings());
  return 1;
}

LRESULT CPlaySurface::OnHatchFill(const Message&) {
  GdiCanvas canvas(Handle());
  StartSound(media::HatchFill);
  HatchFill(canvas);
  return 0;
}

LRESULT CPlaySurface::OnMosaicFill(const Message&) {
  GdiCanvas canvas(Handle());
  StartSound(media::MosaicFill);
  MosaicFill(canvas);
  return 0;
}

LRESULT CPlaySurface::OnGradientFill(const Message&) {
  GdiCanvas canvas(Handle());
  GradientFill(canvas);
  return 0;
}

LRESULT CPlaySurface::OnSoundCue(const Message& message) {
  if (ProgramSettings().otherwav == 0) return 1;
  const media::Cue cue = media::CueForCode(static_cast<std::intptr_t>(message.wParam));
  if (cue.action == media::CueAction::Play) StartSound(*cue.sound);
  if (cue.action == media::CueAction::Stop) StopSound();
  return 1;
}

bool CPlaySurface::HandleOwnCommand(UINT commandId) {
  if (commandId == IDM_PICTURE_POPUP) {
    ShowPicturePopup();
    return true;
  }
  if (const EffectRoutine routine = EffectForCommand(commandId); routine != nullptr) {
    effects.Start(routine, Handle(), ProgramSettings().otherwav);
    return true;
  }
  return MessageWindow::HandleOwnCommand(commandId);
}

// The picture popup runs modal here; the frame takes no input meanwhile, and the effects go on.
void CPlaySurface::ShowPicturePopup() {
  StartSound(media::PicturePopup);
  CPicturePopup popup(PicturePopupTimeoutMs);
  popup.DoModal(Handle());
  // As the popup goes, the activation may pass to the desktop rather than back to the frame (the
  // frame is still disabled at that moment): take it back, or the child's keys reach nothing.
  ::SetForegroundWindow(::GetAncestor(Handle(), GA_ROOT));
  ::SetFocus(Handle());
}

// The effects draw on this window: they end before it goes.
LRESULT CPlaySurface::OnDestroy(const Message& message) {
  effects.EndAll();
  return Default(message);
}

#include "surface/CPlaySurface.h"

#include "core/CRandomPicker.h"
#include "core/GdiCanvas.h"
#include "core/KeyState.h"
#include "core/MediaTable.h"
#include "core/PictureChanges.h"
#include "core/PrivateMessages.h"
#include "core/RandomGenerator.h"
#include "core/SettingsBlock.h"
#include "core/SoundPlayer.h"
#include "effects/EffectControl.h"
#include "framework/DrawingContext.h"
#include "framework/MessageParameters.h"
#include "surface/CPicturePopup.h"
#include "surface/EffectsMenuRules.h"
#include "surface/KeyClassification.h"
#include "surface/SurfaceFills.h"

namespace {

// The middle button's timer: a quick click gives the hatch, a held one the mosaic.
constexpr UINT_PTR MiddleButtonTimerId = 30;
constexpr UINT MiddleButtonTimerMs = 500;

// A held key sprinkles a picture at every repeat; the interface thread pauses this long before each
// one, so the pictures come at a pace a child can follow rather than as fast as the repeats.
constexpr DWORD SprinklePauseMs = 70;

constexpr int PicturePopupTimeoutMs = 10000;

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
      {WM_TABLET_QUERYSYSTEMGESTURESTATUS_, &CPlaySurface::RefuseSystemGestures},
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
  effectsMenu.Prepare(::GetModuleHandleW(nullptr));
  return true;
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
  {
    const PaintScope paint(Handle());
  }
  picture_changes::Note();
  return 0;
}

// The part of the window that a drawing context reaches now.
RECT CPlaySurface::VisibleArea() const {
  RECT clip{};
  const ClientDC dc(Handle());
  ::GetClipBox(dc.Get(), &clip);
  return clip;
}

void CPlaySurface::ScrollContents(int dx, int dy, const RECT& clip) {
  ::ScrollWindowEx(Handle(), dx, dy, &clip, &clip, nullptr, nullptr, SW_INVALIDATE | SW_ERASE);
  // The strip that scrolled in is erased now, before the next key or wheel step scrolls again.
  ::UpdateWindow(Handle());
  picture_changes::Note();
}

LRESULT CPlaySurface::OnKeyDown(const Message& message) {
  const unsigned key = KeyOf(message);
  const RECT clip = VisibleArea();
  const KeyKind kind = ClassifyKey(key);
  if (kind == KeyKind::Scroll) {
    const ScrollAmount amount = ScrollForKey(key);
    ScrollContents(amount.dx, amount.dy, clip);
    return 0;
  }
  if (kind == KeyKind::Menu) TheEffectControl().stopByKey = 1;
  if (IsAutoRepeat(message)) SprinkleIcon(clip);
  return Default(message);
}

void CPlaySurface::SprinkleIcon(const RECT& clip) {
  StartSound(media::Ponyon);
  busyFlag = true;
  random_generator::Seed(::GetTickCount());
  ::Sleep(SprinklePauseMs);
  const auto place = NextSprinklePlacement(clip.right - clip.left, clip.bottom - clip.top);
  const auto slot = static_cast<std::size_t>(SprinkleIconForIndex(CRandomPicker().IndexByTick()));
  if (!place) return;
  const HICON icon = icons.SprinklePicture(slot, SprinkleFrameFor(place->size()));
  if (icon == nullptr) return;
  const ClientDC dc(Handle());
  ::DrawIconEx(dc.Get(), place->left(), place->top(), icon, place->size(), place->size(), 0, nullptr, DI_NORMAL);
  picture_changes::Note();
}

LRESULT CPlaySurface::OnKeyUp(const Message& message) {
  if (busyFlag) {
    StopSound();
    busyFlag = false;
    return Default(message);
  }
  const media::Sound keySound = media::KeySoundForIndex(CRandomPicker().IndexByTick());
  const ReleaseResponse response = ResponseToRelease(KeyOf(message), KeyHeld(VK_MENU));
  if (response == ReleaseResponse::ColorFill) {
    // The picture first: the sound's request is queued a moment later, which no ear can tell.
    {
      GdiCanvas canvas(Handle());
      KeyColorFill(canvas);
    }
    StartSound(keySound);
    return Default(message);
  }
  StartSound(keySound);
  switch (response) {
    case ReleaseResponse::HatchFill:
      Post(WMU_HATCH_FILL);
      break;
    case ReleaseResponse::GradientFill:
      Post(WMU_GRADIENT_FILL);
      break;
    case ReleaseResponse::EffectsMenu:
      Post(WMU_SHOW_EFFECTS_MENU);
      break;
    case ReleaseResponse::None:
    case ReleaseResponse::ColorFill:
      break;
  }
  return 0;
}

void CPlaySurface::DrawDragIcon(POINT at) {
  StartSound(media::Drag);
  const int slot = media::DragIconSlotForIndex(CRandomPicker().IndexBySecond());
  const HICON icon = icons.DragIcon(static_cast<std::size_t>(slot));
  if (icon == nullptr) return;
  const ClientDC dc(Handle());
  ::DrawIcon(dc.Get(), at.x, at.y, icon);
  picture_changes::Note();
}

LRESULT CPlaySurface::OnLeftButtonDown(const Message& message) {
  if (KeyHeld(VK_RBUTTON)) {
    Post(WMU_GRADIENT_FILL);
  } else {
    DrawDragIcon(MousePoint(message));
  }
  return Default(message);
}

LRESULT CPlaySurface::OnLeftButtonUp(const Message& message) {
  StopSound();
  return Default(message);
}

LRESULT CPlaySurface::OnMouseMove(const Message& message) {
  if ((message.wParam & MK_LBUTTON) != 0) DrawDragIcon(MousePoint(message));
  return Default(message);
}

LRESULT CPlaySurface::OnMiddleButtonDown(const Message& message) {
  if (menuOpen) {
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
  const RECT clip = VisibleArea();
  const ScrollAmount amount = ScrollForWheel(WheelDelta(message), CRandomPicker().IndexBySecond());
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
  const effects_menu::Item* item = effects_menu::ItemForCommand(commandId);
  if (item == nullptr) return MessageWindow::HandleOwnCommand(commandId);
  if (item->routine == nullptr) {
    ShowPicturePopup(item->sound);
  } else {
    effects.Start(item->routine, item->sound, Handle());
  }
  return true;
}

// The picture popup runs modal here; the frame takes no input meanwhile, and the effects go on.
void CPlaySurface::ShowPicturePopup(const media::Sound& sound) {
  StartSound(sound);
  CPicturePopup popup(PicturePopupTimeoutMs);
  popup.DoModal(Handle());
  // As the popup goes, the activation may pass to the desktop rather than back to the frame (the
  // frame is still disabled at that moment): take it back, or the child's keys reach nothing.
  ::SetForegroundWindow(::GetAncestor(Handle(), GA_ROOT));
  ::SetFocus(Handle());
}

LRESULT CPlaySurface::OnShowEffectsMenu(const Message&) {
  if (KeyHeld(VK_LBUTTON)) return 0;
  POINT cursor{};
  ::GetCursorPos(&cursor);
  StopSound();
  menuOpen = true;
  ::SetForegroundWindow(Handle());
  effectsMenu.Track(Handle(), cursor);
  menuOpen = false;
  return 0;
}

LRESULT CPlaySurface::OnMeasureItem(const Message& message) {
  return effectsMenu.Measure(Handle(), RecordOf<MEASUREITEMSTRUCT>(message)) ? TRUE : Default(message);
}

LRESULT CPlaySurface::OnDrawItem(const Message& message) {
  return effectsMenu.Draw(RecordOf<const DRAWITEMSTRUCT>(message), icons) ? TRUE : Default(message);
}

LRESULT CPlaySurface::OnMenuChar(const Message& message) {
  const effects_menu::CharAnswer answer = effects_menu::AnswerToChar(LOWORD(message.wParam));
  switch (answer.action) {
    case effects_menu::CharAction::ChooseItem:
      return MAKELRESULT(answer.position, MNC_EXECUTE);
    case effects_menu::CharAction::Close:
      ::PostMessageW(Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
      break;
    case effects_menu::CharAction::Default:
      break;
  }
  return Default(message);
}

// The effects draw on this window: they end before it goes.
LRESULT CPlaySurface::OnDestroy(const Message& message) {
  effects.EndAll();
  return Default(message);
}

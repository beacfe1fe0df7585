// The RAII owners leave nothing behind over many rounds. Where the platform counts a process's GDI
// and USER objects the counts must not grow; every handle is also probed on its own once its
// owner is gone (a deleted handle no longer answers), which works where the counts are not kept.
#include <windows.h>

#include <string>
#include <utility>

#include "ProbeSupport.h"
#include "ScenarioApp.h"
#include "framework/DrawingContext.h"
#include "framework/Handles.h"
#include "framework/Window.h"

namespace {

constexpr int Rounds = 400;

// A failure is kept with the round it happened in; the first one is reported.
class Tally {
 public:
  void Expect(bool condition, int round, const char* what) {
    if (condition || !failure_.empty()) return;
    failure_ = Format("round %d: %s", round, what);
  }
  bool Passed() const { return failure_.empty(); }
  const std::string& Failure() const { return failure_; }

 private:
  std::string failure_;
};

bool GdiObjectAlive(HGDIOBJ object) { return ::GetObjectType(object) != 0; }
bool IconAlive(HICON icon) {
  ICONINFO info{};
  if (!::GetIconInfo(icon, &info)) return false;
  if (info.hbmMask != nullptr) ::DeleteObject(info.hbmMask);
  if (info.hbmColor != nullptr) ::DeleteObject(info.hbmColor);
  return true;
}
bool KernelHandleAlive(HANDLE handle) {
  DWORD flags = 0;
  return ::GetHandleInformation(handle, &flags) != FALSE;
}
// A DC still held by its window answers ReleaseDC with 1 (and is released by that call).
bool DcStillHeld(HWND window, HDC dc) { return ::ReleaseDC(window, dc) == 1; }

HICON NewIcon() {
  const BYTE andMask[32 * 4] = {};
  const BYTE xorMask[32 * 4] = {};
  return ::CreateIcon(::GetModuleHandleW(nullptr), 32, 32, 1, 1, andMask, xorMask);
}
HCURSOR NewCursor() {
  const BYTE andMask[32 * 4] = {};
  const BYTE xorMask[32 * 4] = {};
  return ::CreateCursor(::GetModuleHandleW(nullptr), 1, 1, 32, 32, andMask, xorMask);
}

// Paints through a PaintScope and remembers the DC it got.
class PaintedWindow final : public Window {
 public:
  HDC lastPaintDc = nullptr;
  int paints = 0;

 protected:
  LRESULT HandleMessage(const Message& message) override {
    if (message.id == WM_PAINT) {
      const PaintScope paint(Handle());
      lastPaintDc = paint.Get();
      ++paints;
      ::PatBlt(paint.Get(), 0, 0, 10, 10, BLACKNESS);
      return 0;
    }
    return Window::HandleMessage(message);
  }
};

struct Counts {
  DWORD gdi;
  DWORD user;
};
Counts GuiCounts() {
  return {::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS),
          ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS)};
}

// One round of everything, with each handle probed once its owner is gone.
void OneRound(HWND window, PaintedWindow& painted, int round, Tally& dcs, Tally& paint, Tally& selection,
              Tally& gdi, Tally& user, Tally& kernel) {
  HDC clientDc = nullptr;
  {
    const ClientDC dc(window);
    clientDc = dc.Get();
    dcs.Expect(static_cast<bool>(dc), round, "GetDC failed");
    ::PatBlt(dc.Get(), 0, 0, 4, 4, WHITENESS);
  }
  dcs.Expect(clientDc == nullptr || !DcStillHeld(window, clientDc), round, "ClientDC left its DC held");

  const int paintsBefore = painted.paints;
  ::InvalidateRect(painted.Handle(), nullptr, TRUE);
  ::UpdateWindow(painted.Handle());
  paint.Expect(painted.paints == paintsBefore + 1, round, "WM_PAINT did not arrive");
  paint.Expect(::GetUpdateRect(painted.Handle(), nullptr, FALSE) == FALSE, round, "update region left after painting");
  paint.Expect(painted.lastPaintDc != nullptr && !DcStillHeld(painted.Handle(), painted.lastPaintDc), round,
               "PaintScope left its DC held");

  const HDC memory = ::CreateCompatibleDC(nullptr);
  const HGDIOBJ originalBrush = ::GetCurrentObject(memory, OBJ_BRUSH);
  const HGDIOBJ originalPen = ::GetCurrentObject(memory, OBJ_PEN);
  HGDIOBJ brushHandle = nullptr;
  HGDIOBJ penHandle = nullptr;
  {
    const OwnedBrush brush(::CreateSolidBrush(RGB(round % 256, 20, 30)));
    const OwnedPen pen(::CreatePen(PS_SOLID, 1, RGB(1, 2, 3)));
    brushHandle = brush.Get();
    penHandle = pen.Get();
    const SelectionGuard selectBrush(memory, brush.Get());
    selection.Expect(::GetCurrentObject(memory, OBJ_BRUSH) == brush.Get(), round, "the brush was not selected");
    {
      const SelectionGuard selectPen(memory, pen.Get());
      selection.Expect(::GetCurrentObject(memory, OBJ_PEN) == pen.Get(), round, "the pen was not selected");
    }
    selection.Expect(::GetCurrentObject(memory, OBJ_PEN) == originalPen, round,
                     "the inner guard did not select the previous pen back");
    selection.Expect(::GetCurrentObject(memory, OBJ_BRUSH) == brush.Get(), round,
                     "the inner guard disturbed the outer selection");
  }
  selection.Expect(::GetCurrentObject(memory, OBJ_BRUSH) == originalBrush, round,
                   "the previous brush was not selected back");
  gdi.Expect(!GdiObjectAlive(brushHandle) && !GdiObjectAlive(penHandle), round,
             "a brush or pen outlived its owner (deselected too late to be deleted?)");
  {
    // A failed selection has nothing to put back and must leave the DC as it was.
    const SelectionGuard failed(memory, nullptr);
  }
  selection.Expect(::GetCurrentObject(memory, OBJ_BRUSH) == originalBrush, round,
                   "a failed selection changed the DC on the way out");
  ::DeleteDC(memory);

  HGDIOBJ fontHandle = nullptr;
  HGDIOBJ bitmapHandle = nullptr;
  {
    const OwnedFont font(::CreateFontW(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"IPAGothic"));
    const OwnedBitmap bitmap(::CreateBitmap(8, 8, 1, 32, nullptr));
    fontHandle = font.Get();
    bitmapHandle = bitmap.Get();
    gdi.Expect(GdiObjectAlive(fontHandle) && GdiObjectAlive(bitmapHandle), round, "a font or bitmap died early");
  }
  gdi.Expect(!GdiObjectAlive(fontHandle) && !GdiObjectAlive(bitmapHandle), round, "a font or bitmap outlived its owner");

  // Moves hand ownership over without releasing; assignment and Reset release the old handle.
  {
    OwnedBrush first(::CreateSolidBrush(RGB(9, 9, 9)));
    const HGDIOBJ firstHandle = first.Get();
    OwnedBrush second(std::move(first));
    gdi.Expect(!first && second.Get() == firstHandle && GdiObjectAlive(firstHandle), round,
               "moving an owner released or lost the handle");
    OwnedBrush third(::CreateSolidBrush(RGB(8, 8, 8)));
    const HGDIOBJ thirdHandle = third.Get();
    second = std::move(third);
    gdi.Expect(!GdiObjectAlive(firstHandle) && GdiObjectAlive(thirdHandle) && second.Get() == thirdHandle, round,
               "move-assignment did not release the replaced handle");
    OwnedBrush& alias = second;
    second = std::move(alias);
    gdi.Expect(GdiObjectAlive(thirdHandle) && second.Get() == thirdHandle, round,
               "move-assigning an owner to itself released its handle");
    second.Reset();
    gdi.Expect(!GdiObjectAlive(thirdHandle) && !second, round, "Reset did not release the handle");
  }

  HICON iconHandle = nullptr;
  HCURSOR cursorHandle = nullptr;
  HMENU menuHandle = nullptr;
  {
    const OwnedIcon icon(NewIcon());
    const OwnedCursor cursor(NewCursor());
    const OwnedMenu menu(::CreatePopupMenu());
    iconHandle = icon.Get();
    cursorHandle = cursor.Get();
    menuHandle = menu.Get();
    user.Expect(IconAlive(iconHandle) && IconAlive(cursorHandle) && ::IsMenu(menuHandle), round,
                "an icon, cursor or menu could not be made");
  }
  user.Expect(!IconAlive(iconHandle), round, "an icon outlived its owner");
  user.Expect(!IconAlive(cursorHandle), round, "a cursor outlived its owner");
  user.Expect(!::IsMenu(menuHandle), round, "a menu outlived its owner");

  HANDLE eventHandle = nullptr;
  {
    const OwnedKernelHandle event(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
    eventHandle = event.Get();
    kernel.Expect(KernelHandleAlive(eventHandle), round, "an event could not be made");
  }
  kernel.Expect(!KernelHandleAlive(eventHandle), round, "a kernel handle outlived its owner");
}

}  // namespace

void RunRaiiScenario(Report& report) {
  Window plain;
  PaintedWindow painted;
  constexpr DWORD Shown = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
  if (!plain.Create(TopLevel(L"fwprobe raii", {200, 200, 200, 150}, Shown)) ||
      !painted.Create(TopLevel(L"fwprobe raii", {420, 200, 200, 150}, Shown))) {
    report.Check("raii.windows-created", false, "the windows for drawing could not be made");
    return;
  }
  DrainQueue();

  // The probe's own check that a DC left held is seen as held: otherwise the DC checks prove nothing.
  {
    const HDC leaked = ::GetDC(plain.Handle());
    const bool seen = DcStillHeld(plain.Handle(), leaked);
    report.Check("raii.held-dc-is-detectable", seen, "ReleaseDC does not tell a held DC from a released one here");
  }

  Tally dcs, paint, selection, gdi, user, kernel;
  OneRound(plain.Handle(), painted, -1, dcs, paint, selection, gdi, user, kernel);  // first-use allocations
  const Counts before = GuiCounts();
  for (int round = 0; round < Rounds; ++round) {
    OneRound(plain.Handle(), painted, round, dcs, paint, selection, gdi, user, kernel);
  }
  const Counts after = GuiCounts();

  report.Check("raii.client-dc-released", dcs.Passed(), dcs.Failure());
  report.Check("raii.paint-scope-ends-paint", paint.Passed(), paint.Failure());
  report.Check("raii.selection-guard-restores", selection.Passed(), selection.Failure());
  report.Check("raii.owned-gdi-objects-deleted", gdi.Passed(), gdi.Failure());
  report.Check("raii.owned-user-objects-destroyed", user.Passed(), user.Failure());
  report.Check("raii.owned-kernel-handles-closed", kernel.Passed(), kernel.Failure());

  // Only the library owner's check needs a module that nothing else holds.
  const wchar_t* libraryName = L"msimg32.dll";
  if (::GetModuleHandleW(libraryName) != nullptr) {
    report.Skip("raii.owned-library-freed", "msimg32.dll is already loaded by something else");
  } else {
    bool loaded = true;
    for (int round = 0; round < 20 && loaded; ++round) {
      const OwnedLibrary library(::LoadLibraryW(libraryName));
      loaded = static_cast<bool>(library);
    }
    report.Check("raii.owned-library-freed", loaded && ::GetModuleHandleW(libraryName) == nullptr,
                 loaded ? "the library stayed loaded after its owner went" : "the library could not be loaded");
  }

  if (before.gdi == 0 && before.user == 0 && after.gdi == 0 && after.user == 0) {
    report.Skip("raii.gui-object-counts-steady",
                "GetGuiResources reports 0 objects on this platform; the per-handle checks above stand in");
  } else {
    report.Check("raii.gui-object-counts-steady", after.gdi <= before.gdi && after.user <= before.user,
                 Format("GDI objects %lu -> %lu, USER objects %lu -> %lu over %d rounds", before.gdi, after.gdi,
                        before.user, after.user, Rounds));
  }
  DrainQueue();
}

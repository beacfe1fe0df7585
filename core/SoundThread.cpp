#include "core/SoundThread.h"

#include <mmsystem.h>

#include <chrono>
#include <map>
#include <memory>
#include <vector>

#include "core/MediaPath.h"
#include "framework/ExclusiveLock.h"
#include "framework/Handles.h"

namespace {

// A request travels as a thread message whose parameter owns the file name (null for a stop).
constexpr UINT PlayRequest = WM_APP + 1;
constexpr DWORD EndTimeoutMs = 2000;

// A sound starts this long after it was asked for, at the earliest. Starting a sound costs the audio
// stack a burst of work (under some systems a new thread per sound); held back this little, it no
// longer competes for the processor with the display showing the picture that goes with the sound,
// and no ear can tell the difference. A request that waited in the queue longer starts at once.
constexpr std::chrono::milliseconds PictureHeadStart{3};

using PlaySoundExport = BOOL(WINAPI*)(LPCWSTR, HMODULE, DWORD);

// The audio stack, from the system folder, loaded by the sound thread itself once it runs: the
// program starts without it, and nothing else needs it.
OwnedLibrary LoadAudioLibrary() {
  wchar_t folder[MAX_PATH];
  const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return OwnedLibrary();
  return OwnedLibrary(::LoadLibraryW((std::wstring(folder, length) + L"\\winmm.dll").c_str()));
}

// The whole of a file, read with the wide-character calls; empty when it cannot be read.
std::vector<char> ReadWholeFile(const std::wstring& path) {
  const HANDLE opened =
      ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  const OwnedKernelHandle file(opened == INVALID_HANDLE_VALUE ? nullptr : opened);
  LARGE_INTEGER size{};
  if (!file || !::GetFileSizeEx(file.Get(), &size) || size.QuadPart <= 0 || size.QuadPart > MAXDWORD) {
    return {};
  }
  std::vector<char> bytes(static_cast<std::size_t>(size.QuadPart));
  DWORD read = 0;
  if (!::ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read != bytes.size()) {
    return {};
  }
  return bytes;
}

// The sounds played from memory, each file read once and kept for the run: an asynchronous sound
// plays on from its bytes after the call, and a later call may stop it at any time.
class SoundsInMemory {
 public:
  // The file's bytes, or null when it cannot be read.
  const std::vector<char>* Bytes(const std::wstring& path) {
    auto found = files_.find(path);
    if (found == files_.end()) {
      std::vector<char> bytes = ReadWholeFile(path);
      if (bytes.empty()) return nullptr;
      found = files_.emplace(path, std::move(bytes)).first;
    }
    return &found->second;
  }

 private:
  std::map<std::wstring, std::vector<char>> files_;
};

void PlayMediaSound(PlaySoundExport playSound, SoundsInMemory& inMemory, const std::wstring& relativePath, DWORD flags) {
  const SoundFileAccess access = SoundFileAccessFor(relativePath);
  if (!access.fromMemory) {
    playSound(access.path.c_str(), nullptr, flags);
    return;
  }
  const std::vector<char>* bytes = inMemory.Bytes(access.path);
  if (bytes == nullptr) return;
  // The audio stack's own record shows only an address for such a sound: this line names it.
  ::OutputDebugStringW((L"mimitap: sound from memory " + relativePath + L"\n").c_str());
  playSound(reinterpret_cast<LPCWSTR>(bytes->data()), nullptr, (flags & ~static_cast<DWORD>(SND_FILENAME)) | SND_MEMORY);
}

void WaitUntil(std::chrono::steady_clock::time_point moment) {
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(moment - std::chrono::steady_clock::now());
  if (left.count() > 0) ::Sleep(static_cast<DWORD>(left.count()));
}

}  // namespace

struct SoundThread::Request {
  std::wstring path;
  DWORD flags;
  std::chrono::steady_clock::time_point asked = std::chrono::steady_clock::now();
};

void SoundThread::Play(std::wstring path, DWORD flags) {
  auto request = std::make_unique<Request>(Request{std::move(path), flags});
  if (Post(request.get())) request.release();  // the sound thread owns it now
}

void SoundThread::Stop() { Post(nullptr); }

void SoundThread::Start() {
  const ExclusiveLock hold(lock_);
  if (!ended_ && !thread_.Started()) StartThread();
  const DWORD id = thread_.Started() ? thread_.Id() : 0;
  for (Request* request : waiting_) {
    if (id == 0 || !::PostThreadMessageW(id, PlayRequest, 0, reinterpret_cast<LPARAM>(request))) delete request;
  }
  waiting_.clear();
}

// Posted in the order asked for: before the thread runs, a request waits with the others. False
// when the request was dropped (the thread has ended or could not take it).
bool SoundThread::Post(Request* request) {
  const ExclusiveLock hold(lock_);
  bool taken = false;
  if (!ended_ && !thread_.Started()) {
    waiting_.push_back(request);
    taken = true;
  } else if (!ended_) {
    taken = ::PostThreadMessageW(thread_.Id(), PlayRequest, 0, reinterpret_cast<LPARAM>(request)) != FALSE;
  }
  return taken;
}

void SoundThread::End() {
  DWORD id = 0;
  {
    const ExclusiveLock hold(lock_);
    ended_ = true;
    for (Request* request : waiting_) delete request;
    waiting_.clear();
    id = thread_.Started() ? thread_.Id() : 0;
  }
  if (id == 0) return;
  // A quit posted before the thread's queue exists would be lost.
  ::WaitForSingleObject(ready_->Get(), EndTimeoutMs);
  ::PostThreadMessageW(id, PlayRequest, 0, 0);
  ::PostThreadMessageW(id, WM_QUIT, 0, 0);
  if (!thread_.Join(EndTimeoutMs)) thread_.LetGo();
}

// The thread's queue exists before anyone posts to it.
void SoundThread::StartThread() {
  auto ready = std::make_shared<OwnedKernelHandle>(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!*ready) return;
  if (!thread_.Start([ready] { Run(ready->Get()); }, THREAD_PRIORITY_ABOVE_NORMAL)) return;
  ready_ = std::move(ready);
  ::WaitForSingleObject(ready_->Get(), startTimeoutMs_);
}

void SoundThread::Run(HANDLE ready) {
  MSG message;
  ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
  ::SetEvent(ready);
  const OwnedLibrary audio = LoadAudioLibrary();
  const auto playSound =
      audio ? reinterpret_cast<PlaySoundExport>(reinterpret_cast<void*>(::GetProcAddress(audio.Get(), "PlaySoundW")))
            : nullptr;
  SoundsInMemory inMemory;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message != PlayRequest) continue;
    const std::unique_ptr<Request> request(reinterpret_cast<Request*>(message.lParam));
    if (playSound == nullptr) continue;
    if (request) {
      WaitUntil(request->asked + PictureHeadStart);
      PlayMediaSound(playSound, inMemory, request->path, request->flags);
    } else {
      playSound(nullptr, nullptr, 0);
    }
  }
  if (playSound != nullptr) playSound(nullptr, nullptr, 0);  // before the bytes it may play go
  // Requests still queued at the end only free their names.
  while (::PeekMessageW(&message, nullptr, PlayRequest, PlayRequest, PM_REMOVE)) {
    delete reinterpret_cast<Request*>(message.lParam);
  }
}

SoundThread& TheSoundThread() {
  static SoundThread thread;
  return thread;
}

#pragma once
#include <windows.h>

#include <string_view>

#include "framework/StringResource.h"
#include "framework/ThisModule.h"
#include "resources/resource.h"

// What the toy tells a grown-up, and the caption of every message box. The texts are the program's
// string resources: the system's loader gives them in the user's interface language.
namespace user_messages {

// A string resource of the program.
struct Text {
  unsigned id;
  operator std::wstring_view() const { return StringResource(ThisModule(), id); }
};

// The program's name, the same in every language (the single-copy check finds the frame by it).
inline constexpr const wchar_t* Caption = L"ミミタップ";
inline constexpr Text ExitHint{IDS_EXIT_HINT};
inline constexpr Text MissingFiles{IDS_MISSING_FILES};
inline constexpr Text MissingLibrary{IDS_MISSING_LIBRARY};
inline constexpr Text NoInitialInfo{IDS_NO_INITIAL_INFO};

}  // namespace user_messages

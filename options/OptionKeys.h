#pragma once

// The five keys of section "CONFIG" in "mimitap.dat", in the order the options dialog writes them.
enum class OptionKey { KeyWav, OtherWav, Time, NoScreenServer, EndAltF4 };

constexpr const char* OptionSection = "CONFIG";

constexpr const char* OptionKeyName(OptionKey key) {
  switch (key) {
    case OptionKey::KeyWav: return "keywav";
    case OptionKey::OtherWav: return "otherwav";
    case OptionKey::Time: return "time";
    case OptionKey::NoScreenServer: return "noscreenserver";
    case OptionKey::EndAltF4: return "endaltf4";
  }
  return "";
}

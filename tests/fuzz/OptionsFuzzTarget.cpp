// Fuzz target for the two pieces that read text from outside the program: the option value rule
// and the paths built from the executable's location. Each input is checked against a small
// independent model; any disagreement aborts with a message.
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "options/OptionValueRule.h"
#include "core/ProgramPaths.h"

namespace {

void Check(bool ok, const char* what, std::string_view input) {
  if (ok) return;
  std::fprintf(stderr, "invariant broken: %s (input of %zu bytes)\n", what, input.size());
  std::abort();
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// The C runtime's reading: the marker test on what the 256-byte buffer holds, then strtoll
// clamped to int.
int ModelValueOf(std::string_view text) {
  const std::string seen(text.substr(0, 255));
  const std::string_view marker = "mimitap_inierrstring";
  if (seen.size() == marker.size()) {
    bool same = true;
    for (std::size_t i = 0; i < seen.size(); ++i) same = same && Lower(seen[i]) == marker[i];
    if (same) return -1;
  }
  const long long value = std::strtoll(seen.c_str(), nullptr, 10);
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

void CheckSplit(std::string_view input) {
  const program_paths::SplitPath p = program_paths::Split(input);
  Check(p.drive + p.folder + p.name + p.extension == input, "split parts rebuild the path", input);

  const bool hasDrive = input.size() >= 2 && input[1] == ':';
  Check(p.drive == (hasDrive ? input.substr(0, 2) : std::string_view{}), "drive is X: or nothing",
        input);
  Check(p.folder.empty() || IsSeparator(p.folder.back()), "folder ends with a separator", input);
  for (char c : p.name + p.extension) Check(!IsSeparator(c), "no separator after the folder", input);
  Check(p.extension.empty() || p.extension.front() == '.', "extension starts with a dot", input);
  if (!p.extension.empty()) {
    Check(p.extension.find('.', 1) == std::string::npos, "extension holds only the last dot",
          input);
  } else {
    Check(p.name.find('.') == std::string::npos, "no extension means no dot in the name", input);
  }

  const std::string readme = program_paths::ReadmeFile(input);
  Check(readme == p.drive + p.folder + p.name + ".txt", "read-me swaps the extension", input);
}

void CheckOptionsFile(std::string_view input, std::size_t capacity) {
  const program_paths::SplitPath p = program_paths::Split(input);
  const std::string expected = p.drive + p.folder + "mimitap.dat";
  const auto path = program_paths::OptionsFile(input, capacity);
  Check(path.has_value() == (expected.size() < capacity), "options file present iff it fits",
        input);
  if (path) {
    Check(*path == expected, "options file sits in the program's folder", input);
    Check(path->size() + 1 <= capacity, "options file fits with its NUL", input);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);

  const int value = option_rule::ValueOf(input);
  Check(value == ModelValueOf(input), "option value matches strtoll on the first 255 characters",
        input);
  if (input.size() > 255) {
    Check(value == option_rule::ValueOf(input.substr(0, 255)), "characters past 255 are unseen",
          input);
  }

  CheckSplit(input);
  CheckOptionsFile(input, 256);
  const auto standard = program_paths::OptionsFile(input, 256);
  Check(!standard || standard->size() <= 255, "options file never longer than 255", input);
  CheckOptionsFile(input, size % 300);
  return 0;
}

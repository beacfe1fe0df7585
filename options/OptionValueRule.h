#pragma once
#include <cstddef>
#include <string_view>

// The one rule by which every option key is read from the options file.
namespace option_rule {

// What the INI reader is asked to return when the file, the section or the key is missing.
inline constexpr std::string_view MissingMarker = "MIMITAP_INIERRSTRING";
// The value buffer holds 256 bytes, so at most 255 characters of a value are seen.
inline constexpr std::size_t ValueCapacity = 256;

// -1 for the missing marker (any case); otherwise the value's integer as the C runtime's atoi
// reads it: leading white space skipped, an optional sign, digits up to the first other character,
// no digits giving 0. Values beyond the int range saturate instead of wrapping.
int ValueOf(std::string_view fetchedText);

}  // namespace option_rule

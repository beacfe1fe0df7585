#include <algorithm>
#include <climits>
#include <cstdlib>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "core/OptionTable.h"
#include "options/OptionValueRule.h"
#include "core/ProgramPaths.h"

namespace {

using option_rule::ValueOf;

// ---------------------------------------------------------------------------------------------
// Reading one option value.

TEST(OptionValue, MissingMarkerInAnyCaseGivesMinusOne) {
  EXPECT_EQ(ValueOf("MIMITAP_INIERRSTRING"), -1);
  EXPECT_EQ(ValueOf("mimitap_inierrstring"), -1);
  EXPECT_EQ(ValueOf("MiMiTaP_IniErrString"), -1);
}

TEST(OptionValue, TextNearTheMarkerIsNotTheMarker) {
  EXPECT_EQ(ValueOf("MIMITAP_INIERRSTRIN"), 0);
  EXPECT_EQ(ValueOf("MIMITAP_INIERRSTRINGS"), 0);
  EXPECT_EQ(ValueOf(" MIMITAP_INIERRSTRING"), 0);
  EXPECT_EQ(ValueOf("MIMITAP-INIERRSTRING"), 0);
  EXPECT_EQ(ValueOf(std::string("MIMITAP_INIERRSTRING") + std::string(300, 'x')), 0);
}

TEST(OptionValue, ReadsAsTheRuntimesAtoiDoes) {
  // Digits after white space and one sign; letters, signs alone and empty text give 0.
  for (const char* text : {"2", "0", "1", " 1", "\t\n\v\f\r 3", "-5", "+6", "12abc", "1 2", "007", "-0", "", "yes",
                           "on", "-", "+-3", "- 3", "x1", "   "}) {
    EXPECT_EQ(ValueOf(text), std::atoi(text)) << '"' << text << '"';
  }
  EXPECT_EQ(ValueOf("12abc"), 12) << "the runtime itself reads the digits";
  EXPECT_EQ(ValueOf(std::string("\0" "5", 2)), 0);
}

TEST(OptionValue, OnlyTheFirst255CharactersAreSeen) {
  EXPECT_EQ(ValueOf(std::string(255, ' ') + "7"), 0);
  EXPECT_EQ(ValueOf(std::string(254, ' ') + "7"), 7);
  EXPECT_EQ(ValueOf(std::string(250, ' ') + "123456"), 12345);
  EXPECT_EQ(ValueOf(std::string(253, ' ') + "-9"), -9);
  EXPECT_EQ(ValueOf(std::string(254, ' ') + "-9"), 0);
}

// Our choice for numbers beyond int: they saturate instead of wrapping.
TEST(OptionValue, OutOfRangeNumbersSaturate) {
  EXPECT_EQ(ValueOf("2147483647"), INT_MAX);
  EXPECT_EQ(ValueOf("-2147483648"), INT_MIN);
  EXPECT_EQ(ValueOf("2147483648"), INT_MAX);
  EXPECT_EQ(ValueOf("-2147483649"), INT_MIN);
  EXPECT_EQ(ValueOf("4294967298"), INT_MAX);
  EXPECT_EQ(ValueOf("99999999999999999999999999999"), INT_MAX);
  EXPECT_EQ(ValueOf("-99999999999999999999999999999"), INT_MIN);
  EXPECT_EQ(ValueOf(std::string(400, '9')), INT_MAX);
  EXPECT_EQ(ValueOf(std::string("-") + std::string(400, '9')), INT_MIN);
}

// ---------------------------------------------------------------------------------------------
// Paths beside the program.

struct SplitCase {
  const char* label;
  const char* path;
  const char* drive;
  const char* folder;
  const char* name;
  const char* extension;
};

class PathSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(PathSplit, DividesLikeTheRuntimesPathSplitter) {
  const SplitCase& c = GetParam();
  const program_paths::SplitPath parts = program_paths::Split(c.path);
  EXPECT_EQ(parts.drive, c.drive);
  EXPECT_EQ(parts.folder, c.folder);
  EXPECT_EQ(parts.name, c.name);
  EXPECT_EQ(parts.extension, c.extension);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, PathSplit,
    ::testing::Values(
        SplitCase{"BackslashesWithDrive", "C:\\Program Files\\MimiTap\\mimitap.exe", "C:",
                  "\\Program Files\\MimiTap\\", "mimitap", ".exe"},
        SplitCase{"ForwardSlashes", "C:/games/toy/mimitap.exe", "C:", "/games/toy/", "mimitap", ".exe"},
        SplitCase{"MixedSeparators", "D:\\a/b\\c.exe", "D:", "\\a/b\\", "c", ".exe"},
        SplitCase{"NetworkPathNoDrive", "\\\\server\\share\\mimitap.exe", "",
                  "\\\\server\\share\\", "mimitap", ".exe"},
        SplitCase{"RelativeFolder", "toys\\mimitap.exe", "", "toys\\", "mimitap", ".exe"},
        SplitCase{"NameOnly", "mimitap.exe", "", "", "mimitap", ".exe"},
        SplitCase{"NoExtension", "C:\\toys\\mimitap", "C:", "\\toys\\", "mimitap", ""},
        SplitCase{"DotsInFolders", "C:\\my.toys\\v1.2\\mimitap", "C:", "\\my.toys\\v1.2\\",
                  "mimitap", ""},
        SplitCase{"DotsInName", "C:\\my.toys\\mimi.tap.exe", "C:", "\\my.toys\\", "mimi.tap", ".exe"},
        SplitCase{"DriveRelative", "C:mimitap.exe", "C:", "", "mimitap", ".exe"},
        SplitCase{"TrailingSeparator", "C:\\toys\\", "C:", "\\toys\\", "", ""},
        SplitCase{"ExtensionOnly", "C:\\toys\\.hidden", "C:", "\\toys\\", "", ".hidden"},
        SplitCase{"EmptyExtension", "C:\\toys\\mimitap.", "C:", "\\toys\\", "mimitap", "."},
        SplitCase{"DriveOnly", "C:", "C:", "", "", ""},
        SplitCase{"Empty", "", "", "", "", ""}),
    [](const ::testing::TestParamInfo<SplitCase>& param) { return std::string(param.param.label); });

TEST(OptionsFile, SitsBesideTheProgram) {
  EXPECT_EQ(program_paths::OptionsFile("C:\\Program Files\\MimiTap\\mimitap.exe", 256),
            std::optional<std::string>("C:\\Program Files\\MimiTap\\mimitap.dat"));
  EXPECT_EQ(program_paths::OptionsFile("C:/toys/other.exe", 256),
            std::optional<std::string>("C:/toys/mimitap.dat"));
  EXPECT_EQ(program_paths::OptionsFile("C:\\my.toys\\toy", 256),
            std::optional<std::string>("C:\\my.toys\\mimitap.dat"));
  EXPECT_EQ(program_paths::OptionsFile("mimitap.exe", 256), std::optional<std::string>("mimitap.dat"));
}

TEST(OptionsFile, FitsWith255CharactersButNot256) {
  const std::string tail = "\\mimitap.dat";
  // "C:" + "\\" + padding + "\\mimitap.dat" = 255 characters.
  const std::string folder255 = std::string("\\") + std::string(255 - 2 - 1 - tail.size(), 'a');
  const auto fits = program_paths::OptionsFile("C:" + folder255 + "\\mimitap.exe", 256);
  ASSERT_TRUE(fits.has_value());
  EXPECT_EQ(fits->size(), 255u);
  EXPECT_EQ(*fits, "C:" + folder255 + tail);

  const std::string folder256 = folder255 + "a";
  EXPECT_FALSE(program_paths::OptionsFile("C:" + folder256 + "\\mimitap.exe", 256).has_value());
}

TEST(OptionsFile, LongProgramNameDoesNotMatter) {
  const auto path = program_paths::OptionsFile("C:\\t\\" + std::string(400, 'n') + ".exe", 256);
  EXPECT_EQ(path, std::optional<std::string>("C:\\t\\mimitap.dat"));
}

TEST(OptionsFile, CapacityIsHonoured) {
  EXPECT_FALSE(program_paths::OptionsFile("mimitap.exe", 0).has_value());
  EXPECT_FALSE(program_paths::OptionsFile("mimitap.exe", 11).has_value());
  EXPECT_EQ(program_paths::OptionsFile("mimitap.exe", 12), std::optional<std::string>("mimitap.dat"));
}

TEST(ReadmeFile, IsTheProgramPathWithTxt) {
  EXPECT_EQ(program_paths::ReadmeFile("C:\\Program Files\\MimiTap\\mimitap.exe"),
            "C:\\Program Files\\MimiTap\\mimitap.txt");
  EXPECT_EQ(program_paths::ReadmeFile("C:\\my.toys\\mimitap"), "C:\\my.toys\\mimitap.txt");
  EXPECT_EQ(program_paths::ReadmeFile("D:/x/mimi.tap.exe"), "D:/x/mimi.tap.txt");
  EXPECT_EQ(program_paths::ReadmeFile("mimitap.exe"), "mimitap.txt");
  EXPECT_EQ(program_paths::ReadmeFile(L"C:\\玩具\\mimitap.exe"), L"C:\\玩具\\mimitap.txt");
}

}  // namespace

static const OptionRow& OptionNamed(std::string_view key) {
  return *std::find_if(Options.begin(), Options.end(), [key](const OptionRow& option) { return option.key == key; });
}

// What the options dialog shows for a stored text, and what it writes back at once.
TEST(OptionSwitch, StoredTextFoldsToOnOrOff) {
  const auto folded = [](std::string_view key, const char* text) {
    return StoredValue(IsOn(OptionNamed(key), option_rule::ValueOf(text)));
  };
  for (const std::string_view key : {"keywav", "otherwav", "noscreenserver", "endaltf4"}) {
    EXPECT_EQ(1, folded(key, "MIMITAP_INIERRSTRING")) << key << ": missing counts as on";
    EXPECT_EQ(1, folded(key, "5"));
    EXPECT_EQ(1, folded(key, "-3"));
    EXPECT_EQ(0, folded(key, "0"));
    EXPECT_EQ(0, folded(key, "abc")) << key << ": letters read as 0";
  }
  EXPECT_EQ(0, folded("time", "MIMITAP_INIERRSTRING")) << "a missing clock key counts as off";
  EXPECT_EQ(1, folded("time", "1"));
  EXPECT_EQ(1, folded("time", " 1x"));
  EXPECT_EQ(0, folded("time", "2"));
  EXPECT_EQ(0, folded("time", "-1"));
  EXPECT_EQ(0, folded("time", "abc"));
}

// "ininfo" delivers the values in the order of the record's fields, and each row's position is its
// field's: a row whose position and field disagree would put one option's value in another's place.
TEST(OptionTable, EachPositionIsItsFieldsPlaceInTheRecord) {
  SettingsBlock block{};
  std::set<std::size_t> positions;
  std::set<std::string_view> keys;
  for (const OptionRow& option : Options) {
    EXPECT_TRUE(keys.insert(option.key).second) << option.key;
    EXPECT_EQ(&(block.*option.field), &block.noscreenserver + option.position) << option.key;
    EXPECT_TRUE(positions.insert(option.position).second) << option.key;
  }
  EXPECT_EQ(positions.size(), OptionCount);
}

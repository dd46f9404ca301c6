// The README's settings table against the module: the same options, defaults and ranges as the command's help,
// which learns the defaults from the module's own recorded run.
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include "cli_fixture.h"

namespace vendrel::test {
namespace {

struct SettingFacts {
    std::string defaultValue;
    std::string range; // "LOW..HIGH", empty for a setting without one
};

std::string readmeText()
{
    std::ifstream in(std::string(VENDREL_SOURCE_DIR) + "/README.md");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The rows of the table under "### Settings": | `--NAME...` | value | meaning (DEFAULT) |. A range is written
// "integer LOW–HIGH"; a default's explanation after a colon ("none: random colours") is left out.
std::map<std::string, SettingFacts> readmeSettings()
{
    const std::string text = readmeText();
    const size_t section = text.find("\n### Settings\n");
    if (section == std::string::npos) {
        return {};
    }
    std::istringstream lines(text.substr(section + 1));
    std::string line;
    std::getline(lines, line);
    const std::regex row(R"(^\| `--([a-z]+)[^`]*` \| ([^|]*(?:\\\|[^|]*)*) \| .*\(([^()]*)\) \|$)");
    const std::regex range("integer (\\d+)\xE2\x80\x93(\\d+)"); // an en dash between the bounds
    std::map<std::string, SettingFacts> settings;
    bool inTable = false;
    while (std::getline(lines, line) && (!inTable || line.starts_with("|")) && !line.starts_with("#")) {
        inTable = inTable || line.starts_with("|");
        std::smatch match;
        if (!std::regex_match(line, match, row)) {
            continue;
        }
        SettingFacts facts;
        facts.defaultValue = match[3].str().substr(0, match[3].str().find(':'));
        const std::string value = match[2].str();
        if (std::smatch bounds; std::regex_search(value, bounds, range)) {
            facts.range = bounds[1].str() + ".." + bounds[2].str();
        }
        settings[match[1].str()] = facts;
    }
    return settings;
}

// The setting options of `vendrel run --help`: "--NAME ... (..., default DEFAULT, range LOW..HIGH)".
std::map<std::string, SettingFacts> helpSettings(const std::string& help)
{
    const std::regex option(R"(^\s+--([a-z]+)\b.*\(.*default ([^,)]+)(?:, range (-?\d+\.\.\d+))?\)\s*$)");
    std::map<std::string, SettingFacts> settings;
    std::istringstream lines(help);
    std::string line;
    while (std::getline(lines, line)) {
        if (std::smatch match; std::regex_match(line, match, option)) {
            settings[match[1].str()] = SettingFacts{match[2].str(), match[3].str()};
        }
    }
    return settings;
}

TEST(ReadmeSettings, TableAgreesWithTheModulesDefaultsAndTheCommandsRanges)
{
    const CommandResult help = runVendrel({"run", "--help"});
    ASSERT_EQ(help.exitCode, 0) << help.err;
    const std::map<std::string, SettingFacts> fromHelp = helpSettings(help.out);
    const std::map<std::string, SettingFacts> fromReadme = readmeSettings();
    ASSERT_EQ(fromHelp.size(), 10u) << help.out;

    for (const auto& [name, facts] : fromHelp) {
        SCOPED_TRACE("--" + name);
        const auto readme = fromReadme.find(name);
        if (readme == fromReadme.end()) {
            ADD_FAILURE() << "the README's table has no row for it";
            continue;
        }
        EXPECT_EQ(readme->second.defaultValue, facts.defaultValue);
        EXPECT_EQ(readme->second.range, facts.range);
    }
    for (const auto& [name, facts] : fromReadme) {
        EXPECT_TRUE(fromHelp.contains(name)) << "the README lists --" << name << ", which the module has not";
    }
}

} // namespace
} // namespace vendrel::test

// The README's commands run as written: every `vendrel` line of its code blocks that names real files (no
// placeholders such as INPUT or [--presets DIR]) runs on the bundled example and succeeds.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "cli_fixture.h"

namespace vendrel::test {
namespace {

namespace fs = std::filesystem;

// The words of a command line, double quotes grouping; a `#` or a run of spaces outside quotes ends the command
// (what follows is a comment or a description).
std::vector<std::string> wordsOf(const std::string& line)
{
    std::vector<std::string> words;
    std::string word;
    bool quoted = false, any = false;
    char previous = 0;
    for (char c : line + " ") {
        if (c == ' ' && previous == ' ' && !quoted) {
            break;
        }
        previous = c;
        if (c == '"') {
            quoted = !quoted, any = true;
        } else if (c == '#' && !quoted && !any) {
            break;
        } else if (c == ' ' && !quoted) {
            if (any) {
                words.push_back(word);
            }
            word.clear(), any = false;
        } else {
            word += c, any = true;
        }
    }
    return words;
}

bool isPlaceholder(const std::string& word)
{
    const bool upper = !word.empty() &&
                       std::all_of(word.begin(), word.end(), [](char c) { return (c >= 'A' && c <= 'Z') || c == '.'; });
    return upper || word.find_first_of("[]|") != std::string::npos;
}

// The code lines (indented four spaces) that run vendrel on real files.
std::vector<std::vector<std::string>> readmeCommands()
{
    std::ifstream in(std::string(VENDREL_SOURCE_DIR) + "/README.md");
    std::vector<std::vector<std::string>> commands;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("    vendrel ", 0) != 0) {
            continue;
        }
        std::vector<std::string> words = wordsOf(line.substr(4));
        if (std::none_of(words.begin(), words.end(), isPlaceholder)) {
            commands.emplace_back(words.begin() + 1, words.end());
        }
    }
    return commands;
}

class ReadmeCommands : public CommandTest {};

TEST_F(ReadmeCommands, EveryCommandWithRealFilesRunsOnTheExample)
{
    // The example's folder as the README's commands see it from the checkout, with a folder of scans and the
    // README's scan.
    const fs::path root = file("checkout");
    fs::create_directories(root / "scans");
    const fs::path example = fs::path(VENDREL_SOURCE_DIR) / "examples" / "lineart.png";
    fs::create_directories(root / "examples");
    fs::copy_file(example, root / "examples" / "lineart.png");
    fs::copy_file(example, root / "scans" / "page-1.png");
    fs::copy_file(example, root / "scans" / "page-2.png");
    fs::create_directories(root / "docs");
    fs::copy_file(fs::path(VENDREL_SOURCE_DIR) / "docs" / "scan-before.png", root / "docs" / "scan-before.png");

    const std::vector<std::vector<std::string>> commands = readmeCommands();
    ASSERT_GE(commands.size(), 5u) << "the README shows fewer runnable commands than it did";
    const std::set<std::string> pathOptions = {"-o", "--output", "--output-dir", "--record", "--action", "--png"};
    for (const std::vector<std::string>& command : commands) {
        std::vector<std::string> arguments;
        std::vector<fs::path> outputs;
        for (size_t i = 0; i < command.size(); ++i) {
            const std::string& word = command[i];
            const bool pathValue = i > 0 && pathOptions.count(command[i - 1]);
            const bool input = word.find('/') != std::string::npos && word[0] != '-' && !pathValue;
            if (pathValue) {
                outputs.push_back(root / word);
            }
            if (input && word.find('*') != std::string::npos) {
                // A shell pattern: the files it names, as the shell would give them.
                const fs::path folder = root / fs::path(word).parent_path();
                for (const auto& entry : fs::directory_iterator(folder)) {
                    arguments.push_back(entry.path().string());
                }
                continue;
            }
            arguments.push_back(pathValue || input ? (root / word).string() : word);
        }
        std::ostringstream shown;
        for (const std::string& word : command) {
            shown << word << ' ';
        }
        const CommandResult run = vendrel(arguments);
        EXPECT_EQ(run.exitCode, 0) << "vendrel " << shown.str() << "\n" << run.err;
        for (const fs::path& output : outputs) {
            EXPECT_TRUE(fs::exists(output)) << "vendrel " << shown.str() << " wrote no " << output;
        }
    }
}

} // namespace
} // namespace vendrel::test

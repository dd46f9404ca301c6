// The command, its batches, the stages and the OpenRaster writer under careless or hostile use, one test per
// class of fault: no data is lost, nothing crashes or hangs, resources stay bounded, exit statuses and messages
// say what happened.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "cli_fixture.h"
#include "swatch_file_bytes.h"

namespace vendrel::test {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

const std::vector<uint8_t> keep = {'k', 'e', 'e', 'p'};

void writeText(const std::string& path, const std::string& text)
{
    writeBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

// Every entry under a folder as it stands: a file's bytes, a link's target, what anything else is.
std::map<std::string, std::string> snapshot(const std::string& folder)
{
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const std::string name = fs::relative(entry.path(), folder).string();
        const fs::file_status status = entry.symlink_status();
        if (fs::is_symlink(status)) {
            entries[name] = "link to " + fs::read_symlink(entry.path()).string();
        } else if (fs::is_regular_file(status)) {
            const std::vector<uint8_t> bytes = readBytes(entry.path().string());
            entries[name] = std::string(bytes.begin(), bytes.end());
        } else {
            entries[name] = "kind " + std::to_string(int(status.type()));
        }
    }
    return entries;
}

// A page of hatching: black strokes every few pixels, a solid line every 40 rows. Dense enough that every stage
// has work on every row.
HostImage hatching(int32_t width, int32_t height)
{
    HostImage image = HostImage::blank(width, height);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const uint8_t value = (y % 40 == 0 || x % 12 == y % 12) ? 0 : 255;
            std::fill_n(image.pixel(x, y), 3, value);
        }
    }
    return image;
}

// Pixels from a fixed sequence, which PNG cannot compress: its files are as large as its pixels.
HostImage noise(int32_t width, int32_t height)
{
    HostImage image = HostImage::blank(width, height);
    uint32_t state = 12345;
    for (uint8_t& byte : image.pixels) {
        state = state * 1664525u + 1013904223u;
        byte = uint8_t(state >> 24);
    }
    return image;
}

// The file size limit of the processes started while it lives (ulimit -f).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &former_);
        struct rlimit limit = former_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &former_); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    struct rlimit former_ {};
};

// Whether any process still runs whose command line holds text (the work folder of a test).
bool processRunningWith(const std::string& text)
{
    for (const auto& entry : fs::directory_iterator("/proc")) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos || name == std::to_string(getpid())) {
            continue;
        }
        std::ifstream in(entry.path() / "cmdline", std::ios::binary);
        const std::string commandLine((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::ifstream statIn(entry.path() / "stat");
        std::string pid, comm, state;
        statIn >> pid >> comm >> state;
        if (state != "Z" && commandLine.find(text) != std::string::npos) {
            return true;
        }
    }
    return false;
}

class HostileUseClasses : public CommandTest {
protected:
    void SetUp() override { saveImage(drawLineArt(), file("art.png")); }

    // A refused command: the exit status given, a message naming every text in named, and nothing under the work
    // folder changed.
    void expectRefused(const std::vector<std::string>& arguments, int exitCode, const std::vector<std::string>& named,
                       std::map<std::string, std::string> environment = {})
    {
        const std::map<std::string, std::string> before = snapshot(work.path());
        const CommandResult run = vendrel(arguments, environment);
        EXPECT_EQ(run.exitCode, exitCode) << run.err;
        for (const std::string& text : named) {
            EXPECT_NE(run.err.find(text), std::string::npos) << "the message names " << text << ": " << run.err;
        }
        EXPECT_TRUE(snapshot(work.path()) == before) << "a refused command changes nothing: " << run.err;
    }
};

// Data lost: no output is ever an input, however it is reached, and no write replaces anything but a regular file.
TEST_F(HostileUseClasses, NoOutputIsAnInputOrAnythingButARegularFile)
{
    fs::create_directories(file("scans"));
    fs::create_directories(file("flats"));
    fs::create_directories(file("linked"));
    saveImage(drawLineArt(), file("scans/a.png"));
    saveImage(hatching(30, 20), file("scans/b.png"));
    fs::copy_file(file("scans/a.png"), file("a.png"));
    fs::copy_file(file("scans/b.png"), file("b.png"));
    fs::create_directory_symlink(file("scans"), file("same"));
    fs::copy_file(file("scans/a.png"), file("flats/a.png")); // what an earlier batch wrote
    fs::create_hard_link(file("scans/b.png"), file("linked/b.png"));

    struct Batch {
        std::vector<std::string> inputs;
        std::string folder;
        std::vector<std::string> named;
    };
    const Batch batches[] = {
        {{"a.png", "b.png"}, ".", {"a.png"}},                         // the inputs' own folder
        {{"scans/a.png", "scans/b.png"}, "same", {"scans/a.png"}},    // a link to it
        {{"flats/a.png"}, "flats", {"flats/a.png"}},                  // a run over an earlier batch's outputs
        {{"scans/b.png"}, "linked", {"linked/b.png", "scans/b.png"}}, // a hard link to an input
        {{"scans/./a.png"}, "scans/../scans", {"scans/a.png"}},       // the same folder spelled otherwise
    };
    for (const Batch& batch : batches) {
        SCOPED_TRACE(batch.folder);
        std::vector<std::string> arguments = {"run"};
        for (const std::string& input : batch.inputs) {
            arguments.push_back(file(input));
        }
        arguments.insert(arguments.end(), {"--output-dir", file(batch.folder), "--tolerance", "3"});
        std::vector<std::string> named = {"--output-dir"};
        for (const std::string& name : batch.named) {
            named.push_back(name);
        }
        expectRefused(arguments, 2, named);
    }

    // Targets that are not regular files: a FIFO, links to devices, a folder.
    ASSERT_EQ(mkfifo(file("pipe.png").c_str(), 0600), 0);
    ASSERT_EQ(mkfifo(file("pipe.json").c_str(), 0600), 0);
    fs::create_symlink("/dev/null", file("null.json"));
    fs::create_symlink("/dev/full", file("full.png"));
    fs::create_directory(file("folder.png"));
    struct Target {
        std::vector<std::string> arguments;
        std::string named;
    };
    const Target targets[] = {
        {{"run", file("a.png"), "-o", file("pipe.png")}, "pipe.png"},
        {{"run", file("a.png"), "-o", file("out.png"), "--record", file("pipe.json")}, "pipe.json"},
        {{"run", file("a.png"), "-o", file("out.png"), "--record", file("null.json")}, "null.json"},
        {{"run", file("a.png"), "-o", file("folder.png")}, "folder.png"},
        {{"about", "--png", file("full.png")}, "full.png"},
        {{"dialog", "--png", file("pipe.png")}, "pipe.png"},
    };
    for (const Target& target : targets) {
        SCOPED_TRACE(target.named);
        expectRefused(target.arguments, 1, {target.named, "not a regular file"});
    }
    struct stat info {};
    ASSERT_EQ(stat("/dev/null", &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode)) << "/dev/null is still the device";

    // What a batch hands its children is no option a user can give.
    expectRefused({"run", file("a.png"), "--batch-item", "0", "-o", file("x.png")}, 2, {"--batch-item"});
}

// Crash: a file size limit (ulimit -f) is a write error with a message, and replaces nothing.
TEST_F(HostileUseClasses, AFileSizeLimitIsAWriteErrorThatReplacesNothing)
{
    saveImage(noise(300, 300), file("noise.png"));
    saveImage(noise(280, 300), file("noise2.png"));
    writeBytes(file("out.png"), keep);
    writeBytes(file("out.ora"), keep);
    fs::create_directory(file("batch"));
    const std::vector<std::vector<std::string>> runs = {
        {"run", file("noise.png"), "-o", file("out.png")},
        {"run", file("noise.png"), "-o", file("out.ora")},
        {"run", file("noise.png"), file("noise2.png"), "--output-dir", file("batch")},
    };
    for (const auto& arguments : runs) {
        SCOPED_TRACE(arguments[3]);
        const std::map<std::string, std::string> before = snapshot(work.path());
        CommandResult run;
        {
            FileSizeLimit limit(64 * 1024);
            run = vendrel(arguments);
        }
        EXPECT_EQ(run.signal, 0) << "killed by signal " << run.signal;
        EXPECT_EQ(run.exitCode, 1) << run.err;
        EXPECT_NE(run.err.find("File too large"), std::string::npos) << run.err;
        EXPECT_TRUE(snapshot(work.path()) == before) << "nothing replaced, nothing left: " << run.err;
    }
}

// Rows of dashes 5 pixels long and 3 apart, 6 rows apart: every dash is a piece of line of its own with two end
// points, each of which gap closing looks around as far as its width lets it.
HostImage dashes(int32_t side)
{
    HostImage image = HostImage::blank(side, side);
    for (int32_t y = 0; y < side; y += 6) {
        for (int32_t x = (y / 6 % 2) * 4; x < side; x += 8) {
            for (int32_t i = x; i < std::min(side, x + 5); ++i) {
                std::fill_n(image.pixel(i, y), 3, 0);
            }
        }
    }
    return image;
}

// Hang: gap closing at its widest finishes in seconds on a page of many end points; a signal to a batch reaches
// its running inputs and stops the batch with the signal's status, the parent's death takes its children with
// it, and a signal at any moment of a run (reading, stages, encoding, OpenRaster parts) acts within half a second.
TEST_F(HostileUseClasses, NothingHangsAndSignalsActPromptly)
{
    saveImage(dashes(500), file("dashes.png"));
    const auto closing = Clock::now();
    const CommandResult widest =
        vendrel({"run", file("dashes.png"), "-o", file("dashes-closed.png"), "--close-gaps", "255"});
    const double closingTook = std::chrono::duration<double>(Clock::now() - closing).count();
    EXPECT_EQ(widest.exitCode, 0) << widest.err;
    EXPECT_LT(closingTook, 8.0) << "--close-gaps 255 on 500 x 500 pixels of dashes";
    fs::remove(file("dashes.png"));
    fs::remove(file("dashes-closed.png"));

    fs::create_directory(file("pages"));
    for (const char* name : {"p1.png", "p2.png", "p3.png"}) {
        saveImage(hatching(900, 700), file(std::string("pages/") + name));
    }
    const std::vector<std::string> batch = {"run",
                                            file("pages/p1.png"),
                                            file("pages/p2.png"),
                                            file("pages/p3.png"),
                                            "--output-dir",
                                            file("flats"),
                                            "--format",
                                            "ora",
                                            "-j",
                                            "1",
                                            "--flats",
                                            "--tolerance",
                                            "40"};
    // The first input's run signals its parent once the filter has started: the parent alone gets the signal.
    for (auto [signal, status] : {std::pair{SIGTERM, 143}, std::pair{SIGHUP, 129}, std::pair{SIGINT, 130}}) {
        SCOPED_TRACE("signal " + std::to_string(signal));
        const CommandResult run = vendrel(batch, {{"VENDREL_TEST_SIGNAL_PARENT_AT_ROW", "1"},
                                                  {"VENDREL_TEST_PARENT_SIGNAL", std::to_string(signal)}});
        EXPECT_EQ(run.exitCode, status) << run.err;
        EXPECT_NE(run.err.find("2 not started"), std::string::npos) << run.err;
        EXPECT_TRUE(!fs::exists(file("flats")) || fs::is_empty(file("flats")))
            << "the running input stopped and wrote nothing: " << run.err;
    }
    // The parent killed outright: its running child follows it and writes nothing.
    const CommandResult killed = vendrel(
        batch, {{"VENDREL_TEST_SIGNAL_PARENT_AT_ROW", "1"}, {"VENDREL_TEST_PARENT_SIGNAL", std::to_string(SIGKILL)}});
    EXPECT_EQ(killed.signal, SIGKILL);
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (processRunningWith(work.path()) && Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_FALSE(processRunningWith(work.path())) << "a child outlived its killed parent";
    EXPECT_TRUE(!fs::exists(file("flats")) || fs::is_empty(file("flats")));

    // A single run through every step; a signal at several moments of it must end it quickly.
    saveImage(hatching(3500, 3500), file("page.png"));
    const std::vector<std::string> single = {"run",     file("page.png"), "-o", file("page.ora"), "--close-gaps", "5",
                                             "--flats", "--tolerance",    "40"};
    const auto started = Clock::now();
    ASSERT_EQ(vendrel(single).exitCode, 0);
    const double whole = std::chrono::duration<double>(Clock::now() - started).count();
    fs::rename(file("page.ora"), file("whole.ora"));
    for (double fraction : {0.1, 0.3, 0.5, 0.7, 0.85}) {
        SCOPED_TRACE("signal at " + std::to_string(fraction) + " of " + std::to_string(whole) + " s");
        std::unique_ptr<CommandProcess> run = start(single);
        std::this_thread::sleep_for(std::chrono::duration<double>(fraction * whole));
        const auto signalled = Clock::now();
        run->signal(SIGINT);
        const CommandResult result = run->wait();
        const double took = std::chrono::duration<double>(Clock::now() - signalled).count();
        // A run that ended just before the signal wrote its whole file; else it is cancelled and writes nothing.
        // Before the run has begun, and after it has ended, the signal's own action ends the command.
        if (result.exitCode == 0 || (result.signal == SIGINT && fs::exists(file("page.ora")))) {
            EXPECT_EQ(readBytes(file("page.ora")), readBytes(file("whole.ora")));
            fs::remove(file("page.ora"));
            continue;
        }
        EXPECT_TRUE(result.exitCode == 130 || result.signal == SIGINT) << result.exitCode << " " << result.err;
        EXPECT_FALSE(fs::exists(file("page.ora")));
        EXPECT_LT(took, 1.5) << "the signal took " << took << " s to act (half a second is the aim)";
    }
}

// Resources: images the memory cannot hold are refused before they are decoded, batches start no more runs than
// the memory holds and keep little per input, and swatch files are read and copied only as far as a run needs.
TEST_F(HostileUseClasses, MemoryTheFilesystemAndThousandsOfInputsStayBounded)
{
    // A 16000 x 16000 black JPEG: 4 MB of file, 768 MB of pixels. The vips command writes it in a process of its
    // own: a command's peak memory counts that of the process that started it, this test's.
    const CommandResult written =
        runVendrel({"black", file("huge.jpg"), "16000", "16000", "--bands", "3"}, {}, {}, "/usr/bin/vips");
    ASSERT_EQ(written.exitCode, 0) << written.err;
    saveImage(hatching(1000, 1000), file("page.png"));
    const std::string gigabyte = std::to_string(1ull << 30), small = std::to_string(70ull << 20);
    struct Case {
        std::vector<std::string> options;
        std::string memory;
        int exitCode;
        std::string said;
    };
    const Case cases[] = {
        {{"run", file("huge.jpg"), "-o", file("out.png")}, gigabyte, 1, "available (--max-megapixels"},
        {{"run", file("huge.jpg"), "-o", file("out.png"), "--max-megapixels", "200"}, "", 1, "--max-megapixels 200"},
        {{"run", file("page.png"), "-o", file("out.png"), "--max-megapixels", "0.9"}, "", 1, "1.0 megapixels"},
        {{"run", file("page.png"), "-o", file("out.png"), "--max-megapixels", "1.1"}, small, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options[1] + " " + c.memory);
        std::map<std::string, std::string> environment;
        if (!c.memory.empty()) {
            environment["VENDREL_TEST_MEMORY_AVAILABLE"] = c.memory;
        }
        const CommandResult run = vendrel(c.options, environment);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        EXPECT_NE(run.err.find(c.said), std::string::npos) << run.err;
        EXPECT_LT(run.maxRssKilobytes, 300 * 1024) << "refused before the pixels were decoded";
    }
    fs::remove(file("out.png"));

    // Two pages and memory for one run at a time: -j 2 is lowered to 1, and the summary says so.
    fs::copy_file(file("page.png"), file("page2.png"));
    const CommandResult lowered =
        vendrel({"run", file("page.png"), file("page2.png"), "--output-dir", file("out"), "-j", "2"},
                {{"VENDREL_TEST_MEMORY_AVAILABLE", small}});
    EXPECT_EQ(lowered.exitCode, 0) << lowered.err;
    EXPECT_NE(lowered.err.find("-j lowered from 2 to 1"), std::string::npos) << lowered.err;

    // Four thousand inputs: the batch keeps little for each. The first run stops the batch once it is going.
    std::vector<std::string> many = {"run", file("page.png")};
    for (int i = 0; i < 4000; ++i) {
        many.push_back(file("absent/page-" + std::to_string(i) + "-of-a-long-scanned-book.png"));
    }
    many.insert(many.end(), {"--output-dir", file("many"), "-j", "1"});
    // Under AddressSanitizer freed memory stays resident in its quarantine; keep that small so that only what the
    // batch holds counts (the option means nothing to other builds).
    const char* sanitizerOptions = std::getenv("ASAN_OPTIONS");
    const std::string smallQuarantine = std::string(sanitizerOptions ? sanitizerOptions : "") + ":quarantine_size_mb=1";
    const CommandResult stopped = vendrel(many, {{"VENDREL_TEST_SIGNAL_PARENT_AT_ROW", "1"},
                                                 {"VENDREL_TEST_PARENT_SIGNAL", "2"},
                                                 {"ASAN_OPTIONS", smallQuarantine}});
    EXPECT_EQ(stopped.exitCode, 130) << stopped.err.substr(0, 2000);
    EXPECT_LT(stopped.maxRssKilobytes, 200 * 1024) << "the batch held " << stopped.maxRssKilobytes << " kB";

    // A swatch file past any swatch file's size is refused without a copy; a large one is copied only as far as a
    // run reads it, so a file size limit far below its size does not stop the run.
    TempFolder temporary, elsewhere;
    const std::string sparse = elsewhere.file("sparse.aco");
    {
        std::ofstream(sparse, std::ios::binary).write("\0\1\0\1", 4);
    }
    fs::resize_file(sparse, 2ull << 30);
    expectRefused({"run", file("art.png"), "-o", file("x.png"), "--palette", sparse}, 2, {"--palette", "sparse.aco"},
                  {{"TMPDIR", temporary.path()}});
    EXPECT_TRUE(temporary.entries().empty()) << "nothing copied";
    std::vector<uint8_t> swatches =
        swatchFileBytes({{0, {0xC000, 0x4000, 0x4000, 0}, u""}, {0, {0x4000, 0xC000, 0x4000, 0}, u""}}, false);
    swatches.resize(20 << 20); // colours first, then padding no run reads
    writeBytes(file("large.aco"), swatches);
    CommandResult copied;
    {
        FileSizeLimit limit(4 << 20);
        copied = vendrel({"run", file("art.png"), "-o", file("x.png"), "--palette", file("large.aco")},
                         {{"TMPDIR", temporary.path()}});
    }
    EXPECT_EQ(copied.exitCode, 0) << copied.err;
}

// Wrong exit codes: a missing palette is a usage error wherever it is named, output that cannot be written fails
// the command, and a closed error stream does not kill it.
TEST_F(HostileUseClasses, ExitStatusesSayWhatHappened)
{
    writeText(file("action.json"), R"({"palette": "No Such Palette.aco"})");
    const std::vector<std::string> run = {"run", file("art.png"), "-o", file("out.png"), "--presets", presetsFolder};
    auto with = [&](std::vector<std::string> more) {
        std::vector<std::string> arguments = run;
        arguments.insert(arguments.end(), more.begin(), more.end());
        return arguments;
    };
    expectRefused(with({"--action", file("action.json")}), 2, {"No Such Palette.aco", "--action"});
    expectRefused(with({"--palette", "No Such Palette.aco"}), 2, {"No Such Palette.aco", "--palette"});

    // Standard output on a full device: whatever printed to it fails.
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {"info"}, {"palettes", "--presets", presetsFolder}, {"about"}, {"--help"}, {"run", "--help"}}) {
        SCOPED_TRACE(arguments[0]);
        const CommandResult full = vendrel(arguments, {}, CommandStreams{"/dev/full", -1, ""});
        EXPECT_EQ(full.exitCode, 1) << full.err;
        EXPECT_NE(full.err.find("standard output"), std::string::npos) << full.err;
    }

    // The error stream is a pipe nobody reads: the note cannot be written, and that is a failure, not a signal.
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    close(pipeEnds[0]);
    const CommandResult closed =
        vendrel({"run", file("art.png"), "-o", file("red.png"), "--fillcolor", "FF0000"}, {}, {"", pipeEnds[1], ""});
    close(pipeEnds[1]);
    EXPECT_EQ(closed.signal, 0) << "killed by signal " << closed.signal;
    EXPECT_EQ(closed.exitCode, 1);
}

// Unclear messages: quotes are cut to a line, what comes from files cannot act on the terminal, duplicates are
// refused, batches pass their inputs' notes on and check the palette once, and quiet failures are spoken.
TEST_F(HostileUseClasses, MessagesAreShortSafeAndSaySomething)
{
    auto hasControlCharacters = [](const std::string& text) {
        return std::any_of(text.begin(), text.end(), [](char c) { return (unsigned char)c < 0x20 && c != '\n'; });
    };
    const std::string huge((1 << 20) - 100, 'x'); // an action file may hold 1 MiB
    struct ActionCase {
        std::string text;
        std::string said;
    };
    const ActionCase actions[] = {
        {"{\"tolerance\": " + huge + "}", "not valid JSON"},
        {"{\"" + huge + "\": 1}", "is not a setting"},
        {"{\"palette\": \"\\u001b]0;owned\\u0007\\n\\u001b[2J.aco\"}", "\\x1B]0;owned\\x07\\x0A"},
        {R"({"tolerance": 10, "tolerance": 20})", "\"tolerance\" is given twice"},
    };
    for (const ActionCase& action : actions) {
        SCOPED_TRACE(action.said);
        writeText(file("action.json"), action.text);
        const CommandResult run =
            vendrel({"run", file("art.png"), "-o", file("out.png"), "--action", file("action.json")});
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_NE(run.err.find(action.said), std::string::npos) << run.err.substr(0, 300);
        EXPECT_LT(run.err.size(), 1000u) << "a message of " << run.err.size() << " bytes";
        EXPECT_FALSE(hasControlCharacters(run.err)) << run.err;
    }

    // Swatch file names and colour names that would start lines of their own or act on the terminal.
    TempFolder presets;
    fs::create_directory(presets.file("Color Swatches"));
    const std::vector<uint8_t> named =
        swatchFileBytes({{0, {0xFFFF, 0, 0, 0}, u"red\n  #00FF00 forged\x1b[31m"}}, true);
    writeBytes(presets.file("Color Swatches/inks\n  #0000FF forged.aco"), named);
    const CommandResult listed = vendrel({"palettes", "--presets", presets.path()});
    EXPECT_EQ(listed.exitCode, 0) << listed.err;
    EXPECT_FALSE(hasControlCharacters(listed.out)) << listed.out;
    EXPECT_EQ(listed.out.find("\n  #00FF00 forged"), std::string::npos) << listed.out;
    EXPECT_EQ(listed.out.find("\n  #0000FF forged"), std::string::npos) << listed.out;

    // A batch: each input's notes are passed on naming it; a bad palette is reported once, before any input.
    saveImage(drawLineArt(), file("second.png"));
    const CommandResult notes =
        vendrel({"run", file("art.png"), file("second.png"), "--output-dir", file("out"), "--fillcolor", "FF0000"});
    EXPECT_EQ(notes.exitCode, 0) << notes.err;
    for (const char* input :
         {"art.png: The color to fill was not found", "second.png: The color to fill was not found"}) {
        EXPECT_NE(notes.err.find(input), std::string::npos) << notes.err;
    }
    const CommandResult badPalette =
        vendrel({"run", file("art.png"), file("second.png"), "--output-dir", file("out2"), "--palette", "No Such.aco"});
    EXPECT_EQ(badPalette.exitCode, 2);
    size_t reported = 0;
    for (size_t at = badPalette.err.find("No Such.aco"); at != std::string::npos;
         at = badPalette.err.find("No Such.aco", at + 1)) {
        ++reported;
    }
    EXPECT_EQ(reported, 1u) << badPalette.err;

    // A picture into a missing folder names the folder.
    const CommandResult about = vendrel({"about", "--png", file("nodir/about.png")});
    EXPECT_EQ(about.exitCode, 1);
    EXPECT_NE(about.err.find("the folder " + file("nodir") + " does not exist"), std::string::npos) << about.err;

    // A palette whose every colour lies in the fill colour's window gives random colours: said, as for none.
    writeBytes(presets.file("Color Swatches/light.aco"),
               swatchFileBytes({{0, {0xF000, 0xF000, 0xF000, 0}, u""}, {0, {0xFFFF, 0xE800, 0xFFFF, 0}, u""}}, false));
    const CommandResult light = vendrel({"run", file("art.png"), "-o", file("light.png"), "--presets", presets.path(),
                                         "--palette", "light.aco", "--tolerance", "40"});
    EXPECT_EQ(light.exitCode, 0) << light.err;
    EXPECT_NE(light.err.find("light.aco: every colour lies in the fill colour's window"), std::string::npos)
        << light.err;

    // Where confirmed settings go: a relative XDG_CONFIG_HOME is ignored as the XDG rules say; settings that
    // cannot be kept are warned about.
    TempFolder home;
    const CommandResult relative =
        runVendrel({"run", file("art.png"), "-o", file("dialog.png"), "--dialog"},
                   {{"XDG_CONFIG_HOME", "relative"}, {"HOME", home.path()}}, {"", -1, work.path()});
    EXPECT_EQ(relative.exitCode, 0) << relative.err;
    EXPECT_FALSE(fs::exists(file("relative"))) << "the relative folder was used";
    EXPECT_TRUE(fs::exists(home.file(".config/Vendrel Prefs")));
    writeText(file("not-a-folder"), "");
    const CommandResult unkept = runVendrel({"run", file("art.png"), "-o", file("dialog.png"), "--dialog"},
                                            {{"XDG_CONFIG_HOME", file("not-a-folder")}});
    EXPECT_EQ(unkept.exitCode, 0) << unkept.err;
    EXPECT_NE(unkept.err.find("warning: the confirmed settings were not kept in " + file("not-a-folder")),
              std::string::npos)
        << unkept.err;
}

} // namespace
} // namespace vendrel::test

// Action files: descriptors as readable JSON named by the filter's terminology.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <nlohmann/json.hpp>

#include "hostcore_resource_bytes.h"
#include "vendrel/host/ActionFile.h"

namespace vendrel::test {
namespace {

using vendrel::Descriptor;
using vendrel::DescriptorObject;
using vendrel::HostError;

const vendrel::AeteInfo& Terminology()
{
    static const vendrel::AeteInfo terminology = vendrel::parseAete(filterAeteBytes());
    return terminology;
}

// A colour object; the filter closes the ones it records with an entry of key 0.
DescriptorObject Color(uint16_t red, uint16_t green, uint16_t blue, bool closingEntry)
{
    DescriptorObject color = vendrel::colorObject({red, green, blue});
    if (closingEntry)
        color.value->put(0, int32_t(0));
    return color;
}

// A descriptor the way the filter records one.
Descriptor Recorded()
{
    Descriptor descriptor;
    descriptor.put(PIFourCC("BckC"), Color(65535, 0, 0, true));
    descriptor.put(PIFourCC("Clr "), Color(65535, 0, 65535, true));
    descriptor.put(PIFourCC("PltF"), std::string("Pastels.aco"));
    descriptor.put(PIFourCC("Tlrn"), int32_t(10));
    descriptor.put(PIFourCC("RanD"), false);
    descriptor.put(PIFourCC("Ar  "), true);
    descriptor.put(PIFourCC("FlaG"), false);
    descriptor.put(PIFourCC("JoiN"), true);
    descriptor.put(PIFourCC("FlgS"), int32_t(20));
    descriptor.put(PIFourCC("JinS"), int32_t(10));
    return descriptor;
}

std::string ErrorOf(const std::string& text)
{
    try {
        vendrel::parseActionText(text, Terminology());
    } catch (const HostError& error) {
        return error.what();
    }
    return "";
}

TEST(ActionText, NamesComeFromTheTerminology)
{
    const nlohmann::json json = nlohmann::json::parse(vendrel::actionText(Recorded(), Terminology()));
    EXPECT_EQ(json["tolerance"], 10);
    EXPECT_EQ(json["fillcolor"], (nlohmann::json{{"red", 65535}, {"green", 0}, {"blue", 0}}));
    EXPECT_EQ(json["flagcolor"]["blue"], 65535);
    EXPECT_EQ(json["palette"], "Pastels.aco");
    EXPECT_EQ(json["randomcolors"], false);
    EXPECT_EQ(json["measurearea"], true);
    EXPECT_EQ(json["joinsize"], 10);
    EXPECT_EQ(json.size(), 10u);
}

TEST(ActionText, ARecordedDescriptorReplaysToTheSameSettings)
{
    const Descriptor back = vendrel::parseActionText(vendrel::actionText(Recorded(), Terminology()), Terminology());
    // The colour objects come back without the writer's empty closing entry; everything else is equal.
    const Descriptor recorded = Recorded();
    Descriptor expected;
    for (const Descriptor::Entry& entry : recorded.entries())
        if (entry.key != PIFourCC("BckC") && entry.key != PIFourCC("Clr "))
            expected.put(entry.key, entry.value);
    Descriptor withoutColors;
    for (const Descriptor::Entry& entry : back.entries())
        if (entry.key != PIFourCC("BckC") && entry.key != PIFourCC("Clr "))
            withoutColors.put(entry.key, entry.value);
    EXPECT_EQ(withoutColors, expected);
    ASSERT_NE(back.find(PIFourCC("BckC")), nullptr);
    const auto& fill = std::get<DescriptorObject>(*back.find(PIFourCC("BckC")));
    EXPECT_EQ(fill.classID, PIFourCC("RGBC"));
    EXPECT_EQ(*fill.value, *Color(65535, 0, 0, false).value);
}

TEST(ActionText, KeysKeepTheOrderOfTheFile)
{
    const Descriptor descriptor = vendrel::parseActionText(
        R"({"joinsize": 3, "palette": "", "tolerance": 0, "flagcolor": {"red": 1}})", Terminology());
    ASSERT_EQ(descriptor.entries().size(), 4u);
    EXPECT_EQ(descriptor.entries()[0].key, PIFourCC("JinS"));
    EXPECT_EQ(descriptor.entries()[1].key, PIFourCC("PltF"));
    EXPECT_EQ(descriptor.entries()[2].key, PIFourCC("Tlrn"));
    EXPECT_EQ(descriptor.entries()[3].key, PIFourCC("Clr "));
    const auto& flag = std::get<DescriptorObject>(descriptor.entries()[3].value);
    ASSERT_EQ(flag.value->entries().size(), 1u); // a partial colour stays partial
    EXPECT_EQ(std::get<int32_t>(flag.value->entries()[0].value), 1);
}

TEST(ActionText, ErrorsNameTheKeyAtFault)
{
    EXPECT_EQ(ErrorOf(R"({"tolerance": "ten"})"), "action file: \"tolerance\" must be an integer");
    EXPECT_EQ(ErrorOf(R"({"tolerance": 1.5})"), "action file: \"tolerance\" must be an integer");
    EXPECT_EQ(ErrorOf(R"({"tolerance": 2147483648})"), "action file: \"tolerance\" must be an integer");
    EXPECT_EQ(ErrorOf(R"({"tolerance": -2147483648})"), "");
    EXPECT_NE(ErrorOf(R"({"tolerence": 1})").find("\"tolerence\""), std::string::npos);
    EXPECT_NE(ErrorOf(R"({"randomcolors": 1})").find("\"randomcolors\""), std::string::npos);
    EXPECT_NE(ErrorOf(R"({"palette": 5})").find("\"palette\""), std::string::npos);
    EXPECT_NE(ErrorOf(R"({"fillcolor": [1, 2, 3]})").find("\"fillcolor\""), std::string::npos);
    EXPECT_NE(ErrorOf(R"({"fillcolor": {"red": 65536}})").find("\"fillcolor.red\""), std::string::npos);
    EXPECT_NE(ErrorOf(R"({"fillcolor": {"red": -1}})").find("\"fillcolor.red\""), std::string::npos);
    EXPECT_NE(ErrorOf(R"({"fillcolor": {"alpha": 1}})").find("\"alpha\""), std::string::npos);
    EXPECT_NE(ErrorOf("[1, 2]").find("JSON object"), std::string::npos);
    EXPECT_NE(ErrorOf("{\"tolerance\": ").find("not valid JSON"), std::string::npos);
}

TEST(ActionText, DescriptorsThatDoNotFitTheTerminologyAreRefused)
{
    Descriptor unknown;
    unknown.put(PIFourCC("Xtra"), int32_t(1));
    EXPECT_THROW(vendrel::actionText(unknown, Terminology()), HostError);
    Descriptor mistyped;
    mistyped.put(PIFourCC("Tlrn"), std::string("ten"));
    try {
        vendrel::actionText(mistyped, Terminology());
        FAIL() << "a text tolerance was written";
    } catch (const HostError& error) {
        EXPECT_NE(std::string(error.what()).find("\"tolerance\""), std::string::npos);
    }
}

TEST(ActionText, TextThatIsNotUtf8IsRefusedNamingTheKey)
{
    Descriptor descriptor;
    descriptor.put(PIFourCC("PltF"), std::string("Caf\x8E.aco")); // Mac Roman e-acute
    try {
        vendrel::actionText(descriptor, Terminology());
        FAIL() << "text that is not UTF-8 was written";
    } catch (const HostError& error) {
        EXPECT_NE(std::string(error.what()).find("\"palette\""), std::string::npos) << error.what();
    }
}

class ActionFiles : public ::testing::Test {
protected:
    void TearDown() override { std::filesystem::remove_all(folder); }
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("hostcore_actions_" + std::to_string(getpid()));
    void SetUp() override { std::filesystem::create_directories(folder); }
};

TEST_F(ActionFiles, AWrittenFileReadsBackAndLeavesNoTemporaryFile)
{
    const std::string path = (folder / "run.json").string();
    {
        std::ofstream old(path);
        old << "old contents";
    }
    vendrel::writeActionFile(path, Recorded(), Terminology());
    const Descriptor back = vendrel::readActionFile(path, Terminology());
    EXPECT_EQ(vendrel::actionText(back, Terminology()), vendrel::actionText(Recorded(), Terminology()));
    size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder))
        ++files;
    EXPECT_EQ(files, 1u);
}

TEST_F(ActionFiles, ReadErrorsNameTheFile)
{
    const std::string missing = (folder / "missing.json").string();
    try {
        vendrel::readActionFile(missing, Terminology());
        FAIL() << "a missing file was read";
    } catch (const HostError& error) {
        EXPECT_NE(std::string(error.what()).find(missing), std::string::npos);
    }
    const std::string bad = (folder / "bad.json").string();
    std::ofstream(bad) << R"({"tolerance": true})";
    try {
        vendrel::readActionFile(bad, Terminology());
        FAIL() << "a boolean tolerance was read";
    } catch (const HostError& error) {
        EXPECT_NE(std::string(error.what()).find(bad), std::string::npos);
        EXPECT_NE(std::string(error.what()).find("\"tolerance\" must be an integer"), std::string::npos);
    }
}

TEST_F(ActionFiles, WritingIntoAMissingFolderFailsClearly)
{
    EXPECT_THROW(vendrel::writeActionFile((folder / "no" / "such.json").string(), Recorded(), Terminology()),
                 HostError);
}

} // namespace
} // namespace vendrel::test

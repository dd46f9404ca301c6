// The resources the built module carries, read from the module file the way the host reads them, and the
// module's exported symbols.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "vendrel/host/PluginModule.h"

namespace vendrel::test {
namespace {

using Bytes = std::vector<uint8_t>;

// Expected bytes are spelled out below: numbers little-endian, four-character codes reversed as stored.
struct Expected {
    Bytes bytes;
    Expected& operator()(std::initializer_list<int> values)
    {
        for (int value : values)
            bytes.push_back(uint8_t(value));
        return *this;
    }
    Expected& operator()(const char* text)
    {
        bytes.insert(bytes.end(), text, text + std::strlen(text));
        return *this;
    }
};

Bytes ExpectedPropertyList()
{
    Expected e;
    e({1, 0})({0, 0, 0, 0})({9, 0, 0, 0});
    e("MIB8")("dnik")({0, 0, 0, 0})({4, 0, 0, 0})("MFB8");
    e("MIB8")("eman")({0, 0, 0, 0})({12, 0, 0, 0})({10})("Vendrel...")({0});
    e("MIB8")("gtac")({0, 0, 0, 0})({8, 0, 0, 0})({5})("Orvik")({0, 0});
    e("MIB8")("srev")({0, 0, 0, 0})({4, 0, 0, 0})({0, 0, 4, 0});
    e("MIB8")("68xw")({0, 0, 0, 0})({12, 0, 0, 0})("PluginMain")({0, 0});
    e("MIB8")("mtsh")({0, 0, 0, 0})({20, 0, 0, 0})({0, 0, 0, 0})("lrdV")("lrdV")({0x80, 0x3E})({0, 0, 0, 0, 0, 0});
    e("MIB8")("edom")({0, 0, 0, 0})({4, 0, 0, 0})({0x18, 0, 0, 0});
    e("MIB8")("lbne")({0, 0, 0, 0})({44, 0, 0, 0})("in (PSHOP_ImageMode, RGBMode, CMYKMode)")({0, 0, 0, 0, 0});
    e("MIB8")("icif")({0, 0, 0, 0})({28, 0, 0, 0});
    for (int filterCase = 0; filterCase < 7; ++filterCase)
        e({1, 1, 1, 0});
    return e.bytes;
}

Bytes ExpectedTerminology()
{
    Expected e;
    e({1, 0})({1, 0})({0, 0})({0, 0})({1, 0});
    e({5})("Orvik")({22})("Adobe example plug-ins")("lrdV")({1, 0})({1, 0})({1, 0});
    e({13})("Orvik Vendrel")({14})("vendrel plugin")("lrdV")("lrdV");
    e("llun")({0})({0, 0});
    e("RmI#")({0})({0x00, 0xB0});
    e({10, 0});
    e({9})("flagcolor")(" rlC")(" rlC")({10})("flag color")({0, 0});
    e({9})("fillcolor")("CkcB")(" rlC")({10})("fill color")({0, 0});
    e({7})("palette")("FtlP")(" htP")({17})("fill palette file")({0, 0});
    e({9})("tolerance")("nrlT")("gnol")({14})("fill tolerance")({0, 0});
    e({12})("randomcolors")("DnaR")("loob")({13})("random colors")({0, 0});
    e({11})("measurearea")("  rA")("loob")({12})("measure area")({0, 0});
    e({9})("flagareas")("GalF")("loob")({10})("flag areas")({0, 0});
    e({9})("joinareas")("NioJ")("loob")({10})("join areas")({0, 0});
    e({8})("flagsize")("SglF")("gnol")({9})("flag size")({0, 0});
    e({8})("joinsize")("SniJ")("gnol")({9})("join size")({0, 0});
    e({0, 0})({0, 0})({0, 0});
    return e.bytes;
}

// The dialog frame: version 1, at 0,0, 237 x 181, modal frame, caption, font and size, two push buttons.
Bytes ExpectedDialog()
{
    Expected e;
    e({1, 0})({0, 0})({0, 0})({237, 0})({181, 0})({1, 0, 0, 0});
    e({7, 0})("Vendrel")({13, 0})("MS Sans Serif")({8, 0})({2, 0});
    e({1, 0})({1, 0})({190, 0})({160, 0})({37, 0})({14, 0})({1, 0})({2, 0})("OK");
    e({2, 0})({1, 0})({145, 0})({160, 0})({38, 0})({14, 0})({0, 0})({6, 0})("Cancel");
    return e.bytes;
}

uint32_t U32At(const Bytes& bytes, size_t offset)
{
    return uint32_t(bytes[offset]) | uint32_t(bytes[offset + 1]) << 8 | uint32_t(bytes[offset + 2]) << 16 |
           uint32_t(bytes[offset + 3]) << 24;
}

uint16_t U16At(const Bytes& bytes, size_t offset)
{
    return uint16_t(bytes[offset] | bytes[offset + 1] << 8);
}

// The first differing offset, for a readable failure.
std::string FirstDifference(const Bytes& actual, const Bytes& expected)
{
    const size_t common = std::min(actual.size(), expected.size());
    for (size_t i = 0; i < common; ++i)
        if (actual[i] != expected[i]) {
            std::ostringstream text;
            text << "first difference at byte " << i << ": " << int(actual[i]) << " instead of " << int(expected[i]);
            return text.str();
        }
    return "sizes " + std::to_string(actual.size()) + " and " + std::to_string(expected.size());
}

class ResourcesModule : public ::testing::Test {
protected:
    static void SetUpTestSuite() { resources = vendrel::readModuleResources(VENDREL_MODULE_PATH); }
    static void TearDownTestSuite() { resources.clear(); }

    const Bytes& Resource(const char* type, int32_t id)
    {
        static const Bytes missing;
        const auto found = resources.find({type, id});
        if (found == resources.end()) {
            ADD_FAILURE() << "no resource " << type << " " << id;
            return missing;
        }
        return found->second;
    }

    static vendrel::ResourceMap resources;
};

vendrel::ResourceMap ResourcesModule::resources;

TEST_F(ResourcesModule, TheModuleCarriesExactlyItsFourResources)
{
    std::set<vendrel::ResourceKey> keys;
    for (const auto& [key, bytes] : resources)
        keys.insert(key);
    const std::set<vendrel::ResourceKey> expected = {
        {"PIPL", 16000}, {"AETE", 16000}, {"DLOG", 16001}, {"BMP ", 16009}};
    EXPECT_EQ(keys, expected);
}

TEST_F(ResourcesModule, PropertyListIsByteForByteTheTable)
{
    const Bytes& actual = Resource("PIPL", 16000);
    const Bytes expected = ExpectedPropertyList();
    EXPECT_EQ(expected.size(), 290u);
    EXPECT_TRUE(actual == expected) << FirstDifference(actual, expected);
}

TEST_F(ResourcesModule, TerminologyIsByteForByteTheTable)
{
    const Bytes& actual = Resource("AETE", 16000);
    const Bytes expected = ExpectedTerminology();
    EXPECT_TRUE(actual == expected) << FirstDifference(actual, expected);
}

TEST_F(ResourcesModule, DialogHasTheFrameCaptionFontAndButtons)
{
    const Bytes& actual = Resource("DLOG", 16001);
    const Bytes expected = ExpectedDialog();
    EXPECT_TRUE(actual == expected) << FirstDifference(actual, expected);
}

TEST_F(ResourcesModule, LogoIsA48By48BottomUp24BitBitmap)
{
    const Bytes& bitmap = Resource("BMP ", 16009);
    constexpr size_t kHeader = 40, kRowBytes = 48 * 3;
    ASSERT_EQ(bitmap.size(), kHeader + 48 * kRowBytes);
    EXPECT_EQ(U32At(bitmap, 0), 40u); // header size
    EXPECT_EQ(U32At(bitmap, 4), 48u); // width
    EXPECT_EQ(U32At(bitmap, 8), 48u); // height, positive: bottom-up
    EXPECT_EQ(U16At(bitmap, 12), 1);  // planes
    EXPECT_EQ(U16At(bitmap, 14), 24); // bits per pixel
    EXPECT_EQ(U32At(bitmap, 16), 0u); // no compression
    EXPECT_EQ(U32At(bitmap, 20), 48u * kRowBytes);
    EXPECT_EQ(U32At(bitmap, 32), 0u); // no colour table

    // A picture, not a blank: several flat colours, dark lines among them.
    std::set<uint32_t> colors;
    size_t dark = 0;
    for (size_t offset = kHeader; offset < bitmap.size(); offset += 3) {
        colors.insert(uint32_t(bitmap[offset]) | uint32_t(bitmap[offset + 1]) << 8 |
                      uint32_t(bitmap[offset + 2]) << 16);
        if (bitmap[offset] < 64 && bitmap[offset + 1] < 64 && bitmap[offset + 2] < 64)
            ++dark;
    }
    EXPECT_GE(colors.size(), 5u);
    EXPECT_GT(dark, 48u);
    EXPECT_LT(dark, 48u * 48u / 2);
}

TEST(ResourcesExports, TheModuleExportsOnlyPluginMain)
{
    const std::string command = std::string("nm -D --defined-only '") + VENDREL_MODULE_PATH + "' 2>&1";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    ASSERT_NE(pipe, nullptr);
    std::set<std::string> symbols;
    std::string output;
    char line[512];
    while (std::fgets(line, sizeof line, pipe.get())) {
        output += line;
        std::istringstream fields(line);
        std::string field, last;
        while (fields >> field)
            last = field;
        if (!last.empty())
            symbols.insert(last);
    }
    EXPECT_EQ(symbols, std::set<std::string>{"PluginMain"}) << output;
}

} // namespace
} // namespace vendrel::test

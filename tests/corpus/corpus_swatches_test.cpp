// Swatch files written by other tools: the filter's palette reader and the host's swatch reader on them.
#include <string>

#include "CPSPalette.h"
#include "SwatchColor.h"
#include "corpus_files.h"
#include "vendrel/host/SwatchFile.h"

namespace vendrel::test {
namespace {

using CorpusSwatchTest = CorpusTest<>;

void expectColor(const SwatchColor& color, uint16 id, uint16 a, uint16 b, uint16 c, uint16 d)
{
    EXPECT_EQ(color.colorSpace, id);
    EXPECT_EQ(color.components[0], a);
    EXPECT_EQ(color.components[1], b);
    EXPECT_EQ(color.components[2], c);
    EXPECT_EQ(color.components[3], d);
}

TEST_F(CorpusSwatchTest, PaletteLoadsTheVersionOneColours)
{
    const struct {
        const char* name;
        size_t count;
    } cases[] = {
        {"kdybicz_rgb.aco", 6},
        {"kdybicz_cmyk.aco", 6},
        {"kdybicz_grayscale.aco", 20},
        {"kdybicz_utf.aco", 3},
        {"kdybicz_utf-new.aco", 3},
        {"cpc_454306_iColorpalette.aco", 170},
        {"cpc_Material_Palette.aco", 256},
        {"cpc_Zeldman-v1.aco", 6},
        {"cpc_arne-v20-16.aco", 16},
        {"cpc_davis-colors-concrete-pigments.aco", 59},
        {"nsn_swatch-bw.aco", 2},
        {"nsn_swatch-hsb.aco", 1},
        {"nsn_swatch-lab.aco", 1},
        {"nsn_swatch-sn.aco", 8},
        {"1j01_NES.aco", 52},
        {"1j01_VisiBone2.aco", 256},
        {"1j01_nord.aco", 16},
        {"ase_sampleRgb.aco", 14},
        {"ase_sampleCmyk.aco", 14},
        {"ase_sampleLabOther.aco", 14},
        {"ase_sampleGrayLuma.aco", 14},
    };
    for (const auto& c : cases) {
        CPSPalette palette(corpusFile(std::string("aco/") + c.name).c_str());
        EXPECT_EQ(palette.Count(), c.count) << c.name;
    }
}

TEST_F(CorpusSwatchTest, PaletteRecordsReadAsDocumented)
{
    CPSPalette nes(corpusFile("aco/1j01_NES.aco").c_str());
    ASSERT_EQ(nes.Count(), 52u);
    SwatchColor color{};
    for (int i = 0; i < 52; ++i)
        nes.NextColor(color);
    expectColor(color, 1, 61319, 0, 0, 0);

    CPSPalette lab(corpusFile("aco/nsn_swatch-lab.aco").c_str());
    lab.NextColor(color);
    expectColor(color, 7, 7000, uint16(-3800), uint16(-2500), 0);

    CPSPalette cmyk(corpusFile("aco/ase_sampleCmyk.aco").c_str());
    cmyk.NextColor(color);
    expectColor(color, 2, 65535, 65535, 65535, 0);
}

TEST_F(CorpusSwatchTest, PhotoshopExportWithTrailerAndUnicodeNames)
{
    std::vector<Swatch> colors = readSwatchFile(corpusFile("aco/kdybicz_utf.aco"));
    ASSERT_EQ(colors.size(), 3u);
    for (const Swatch& swatch : colors) {
        EXPECT_EQ(swatch.colorSpace, 1) << "HSB";
    }
    bool polish = false, japanese = false;
    for (const Swatch& swatch : colors) {
        polish = polish || swatch.name == "Zażółć gęślą jaźń";
        japanese = japanese || swatch.name == "チェリー";
    }
    EXPECT_TRUE(polish);
    EXPECT_TRUE(japanese);
}

TEST_F(CorpusSwatchTest, NamesWithoutTerminators)
{
    std::vector<Swatch> colors = readSwatchFile(corpusFile("aco/cpc_arne-v20-16.aco"));
    ASSERT_EQ(colors.size(), 16u);
    EXPECT_EQ(colors[0].name, "Void");
    for (const Swatch& swatch : colors) {
        EXPECT_FALSE(swatch.name.empty());
    }
}

} // namespace
} // namespace vendrel::test

// The image library's start-up: the formats a run usually reads and writes need none of the library's optional
// modules, which are loaded only for a file that none of its own loaders reads.
#include <dlfcn.h>

#include <filesystem>
#include <vips/vips8>

#include "cli_fixture.h"

namespace vendrel::test {
namespace {

// A one-page PDF of 40 x 30 points with a vertical black stroke down its middle: a format that only the
// library's optional PDF module reads.
std::vector<uint8_t> strokePdf()
{
    const std::string stream = "0 0 0 RG 2 w 20 0 m 20 30 l S";
    const std::vector<std::string> objects = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 40 30] /Contents 4 0 R >>",
        "<< /Length " + std::to_string(stream.size()) + " >>\nstream\n" + stream + "\nendstream",
    };
    std::string pdf = "%PDF-1.4\n";
    std::string table = "xref\n0 5\n0000000000 65535 f \n";
    for (size_t i = 0; i < objects.size(); ++i) {
        char entry[32];
        std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", pdf.size());
        table += entry;
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const size_t tableOffset = pdf.size();
    pdf += table + "trailer\n<< /Size 5 /Root 1 0 R >>\nstartxref\n" + std::to_string(tableOffset) + "\n%%EOF\n";
    return std::vector<uint8_t>(pdf.begin(), pdf.end());
}

// Whether the library here has a PDF module: in the folder of modules beside the library itself.
bool pdfModuleInstalled()
{
    Dl_info info{};
    void* symbol = dlsym(RTLD_DEFAULT, "vips_init");
    if (symbol == nullptr || dladdr(symbol, &info) == 0 || info.dli_fname == nullptr) {
        return false;
    }
    const std::string folder =
        "vips-modules-" + std::to_string(vips_version(0)) + "." + std::to_string(vips_version(1));
    std::error_code error;
    return std::filesystem::exists(std::filesystem::path(info.dli_fname).parent_path() / folder / "vips-poppler.so",
                                   error);
}

class ImageLibraryTest : public CommandTest {};

TEST_F(ImageLibraryTest, RunsLoadTheOptionalModulesOnlyForAFileNoBuiltInLoaderReads)
{
    saveImage(drawLineArt(), file("art.png"));
    // The dynamic loader names every library it loads when LD_DEBUG asks it to.
    const std::map<std::string, std::string> loads = {{"LD_DEBUG", "files"}};
    for (const char* output : {"out.png", "out.tif", "out.jpg", "out.webp", "out.ora"}) {
        const CommandResult run = vendrel({"run", file("art.png"), "-o", file(output), "--flats"}, loads);
        // The command's own message comes last, after the loader's.
        ASSERT_EQ(run.exitCode, 0) << output << ": "
                                   << run.err.substr(run.err.size() - std::min<size_t>(run.err.size(), 2000));
        ASSERT_NE(run.err.find("file="), std::string::npos) << "LD_DEBUG said nothing";
        // A plain PNG to PNG run is read and written without the image library.
        EXPECT_EQ(run.err.find("libvips.so") == std::string::npos, std::string(output) == "out.png") << output;
        EXPECT_EQ(run.err.find("vips-modules"), std::string::npos) << output << " loaded an optional module";
    }

    if (!pdfModuleInstalled()) {
        GTEST_SKIP() << "the image library here has no PDF module";
    }
    writeBytes(file("stroke.pdf"), strokePdf());
    const CommandResult pdf = vendrel({"run", file("stroke.pdf"), "-o", file("pdf.png")}, loads);
    ASSERT_EQ(pdf.exitCode, 0) << pdf.err.substr(0, 2000);
    EXPECT_NE(pdf.err.find("vips-modules"), std::string::npos) << "the PDF was read without the modules?";
    const HostImage page = loadImage(file("pdf.png"));
    EXPECT_EQ(page.width, 40);
    EXPECT_EQ(page.height, 30);
}

} // namespace
} // namespace vendrel::test

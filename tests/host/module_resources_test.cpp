// The resource reader on module files written by the test: well-formed, truncated and corrupt.
#include <elf.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "hostcore_resource_bytes.h"
#include "vendrel/host/PluginModule.h"

namespace vendrel::test {
namespace {

using vendrel::HostError;
using vendrel::readModuleResources;

struct ElfLayout {
    std::vector<uint8_t> file;
    size_t sectionHeaders = 0; // offset of the section header table
    size_t resourceHeader = 0; // offset of the resource section's header
};

// A minimal ELF64 file: the header, the resource section's bytes, the section names and three section headers
// (null, the resource section, the name table).
ElfLayout buildElf(const std::vector<uint8_t>& sectionBytes, const std::string& sectionName = ".pi_resources")
{
    const std::string names = std::string("\0.shstrtab\0", 11) + sectionName + '\0';
    const size_t dataOffset = sizeof(Elf64_Ehdr);
    const size_t namesOffset = dataOffset + sectionBytes.size();
    size_t headersOffset = namesOffset + names.size();
    headersOffset = (headersOffset + 7) / 8 * 8;

    ElfLayout layout;
    layout.file.assign(headersOffset + 3 * sizeof(Elf64_Shdr), 0);
    Elf64_Ehdr header{};
    std::memcpy(header.e_ident, ELFMAG, SELFMAG);
    header.e_ident[EI_CLASS] = ELFCLASS64;
    header.e_ident[EI_DATA] = ELFDATA2LSB;
    header.e_ident[EI_VERSION] = EV_CURRENT;
    header.e_type = ET_DYN;
    header.e_machine = EM_X86_64;
    header.e_version = EV_CURRENT;
    header.e_ehsize = sizeof(Elf64_Ehdr);
    header.e_shoff = headersOffset;
    header.e_shentsize = sizeof(Elf64_Shdr);
    header.e_shnum = 3;
    header.e_shstrndx = 2;
    std::memcpy(layout.file.data(), &header, sizeof header);
    std::memcpy(layout.file.data() + dataOffset, sectionBytes.data(), sectionBytes.size());
    std::memcpy(layout.file.data() + namesOffset, names.data(), names.size());

    Elf64_Shdr sections[3]{};
    sections[1].sh_name = 11;
    sections[1].sh_type = SHT_PROGBITS;
    sections[1].sh_offset = dataOffset;
    sections[1].sh_size = sectionBytes.size();
    sections[2].sh_name = 1;
    sections[2].sh_type = SHT_STRTAB;
    sections[2].sh_offset = namesOffset;
    sections[2].sh_size = names.size();
    std::memcpy(layout.file.data() + headersOffset, sections, sizeof sections);
    layout.sectionHeaders = headersOffset;
    layout.resourceHeader = headersOffset + sizeof(Elf64_Shdr);
    return layout;
}

// A resource directory with a PIPL of 5 bytes (padded to 8) and a DLOG of 4 bytes.
std::vector<uint8_t> twoResourceDirectory()
{
    LittleEndianBytes out;
    out.text("PIRS").u32(1).u32(2);
    out.text("PIPL").u32(16000).u32(5).raw({1, 2, 3, 4, 5}).raw({0, 0, 0});
    out.text("DLOG").u32(16001).u32(4).raw({9, 8, 7, 6});
    return out.bytes();
}

class ModuleResources : public ::testing::Test {
protected:
    void TearDown() override { std::filesystem::remove(path); }

    std::string write(const std::vector<uint8_t>& bytes)
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return path;
    }

    // The error message of reading the file, or "" when it was read.
    std::string errorOf(const std::vector<uint8_t>& bytes)
    {
        try {
            readModuleResources(write(bytes));
        } catch (const HostError& error) {
            return error.what();
        }
        return "";
    }

    void patchU64(std::vector<uint8_t>& file, size_t offset, uint64_t value) { std::memcpy(&file[offset], &value, 8); }

    std::string path =
        (std::filesystem::temp_directory_path() / ("hostcore_resources_" + std::to_string(getpid()) + ".8bf")).string();
};

TEST_F(ModuleResources, ReadsEveryResourceOfTheDirectory)
{
    const vendrel::ResourceMap resources = readModuleResources(write(buildElf(twoResourceDirectory()).file));
    ASSERT_EQ(resources.size(), 2u);
    EXPECT_EQ(resources.at({"PIPL", 16000}), (std::vector<uint8_t>{1, 2, 3, 4, 5}));
    EXPECT_EQ(resources.at({"DLOG", 16001}), (std::vector<uint8_t>{9, 8, 7, 6}));
}

TEST_F(ModuleResources, MissingFileAndNonElfFilesNameTheFile)
{
    EXPECT_NE(errorOf({}).find(path), std::string::npos);
    std::filesystem::remove(path);
    try {
        readModuleResources(path);
        FAIL() << "a missing file was read";
    } catch (const HostError& error) {
        EXPECT_NE(std::string(error.what()).find(path), std::string::npos);
    }
    EXPECT_NE(errorOf(std::vector<uint8_t>(200, 'x')).find("not an ELF file"), std::string::npos);
}

TEST_F(ModuleResources, EveryTruncationOfTheFileIsRefused)
{
    const std::vector<uint8_t> whole = buildElf(twoResourceDirectory()).file;
    for (size_t size = 0; size < whole.size(); ++size) {
        const std::vector<uint8_t> cut(whole.begin(), whole.begin() + std::ptrdiff_t(size));
        EXPECT_NE(errorOf(cut), "") << "a file cut to " << size << " bytes was read";
    }
}

TEST_F(ModuleResources, AFileWithoutTheResourceSectionSaysSo)
{
    const std::string error = errorOf(buildElf(twoResourceDirectory(), ".other").file);
    EXPECT_NE(error.find("no resource section"), std::string::npos) << error;
}

TEST_F(ModuleResources, SectionsPointingOutsideTheFileAreRefused)
{
    ElfLayout layout = buildElf(twoResourceDirectory());
    patchU64(layout.file, layout.resourceHeader + offsetof(Elf64_Shdr, sh_offset), uint64_t(1) << 40);
    EXPECT_NE(errorOf(layout.file).find("outside the file"), std::string::npos);

    layout = buildElf(twoResourceDirectory());
    patchU64(layout.file, layout.resourceHeader + offsetof(Elf64_Shdr, sh_size), ~uint64_t(0));
    EXPECT_NE(errorOf(layout.file).find("outside the file"), std::string::npos);

    layout = buildElf(twoResourceDirectory());
    patchU64(layout.file, offsetof(Elf64_Ehdr, e_shoff), ~uint64_t(0) - 8);
    EXPECT_NE(errorOf(layout.file), "");
}

TEST_F(ModuleResources, CorruptDirectoriesAreRefusedWithTheReason)
{
    std::vector<uint8_t> directory = twoResourceDirectory();
    directory[0] = 'X';
    EXPECT_NE(errorOf(buildElf(directory).file).find("bad magic"), std::string::npos);

    directory = twoResourceDirectory();
    directory[4] = 2; // version 2
    EXPECT_NE(errorOf(buildElf(directory).file).find("version"), std::string::npos);

    directory = twoResourceDirectory();
    directory[8] = 3; // three entries announced, two present
    EXPECT_NE(errorOf(buildElf(directory).file).find("truncated"), std::string::npos);

    directory = twoResourceDirectory();
    directory[20] = 0xFF; // the PIPL's size runs past the section
    directory[23] = 0x7F;
    EXPECT_NE(errorOf(buildElf(directory).file).find("truncated"), std::string::npos);
}

TEST_F(ModuleResources, ADuplicateResourceIsRefused)
{
    LittleEndianBytes out;
    out.text("PIRS").u32(1).u32(2);
    out.text("PIPL").u32(16000).u32(4).raw({1, 2, 3, 4});
    out.text("PIPL").u32(16000).u32(4).raw({5, 6, 7, 8});
    EXPECT_NE(errorOf(buildElf(out.bytes()).file).find("twice"), std::string::npos);
}

TEST_F(ModuleResources, LoadingAFileWithoutAPropertyListFails)
{
    const std::string file = write(buildElf(LittleEndianBytes().text("PIRS").u32(1).u32(0).bytes()).file);
    try {
        vendrel::PluginModule::load(file);
        FAIL() << "a module without a property list was loaded";
    } catch (const HostError& error) {
        EXPECT_NE(std::string(error.what()).find("PIPL"), std::string::npos) << error.what();
    }
}

TEST(PluginModuleLoad, TheBuiltModuleNamesItsEntryPointAndModes)
{
    // The test program is built after the module: a module that cannot be loaded here is a broken module.
    std::unique_ptr<vendrel::PluginModule> module;
    ASSERT_NO_THROW(module = vendrel::PluginModule::load(VENDREL_MODULE_PATH));
    ASSERT_NE(module, nullptr);
    ASSERT_NE(module->entry(), nullptr);
    EXPECT_EQ(module->pipl().entryPoint, "PluginMain");
    EXPECT_EQ(module->pipl().name, "Vendrel...");
    EXPECT_TRUE(module->pipl().supportsMode(plugInModeRGBColor));
    EXPECT_TRUE(module->pipl().supportsMode(plugInModeCMYKColor));
    EXPECT_FALSE(module->pipl().supportsMode(plugInModeGrayScale));
}

} // namespace
} // namespace vendrel::test

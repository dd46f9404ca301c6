// Reads a module's resource directory from its ELF resource section without loading the module.
#include <elf.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>

#include "ByteReader.h"
#include "PIResources.h"
#include "vendrel/host/PluginModule.h"
#include "vendrel/host/RegularFile.h"

namespace vendrel {

namespace {

constexpr size_t kMaxModuleBytes = size_t(1) << 30;

std::vector<uint8_t> readWholeFile(const std::string& path)
{
    return readRegularFile(path, kMaxModuleBytes);
}

// Copies a structure out of the file after checking that it lies wholly inside.
template <typename T>
T structAt(const std::vector<uint8_t>& file, uint64_t offset, const std::string& path, const char* what)
{
    if (offset > file.size() || file.size() - offset < sizeof(T))
        throw HostError(path + ": " + what + " lies outside the file");
    T value;
    std::memcpy(&value, file.data() + offset, sizeof(T));
    return value;
}

struct SectionBytes {
    uint64_t offset = 0;
    uint64_t size = 0;
};

class ElfSections {
public:
    ElfSections(const std::vector<uint8_t>& file, const std::string& path) : file_(file), path_(path)
    {
        const auto header = structAt<Elf64_Ehdr>(file, 0, path, "the ELF header");
        if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0)
            throw HostError(path + ": not an ELF file");
        if (header.e_ident[EI_CLASS] != ELFCLASS64 || header.e_ident[EI_DATA] != ELFDATA2LSB)
            throw HostError(path + ": not a 64-bit little-endian ELF file");
        if (header.e_shoff == 0)
            throw HostError(path + ": the file has no section headers");
        if (header.e_shentsize < sizeof(Elf64_Shdr))
            throw HostError(path + ": section header entries are too small");
        tableOffset_ = header.e_shoff;
        entrySize_ = header.e_shentsize;
        // Counts too large for the header are kept in the first section header.
        const Elf64_Shdr first = section(0, "the first section header");
        count_ = header.e_shnum ? header.e_shnum : first.sh_size;
        if (count_ > (file.size() - std::min<uint64_t>(tableOffset_, file.size())) / entrySize_)
            throw HostError(path + ": the section header table lies outside the file");
        const uint64_t namesIndex = header.e_shstrndx == SHN_XINDEX ? first.sh_link : header.e_shstrndx;
        if (namesIndex >= count_)
            throw HostError(path + ": the section name table index is out of range");
        names_ = bytesOf(section(namesIndex, "the section name table"), "the section name table");
    }

    std::optional<SectionBytes> find(const std::string& name) const
    {
        for (uint64_t i = 0; i < count_; ++i) {
            const Elf64_Shdr header = section(i, "a section header");
            if (nameAt(header.sh_name) == name)
                return bytesOf(header, name.c_str());
        }
        return std::nullopt;
    }

private:
    Elf64_Shdr section(uint64_t index, const char* what) const
    {
        if (index > (UINT64_MAX - tableOffset_) / entrySize_)
            throw HostError(path_ + ": " + what + " lies outside the file");
        return structAt<Elf64_Shdr>(file_, tableOffset_ + index * entrySize_, path_, what);
    }

    SectionBytes bytesOf(const Elf64_Shdr& header, const char* what) const
    {
        if (header.sh_type == SHT_NOBITS)
            throw HostError(path_ + ": section " + what + " has no bytes in the file");
        if (header.sh_offset > file_.size() || file_.size() - header.sh_offset < header.sh_size)
            throw HostError(path_ + ": section " + what + " lies outside the file");
        return {header.sh_offset, header.sh_size};
    }

    std::string nameAt(uint32_t offset) const
    {
        if (offset >= names_.size)
            return {};
        const char* start = reinterpret_cast<const char*>(file_.data() + names_.offset + offset);
        return std::string(start, strnlen(start, size_t(names_.size - offset)));
    }

    const std::vector<uint8_t>& file_;
    const std::string& path_;
    uint64_t tableOffset_ = 0;
    uint64_t entrySize_ = 0;
    uint64_t count_ = 0;
    SectionBytes names_;
};

ResourceMap parseDirectory(const uint8_t* bytes, size_t size, const std::string& path)
{
    ByteReader in(bytes, size, path + ": resource directory");
    const std::vector<uint8_t> magic = in.bytes(4, "magic");
    if (std::memcmp(magic.data(), kPIResourceMagic, 4) != 0)
        in.fail("bad magic (expected \"" kPIResourceMagic "\")");
    const uint32_t version = in.u32("version");
    if (version != kPIResourceDirectoryVersion)
        in.fail("unsupported version " + std::to_string(version));
    const uint32_t count = in.u32("count");
    ResourceMap resources;
    for (uint32_t i = 0; i < count; ++i) {
        const std::vector<uint8_t> type = in.bytes(4, "resource type");
        const int32_t id = in.i32("resource id");
        const uint32_t length = in.u32("resource size");
        std::vector<uint8_t> data = in.bytes(length, "resource data");
        in.skip(std::min<size_t>((4 - length % 4) % 4, in.remaining()), "padding");
        ResourceKey key{std::string(type.begin(), type.end()), id};
        if (resources.count(key))
            in.fail("resource " + key.first + " " + std::to_string(id) + " appears twice");
        resources.emplace(std::move(key), std::move(data));
    }
    return resources;
}

} // namespace

ResourceMap readModuleResources(const std::string& modulePath)
{
    const std::vector<uint8_t> file = readWholeFile(modulePath);
    const ElfSections sections(file, modulePath);
    const std::optional<SectionBytes> section = sections.find(kPIResourceSectionName);
    if (!section)
        throw HostError(modulePath + ": the module has no resource section " kPIResourceSectionName);
    return parseDirectory(file.data() + section->offset, size_t(section->size), modulePath);
}

} // namespace vendrel

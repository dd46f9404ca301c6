// The preferences file's text form of the settings record: one line of sixteen items, then the palette name.
#include <cstring>
#include <istream>
#include <locale>
#include <ostream>
#include <sstream>
#include <variant>

#include "SettingsTable.h"
#include "VendrelParams.h"

namespace {

// Numbers are written and read as in the classic locale, whatever the stream was given; the stream gets its
// own locale back afterwards.
class ClassicLocale {
public:
    explicit ClassicLocale(std::ios& stream) : stream_(stream), saved_(stream.imbue(std::locale::classic())) {}
    ~ClassicLocale() { stream_.imbue(saved_); }
    ClassicLocale(const ClassicLocale&) = delete;
    ClassicLocale& operator=(const ClassicLocale&) = delete;

private:
    std::ios& stream_;
    std::locale saved_;
};

// A flag is stored as its raw byte (0x00 or 0x01), not as a digit.
void WriteFlag(std::ostream& out, bool flag)
{
    out.put(flag ? '\1' : '\0');
}

// A field takes the read value only when the read succeeds; after a failure every later read fails as well.
template <typename Number> void ReadNumber(std::istream& in, Number& field)
{
    Number value{};
    if (in >> value)
        field = value;
}

// The next character that is not white space, as a byte.
void ReadFlagByte(std::istream& in, uint8& field)
{
    char byte = 0;
    if (in >> byte)
        field = uint8(byte);
}

void ReadFlag(std::istream& in, bool& field)
{
    uint8 byte = field ? 1 : 0;
    ReadFlagByte(in, byte);
    field = byte != 0;
}

// The rest of the line, at most 255 characters; the line end is consumed. A line that is missing leaves the
// name as it was; a longer one keeps its first 255 characters and fails the stream.
void ReadPaletteLine(std::istream& in, char (&paletteFile)[kPaletteFileSize])
{
    if (!in)
        return;
    char line[kPaletteFileSize] = {};
    in.getline(line, kPaletteFileSize);
    if (in.gcount() > 0 || !in.fail())
        std::memcpy(paletteFile, line, kPaletteFileSize);
}

} // namespace

void CVendrelParams::WriteText(std::ostream& out) const
{
    ClassicLocale classic(out);
    out << signature << ' ' << version;
    const char* paletteName = nullptr;
    for (const SettingDefinition& setting : kSettings)
        std::visit(FieldVisitor{[&](const ColorField& color) {
                                    for (uint16 component : this->*color.field)
                                        out << ' ' << component;
                                },
                                // The name may hold spaces, so it has the second line to itself.
                                [&](const TextField& text) { paletteName = this->*text.field; },
                                [&](const FlagField& flag) {
                                    out << ' ';
                                    WriteFlag(out, this->*flag.field);
                                },
                                [&](const ByteField& byte) { out << ' ' << char(this->*byte.field); },
                                [&](const auto& number) { out << ' ' << this->*number.field; }},
                   setting.field);
    out << '\n';
    if (paletteName)
        out.write(paletteName, std::streamsize(strnlen(paletteName, kPaletteFileSize - 1)));
    out << '\n';
}

void CVendrelParams::ReadText(std::istream& in)
{
    ClassicLocale classic(in);
    ReadNumber(in, signature);
    ReadNumber(in, version);
    char(*paletteName)[kPaletteFileSize] = nullptr;
    for (const SettingDefinition& setting : kSettings)
        std::visit(FieldVisitor{[&](const ColorField& color) {
                                    for (uint16& component : this->*color.field)
                                        ReadNumber(in, component);
                                },
                                [&](const TextField& text) { paletteName = &(this->*text.field); },
                                [&](const FlagField& flag) { ReadFlag(in, this->*flag.field); },
                                [&](const ByteField& byte) { ReadFlagByte(in, this->*byte.field); },
                                [&](const auto& number) { ReadNumber(in, this->*number.field); }},
                   setting.field);
    in.ignore(1); // the line end after the first line
    if (paletteName)
        ReadPaletteLine(in, *paletteName);
    if (!IsValid())
        SetDefaults();
}

bool CVendrelParams::ReadWholeText(const std::string& text)
{
    std::istringstream in(text);
    CVendrelParams read;
    CopyParams(*this, read);
    read.ReadText(in);
    // Every read of a whole text succeeds, the last one ending at the palette line's line end; in a text cut
    // short one of them fails or meets the end of the text.
    if (!in.good())
        return false;
    CopyParams(read, *this);
    return true;
}

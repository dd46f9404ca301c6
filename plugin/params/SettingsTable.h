// Every setting of the filter, declared once: its scripting name, key and type, its field in the settings record
// with the default, the limits and the texts of its dialog item. The defaults, the descriptor's reader and writer,
// the preferences text, the terminology resource and the dialog all read this table.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>
#include <variant>

#include "PIActions.h"
#include "VendrelParams.h"

// The kinds of record field a setting lives in, each with its default (and, for numbers, the dialog's limits).
struct ColorField {
    uint16 (_SVendrelParams::*field)[3];
    std::array<uint16, 3> initial;
};
struct TextField {
    char (_SVendrelParams::*field)[kPaletteFileSize]; // starts empty
};
template <typename Number> struct NumberField {
    Number _SVendrelParams::*field;
    Number initial;
    int32 minimum; // what the dialog's entry field accepts
    int32 maximum;
};
struct FlagField {
    bool _SVendrelParams::*field;
    bool initial;
};
// A byte kept and stored as it is, read by nothing.
struct ByteField {
    uint8 _SVendrelParams::*field;
    uint8 initial;
};
using SettingField = std::variant<ColorField, TextField, NumberField<uint16>, NumberField<int32>, FlagField, ByteField>;

// A function object made of one lambda per field kind, for std::visit.
template <typename... Lambdas> struct FieldVisitor : Lambdas... {
    using Lambdas::operator()...;
};
template <typename... Lambdas> FieldVisitor(Lambdas...) -> FieldVisitor<Lambdas...>;

inline constexpr int kNotScripted = -1;

struct SettingDefinition {
    const char* name;        // the terminology's parameter name; empty for a field that is not scripted
    char key[5];             // the descriptor key
    char type[5];            // the terminology's type code
    const char* description; // the terminology's description
    SettingField field;
    const char* label; // the text the dialog shows for the setting, null when it has none of its own
    const char* tip;   // the dialog item's tooltip, null when it has none
    int terminologyAt; // position among the terminology's parameters (and the keys the reader asks for)
    int recordedAt;    // position among the recorded descriptor's entries
};

// In the record's layout order, which is also the order of the preferences text.
inline constexpr SettingDefinition kSettings[] = {
    {"fillcolor", "BckC", "Clr ", "fill color", ColorField{&_SVendrelParams::fillColor, {65535, 65535, 65535}},
     "Vendreled Color:", "Select color to replace with Vendrel", 1, 0},
    {"palette", "PltF", "Pth ", "fill palette file", TextField{&_SVendrelParams::paletteFile},
     "Color Palette:", "Select color pallete used for filling", 2, 2},
    {"tolerance", "Tlrn", "long", "fill tolerance", NumberField<uint16>{&_SVendrelParams::tolerance, 0, 0, 100},
     "Tolerance:", "Increase Tolerance if Vendrel does not find the desired area's.", 3, 3},
    {"", "", "", "", ByteField{&_SVendrelParams::reservedFlag, 0}, nullptr, nullptr, kNotScripted, kNotScripted},
    {"randomcolors", "RanD", "bool", "random colors", FlagField{&_SVendrelParams::randomColors, false}, "Random Colors",
     nullptr, 4, 4},
    {"measurearea", "Ar  ", "bool", "measure area", FlagField{&_SVendrelParams::measureArea, false}, "Area",
     "Select area's with pixel count smaller than selected size", 5, 5},
    {"flagareas", "FlaG", "bool", "flag areas", FlagField{&_SVendrelParams::flagAreas, false}, "Flag Areas <=", nullptr,
     6, 6},
    {"flagcolor", "Clr ", "Clr ", "flag color", ColorField{&_SVendrelParams::flagColor, {65535, 0, 65535}},
     "Color:", "Select color for flagged area's", 0, 1},
    {"flagsize", "FlgS", "long", "flag size", NumberField<int32>{&_SVendrelParams::flagSize, 20, 0, 10000}, nullptr,
     "Flag area size in pixels", 8, 8},
    {"joinareas", "JoiN", "bool", "join areas", FlagField{&_SVendrelParams::joinAreas, false}, "Join Areas <=", nullptr,
     7, 7},
    {"joinsize", "JinS", "long", "join size", NumberField<int32>{&_SVendrelParams::joinSize, 10, 0, 10000}, nullptr,
     "Area's up to this size will be joined in the same color as the nearest normal area", 9, 9},
};

inline constexpr size_t kSettingCount = std::size(kSettings);

constexpr bool IsScripted(const SettingDefinition& setting)
{
    return setting.terminologyAt != kNotScripted;
}

constexpr size_t CountScripted()
{
    size_t count = 0;
    for (const SettingDefinition& setting : kSettings)
        count += IsScripted(setting) ? 1 : 0;
    return count;
}

inline constexpr size_t kScriptedCount = CountScripted();

// The scripted settings in the order that one of the two positions gives.
template <int SettingDefinition::*Position> constexpr std::array<const SettingDefinition*, kScriptedCount> InOrder()
{
    std::array<const SettingDefinition*, kScriptedCount> order{};
    for (const SettingDefinition& setting : kSettings)
        if (IsScripted(setting))
            order[size_t(setting.*Position)] = &setting;
    return order;
}

inline constexpr auto kTerminologyOrder = InOrder<&SettingDefinition::terminologyAt>();
inline constexpr auto kRecordedOrder = InOrder<&SettingDefinition::recordedAt>();

// What the compiler checks of the table: each key and each position taken once, and each terminology type code
// matching the kind of field the setting lives in.
constexpr bool TypeMatchesField(const SettingDefinition& setting)
{
    const std::string_view type(setting.type, 4);
    return std::visit(FieldVisitor{[&](const ColorField&) { return type == "Clr "; },
                                   [&](const TextField&) { return type == "Pth "; },
                                   [&](const NumberField<uint16>&) { return type == "long"; },
                                   [&](const NumberField<int32>&) { return type == "long"; },
                                   [&](const FlagField&) { return type == "bool"; },
                                   [&](const ByteField&) { return !IsScripted(setting); }},
                      setting.field);
}

template <int SettingDefinition::*Position> constexpr bool EachPositionOnce()
{
    std::array<int, kScriptedCount> uses{};
    for (const SettingDefinition& setting : kSettings) {
        if (!IsScripted(setting))
            continue;
        const int position = setting.*Position;
        if (position < 0 || size_t(position) >= kScriptedCount || uses[size_t(position)]++ != 0)
            return false;
    }
    return true;
}

constexpr bool TypesMatchFields()
{
    for (const SettingDefinition& setting : kSettings)
        if (!TypeMatchesField(setting))
            return false;
    return true;
}

constexpr bool EachKeyOnce()
{
    for (const SettingDefinition& one : kSettings)
        for (const SettingDefinition& other : kSettings)
            if (&one != &other && IsScripted(one) && IsScripted(other) &&
                std::string_view(one.key, 4) == std::string_view(other.key, 4))
                return false;
    return true;
}

static_assert(EachKeyOnce());
static_assert(EachPositionOnce<&SettingDefinition::terminologyAt>());
static_assert(EachPositionOnce<&SettingDefinition::recordedAt>());
static_assert(TypesMatchFields());

// The setting of that name; naming one that is not in the table does not compile.
consteval const SettingDefinition& SettingNamed(std::string_view name)
{
    for (const SettingDefinition& setting : kSettings)
        if (name == setting.name)
            return setting;
    throw "no setting of that name";
}

// The field and default of a setting of a known kind; a kind that does not match does not compile.
template <typename Field> consteval const Field& FieldOf(std::string_view name)
{
    return std::get<Field>(SettingNamed(name).field);
}

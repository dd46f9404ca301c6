// Reads the settings that the host plays back from its scripting descriptor.
#include <algorithm>
#include <array>
#include <variant>

#include "CVendrel.h"
#include "DescriptorInterface.h"
#include "DescriptorKeys.h"
#include "PluginHandles.h"

namespace {

class SettingsReader {
public:
    SettingsReader(const ReadDescriptorProcs& procs, const PluginHandles& handles) : procs_(procs), handles_(handles) {}

    // Overlays every key of the descriptor that the record knows; other keys are skipped.
    void ReadAll(PIReadDescriptor reader, CVendrelParams& params) const
    {
        DescriptorKeyID key = 0;
        DescType type = 0;
        int32 flags = 0;
        while (procs_.getKeyProc(reader, &key, &type, &flags))
            ReadKey(reader, key, params);
    }

private:
    void ReadKey(PIReadDescriptor reader, DescriptorKeyID key, CVendrelParams& params) const
    {
        for (const SettingDefinition* setting : kTerminologyOrder)
            if (SettingKey(*setting) == key)
                ReadSetting(reader, *setting, params);
    }

    void ReadSetting(PIReadDescriptor reader, const SettingDefinition& setting, CVendrelParams& params) const
    {
        std::visit(
            FieldVisitor{[&](const ColorField& color) { ReadColor(reader, params.*color.field); },
                         [&](const TextField&) { ReadPaletteFile(reader, params); },
                         [&](const FlagField& flag) { params.*flag.field = ReadBoolean(reader, params.*flag.field); },
                         [&](const ByteField&) {},
                         [&]<typename Number>(const NumberField<Number>& number) {
                             params.*number.field = Number(ReadInteger(reader, params.*number.field));
                         }},
            setting.field);
    }

    // What the host's procedure delivers; the earlier value when it delivers nothing.
    int32 ReadInteger(PIReadDescriptor reader, int32 earlier) const
    {
        int32 value = earlier;
        procs_.getIntegerProc(reader, &value);
        return value;
    }

    bool ReadBoolean(PIReadDescriptor reader, bool earlier) const
    {
        Boolean value = earlier ? 1 : 0;
        procs_.getBooleanProc(reader, &value);
        return value != 0;
    }

    // A colour object of red, green and blue integers. The colour starts from black once the object can be
    // read, so that components it does not hold are 0; without an object the colour keeps its value.
    void ReadColor(PIReadDescriptor reader, uint16 (&color)[3]) const
    {
        PIDescriptorHandle object = nullptr;
        procs_.getObjectProc(reader, nullptr, &object);
        if (!object)
            return;
        DescriptorKeyID keys[] = {keyRed, keyGreen, keyBlue, 0};
        PIReadDescriptor components = procs_.openReadDescriptorProc(object, keys);
        if (components) {
            color[0] = color[1] = color[2] = 0;
            DescriptorKeyID key = 0;
            DescType type = 0;
            int32 flags = 0;
            while (procs_.getKeyProc(components, &key, &type, &flags)) {
                const int index = key == keyRed ? 0 : key == keyGreen ? 1 : key == keyBlue ? 2 : -1;
                if (index >= 0)
                    color[index] = uint16(ReadInteger(components, color[index]));
            }
            procs_.closeReadDescriptorProc(components);
        }
        handles_.Dispose(reinterpret_cast<Handle>(object));
    }

    // The text carries no NUL of its own; at most 255 characters are kept.
    void ReadPaletteFile(PIReadDescriptor reader, CVendrelParams& params) const
    {
        Handle text = nullptr;
        procs_.getTextProc(reader, &text);
        if (!text)
            return;
        char name[kPaletteFileSize] = {};
        const Ptr data = handles_.Lock(text);
        const int32 size = handles_.GetSize(text);
        const int32 count = data ? std::clamp<int32>(size, 0, int32(kPaletteFileSize) - 1) : 0;
        std::copy(data, data + count, name);
        name[count] = '\0';
        handles_.Unlock(text);
        handles_.Dispose(text);
        params.SetPaletteFile(name);
    }

    const ReadDescriptorProcs& procs_;
    const PluginHandles& handles_;
};

} // namespace

bool CVendrel::ReadDescriptor(CVendrelParams& params)
{
    PIDescriptorParameters* parameters = AvailableDescriptorParameters(filterRecord);
    if (!parameters)
        return true;
    const ReadDescriptorProcs& procs = *parameters->readDescriptorProcs;
    const PluginHandles handles(filterRecord->handleProcs);
    std::array<DescriptorKeyID, kScriptedCount + 1> keys = SettingKeys();
    PIReadDescriptor reader = procs.openReadDescriptorProc(parameters->descriptor, keys.data());
    if (reader) {
        SettingsReader(procs, handles).ReadAll(reader, params);
        procs.closeReadDescriptorProc(reader);
        // Reading consumes the descriptor: the host gets a new one only from WriteDescriptor.
        handles.Dispose(reinterpret_cast<Handle>(parameters->descriptor));
        parameters->descriptor = nullptr;
    }
    return parameters->playInfo == plugInDialogDisplay;
}

// Records the settings of a run in a new scripting descriptor, so that the host can play them back.
#include <algorithm>
#include <cstring>
#include <variant>

#include "CVendrel.h"
#include "DescriptorInterface.h"
#include "DescriptorKeys.h"
#include "PluginHandles.h"

namespace {

// The write procedures are only counted by the availability test, so each is checked before it is called.
class SettingsWriter {
public:
    SettingsWriter(const WriteDescriptorProcs& procs, const PluginHandles& handles, PIWriteDescriptor writer)
        : procs_(procs), handles_(handles), writer_(writer)
    {
    }

    void PutInteger(DescriptorKeyID key, int32 value) const
    {
        if (procs_.putIntegerProc)
            procs_.putIntegerProc(writer_, key, value);
    }

    void PutBoolean(DescriptorKeyID key, bool value) const
    {
        if (procs_.putBooleanProc)
            procs_.putBooleanProc(writer_, key, value ? 1 : 0);
    }

    // The text goes without a terminating NUL.
    void PutText(DescriptorKeyID key, const char* text, size_t length) const
    {
        if (!procs_.putTextProc)
            return;
        Handle handle = handles_.NewFrom(text, int32(length));
        if (!handle)
            return;
        procs_.putTextProc(writer_, key, handle);
        handles_.Dispose(handle);
    }

    // A colour as an object of class 'RGBC': red, green, blue and a closing entry with the all-zero key.
    void PutColor(DescriptorKeyID key, const uint16 (&color)[3]) const
    {
        if (!procs_.openWriteDescriptorProc || !procs_.closeWriteDescriptorProc || !procs_.putIntegerProc)
            return;
        PIWriteDescriptor components = procs_.openWriteDescriptorProc();
        if (!components)
            return;
        procs_.putIntegerProc(components, keyRed, color[0]);
        procs_.putIntegerProc(components, keyGreen, color[1]);
        procs_.putIntegerProc(components, keyBlue, color[2]);
        procs_.putIntegerProc(components, 0, 0);
        PIDescriptorHandle object = nullptr;
        if (procs_.closeWriteDescriptorProc(components, &object) != noErr || !object)
            return;
        // The host keeps its own copy of a stored object, and one it refused is of no further use.
        if (procs_.putObjectProc)
            procs_.putObjectProc(writer_, key, classRGBColor, object);
        handles_.Dispose(reinterpret_cast<Handle>(object));
    }

private:
    const WriteDescriptorProcs& procs_;
    const PluginHandles& handles_;
    PIWriteDescriptor writer_;
};

// The longest text a descriptor entry is given.
constexpr size_t kMaxTextLength = 32767;

void PutSetting(const SettingsWriter& put, const SettingDefinition& setting, const CVendrelParams& params)
{
    const DescriptorKeyID key = SettingKey(setting);
    std::visit(FieldVisitor{[&](const ColorField& color) { put.PutColor(key, params.*color.field); },
                            [&](const TextField& text) {
                                const char* name = params.*text.field;
                                put.PutText(key, name, strnlen(name, std::min(kPaletteFileSize, kMaxTextLength)));
                            },
                            [&](const FlagField& flag) { put.PutBoolean(key, params.*flag.field); },
                            [&](const ByteField&) {},
                            [&](const auto& number) { put.PutInteger(key, params.*number.field); }},
               setting.field);
}

} // namespace

void CVendrel::WriteDescriptor(const CVendrelParams& params)
{
    PIDescriptorParameters* parameters = AvailableDescriptorParameters(filterRecord);
    if (!parameters)
        return;
    const WriteDescriptorProcs& procs = *parameters->writeDescriptorProcs;
    if (!procs.openWriteDescriptorProc || !procs.closeWriteDescriptorProc)
        return;
    PIWriteDescriptor writer = procs.openWriteDescriptorProc();
    if (!writer)
        return;
    const PluginHandles handles(filterRecord->handleProcs);
    const SettingsWriter put(procs, handles, writer);

    for (const SettingDefinition* setting : kRecordedOrder)
        PutSetting(put, *setting, params);

    PIDescriptorHandle recorded = nullptr;
    procs.closeWriteDescriptorProc(writer, &recorded);
    handles.Dispose(reinterpret_cast<Handle>(parameters->descriptor));
    parameters->descriptor = recorded;
    parameters->recordInfo = plugInDialogOptional;
}

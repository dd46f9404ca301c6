// The descriptor read and write procedures. Readers and writers are host objects known by address; an address
// the host did not hand out (or already closed) is refused, never dereferenced.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <set>

#include "NoThrow.h"
#include "vendrel/host/Descriptor.h"
#include "vendrel/host/HostHandles.h"

namespace vendrel {

namespace {

struct Reader {
    Descriptor descriptor;
    size_t next = 0;                            // the entry get-key gives next
    const Descriptor::Entry* current = nullptr; // the entry get-key gave last
    OSErr firstError = noErr;
};

struct Writer {
    Descriptor descriptor;
};

std::set<Reader*>& liveReaders()
{
    static auto* readers = new std::set<Reader*>;
    return *readers;
}

std::set<Writer*>& liveWriters()
{
    static auto* writers = new std::set<Writer*>;
    return *writers;
}

Reader* readerFrom(PIReadDescriptor handle)
{
    auto* reader = reinterpret_cast<Reader*>(handle);
    return liveReaders().count(reader) ? reader : nullptr;
}

Writer* writerFrom(PIWriteDescriptor handle)
{
    auto* writer = reinterpret_cast<Writer*>(handle);
    return liveWriters().count(writer) ? writer : nullptr;
}

DescType typeOf(const DescriptorValue& value)
{
    static constexpr DescType types[] = {typeInteger, typeFloat,      typeUintFloat, typeBoolean, typeChar,
                                         typeAlias,   typeEnumerated, typeType,      typeObject};
    return types[value.index()];
}

// Runs a get procedure: finds the current value, lets convert fill the output, and remembers the first error.
template <typename Convert> OSErr readCurrent(PIReadDescriptor handle, Convert convert)
{
    Reader* reader = readerFrom(handle);
    if (!reader)
        return paramErr;
    const OSErr error = reader->current ? convert(reader->current->value) : OSErr(errAEDescNotFound);
    if (error != noErr && reader->firstError == noErr)
        reader->firstError = error;
    return error;
}

// The current value as a whole number: integers as they are, booleans as 0 or 1.
std::optional<int32_t> asInteger(const DescriptorValue& value)
{
    if (const auto* integer = std::get_if<int32_t>(&value))
        return *integer;
    if (const auto* boolean = std::get_if<bool>(&value))
        return *boolean ? 1 : 0;
    return std::nullopt;
}

// The current value as a real number: floats, unit floats and integers.
std::optional<double> asFloat(const DescriptorValue& value)
{
    if (const auto* real = std::get_if<double>(&value))
        return *real;
    if (const auto* unit = std::get_if<DescriptorUnitFloat>(&value))
        return unit->value;
    if (const auto* integer = std::get_if<int32_t>(&value))
        return double(*integer);
    return std::nullopt;
}

PIReadDescriptor openReadDescriptorProc(PIDescriptorHandle descriptor, DescriptorKeyIDArray keys)
{
    (void)keys; // every key is handed out in stored order, asked for or not
    std::optional<Descriptor> stored = descriptorFromHandle(descriptor);
    if (!stored)
        return nullptr;
    auto reader = std::make_unique<Reader>();
    reader->descriptor = std::move(*stored);
    liveReaders().insert(reader.get());
    return reinterpret_cast<PIReadDescriptor>(reader.release());
}

// Frees the reader only: the descriptor handle stays with whoever holds it.
OSErr closeReadDescriptorProc(PIReadDescriptor handle)
{
    Reader* reader = readerFrom(handle);
    if (!reader)
        return paramErr;
    const OSErr error = reader->firstError;
    liveReaders().erase(reader);
    delete reader;
    return error;
}

Boolean getKeyProc(PIReadDescriptor handle, DescriptorKeyID* key, DescType* type, int32* flags)
{
    Reader* reader = readerFrom(handle);
    if (!reader)
        return false;
    const auto& entries = reader->descriptor.entries();
    if (reader->next >= entries.size()) {
        reader->current = nullptr;
        return false;
    }
    reader->current = &entries[reader->next++];
    if (key)
        *key = reader->current->key;
    if (type)
        *type = typeOf(reader->current->value);
    if (flags)
        *flags = 0;
    return true;
}

// Hands a converted value to the plug-in: the wrong type when there is none, else make(value) into out when
// the plug-in gave somewhere to put it.
template <typename Value, typename Out, typename Make>
OSErr deliver(const std::optional<Value>& converted, Out* out, Make make)
{
    if (!converted)
        return errAEWrongDataType;
    if (out)
        *out = make(*converted);
    return noErr;
}

// A get procedure for a whole-number value; make turns it into what the plug-in asked for.
template <typename Out, typename Make> OSErr readInteger(PIReadDescriptor handle, Out* out, Make make)
{
    return readCurrent(handle, [&](const DescriptorValue& stored) { return deliver(asInteger(stored), out, make); });
}

// A real number pinned to the limits the plug-in gave (either may be absent).
double pinned(double real, const double* min, const double* max)
{
    if (min && real < *min)
        real = *min;
    if (max && real > *max)
        real = *max;
    return real;
}

// What every float getter answers: the value pinned to the limits given and, when asked, its unit (typeNull
// for a number that carries none).
OSErr unitFloat(const DescriptorValue& stored, DescType* unit, double* value, const double* min, const double* max)
{
    const auto* unitValue = std::get_if<DescriptorUnitFloat>(&stored);
    const std::optional<double> real = asFloat(stored);
    if (real && unit)
        *unit = unitValue ? unitValue->unit : typeNull;
    return deliver(real, value, [&](double number) { return pinned(number, min, max); });
}

// A get procedure for a value held as one alternative of the stored value; make picks what the plug-in asked for.
template <typename Alternative, typename Out, typename Make>
OSErr readAlternative(PIReadDescriptor handle, Out* out, Make make)
{
    return readCurrent(handle, [&](const DescriptorValue& stored) {
        const auto* held = std::get_if<Alternative>(&stored);
        return deliver(held ? std::optional<Alternative>(*held) : std::nullopt, out, make);
    });
}

OSErr getIntegerProc(PIReadDescriptor handle, int32* value)
{
    return readInteger(handle, value, [](int32_t integer) { return integer; });
}

OSErr getPinnedIntegerProc(PIReadDescriptor handle, int32 min, int32 max, int32* value)
{
    return readInteger(handle, value,
                       [&](int32_t integer) { return min <= max ? std::clamp(integer, min, max) : integer; });
}

OSErr getCountProc(PIReadDescriptor handle, uint32* value)
{
    return readInteger(handle, value, [](int32_t integer) { return uint32(integer); });
}

OSErr getBooleanProc(PIReadDescriptor handle, Boolean* value)
{
    return readInteger(handle, value, [](int32_t integer) { return Boolean(integer != 0); });
}

OSErr getFloatProc(PIReadDescriptor handle, double* value)
{
    return readCurrent(
        handle, [&](const DescriptorValue& stored) { return unitFloat(stored, nullptr, value, nullptr, nullptr); });
}

OSErr getPinnedFloatProc(PIReadDescriptor handle, const double* min, const double* max, double* value)
{
    return readCurrent(handle,
                       [&](const DescriptorValue& stored) { return unitFloat(stored, nullptr, value, min, max); });
}

OSErr getUnitFloatProc(PIReadDescriptor handle, DescType* unit, double* value)
{
    return readCurrent(handle,
                       [&](const DescriptorValue& stored) { return unitFloat(stored, unit, value, nullptr, nullptr); });
}

OSErr getPinnedUnitFloatProc(PIReadDescriptor handle, const double* min, const double* max, DescType* unit,
                             double* value)
{
    return readCurrent(handle, [&](const DescriptorValue& stored) { return unitFloat(stored, unit, value, min, max); });
}

// A new host handle holding the bytes; the caller disposes of it.
OSErr bytesHandle(const std::string& bytes, Handle* value)
{
    if (!value)
        return paramErr;
    Handle handle = newHostHandle(bytes.data(), bytes.size());
    if (!handle)
        return memFullErr;
    *value = handle;
    return noErr;
}

OSErr getTextProc(PIReadDescriptor handle, Handle* value)
{
    return readCurrent(handle, [&](const DescriptorValue& stored) -> OSErr {
        const auto* text = std::get_if<std::string>(&stored);
        return text ? bytesHandle(*text, value) : OSErr(errAEWrongDataType);
    });
}

OSErr getAliasProc(PIReadDescriptor handle, Handle* value)
{
    return readCurrent(handle, [&](const DescriptorValue& stored) -> OSErr {
        if (const auto* alias = std::get_if<DescriptorAlias>(&stored))
            return bytesHandle(alias->bytes, value);
        if (const auto* text = std::get_if<std::string>(&stored))
            return bytesHandle(*text, value);
        return errAEWrongDataType;
    });
}

OSErr getEnumeratedProc(PIReadDescriptor handle, DescType* value)
{
    return readAlternative<DescriptorEnum>(handle, value, [](const DescriptorEnum& held) { return held.value; });
}

OSErr getClassProc(PIReadDescriptor handle, DescType* value)
{
    return readAlternative<DescriptorClass>(handle, value, [](const DescriptorClass& held) { return held.value; });
}

// References are not kept in this host's descriptors.
OSErr getSimpleReferenceProc(PIReadDescriptor handle, PIDescriptorSimpleReference* value)
{
    (void)value;
    return readCurrent(handle, [](const DescriptorValue&) -> OSErr { return errAEWrongDataType; });
}

OSErr getObjectProc(PIReadDescriptor handle, DescType* classType, PIDescriptorHandle* value)
{
    return readCurrent(handle, [&](const DescriptorValue& stored) -> OSErr {
        const auto* object = std::get_if<DescriptorObject>(&stored);
        if (!object)
            return errAEWrongDataType;
        if (!value)
            return paramErr;
        PIDescriptorHandle nested = newDescriptorHandle(object->value ? *object->value : Descriptor{});
        if (!nested)
            return memFullErr;
        if (classType)
            *classType = object->classID;
        *value = nested;
        return noErr;
    });
}

OSErr getStringProc(PIReadDescriptor handle, Str255* value)
{
    return readCurrent(handle, [&](const DescriptorValue& stored) -> OSErr {
        const auto* text = std::get_if<std::string>(&stored);
        if (!text)
            return errAEWrongDataType;
        if (value) {
            const size_t length = std::min<size_t>(text->size(), 255);
            (*value)[0] = uint8_t(length);
            std::memcpy(*value + 1, text->data(), length);
        }
        return noErr;
    });
}

PIWriteDescriptor openWriteDescriptorProc()
{
    auto writer = std::make_unique<Writer>();
    liveWriters().insert(writer.get());
    return reinterpret_cast<PIWriteDescriptor>(writer.release());
}

OSErr closeWriteDescriptorProc(PIWriteDescriptor handle, PIDescriptorHandle* descriptor)
{
    Writer* writer = writerFrom(handle);
    if (!writer)
        return paramErr;
    PIDescriptorHandle written = newDescriptorHandle(writer->descriptor);
    liveWriters().erase(writer);
    delete writer;
    if (!written)
        return memFullErr;
    if (!descriptor) {
        disposeHostHandle(reinterpret_cast<Handle>(written));
        return paramErr;
    }
    *descriptor = written;
    return noErr;
}

OSErr put(PIWriteDescriptor handle, DescriptorKeyID key, DescriptorValue value)
{
    Writer* writer = writerFrom(handle);
    if (!writer)
        return paramErr;
    writer->descriptor.put(key, std::move(value));
    return noErr;
}

OSErr putIntegerProc(PIWriteDescriptor writer, DescriptorKeyID key, int32 value)
{
    return put(writer, key, int32_t(value));
}

OSErr putCountProc(PIWriteDescriptor writer, DescriptorKeyID key, uint32 value)
{
    return put(writer, key, int32_t(value));
}

OSErr putFloatProc(PIWriteDescriptor writer, DescriptorKeyID key, const double* value)
{
    return value ? put(writer, key, *value) : OSErr(paramErr);
}

OSErr putUnitFloatProc(PIWriteDescriptor writer, DescriptorKeyID key, DescType unit, const double* value)
{
    return value ? put(writer, key, DescriptorUnitFloat{unit, *value}) : OSErr(paramErr);
}

OSErr putBooleanProc(PIWriteDescriptor writer, DescriptorKeyID key, Boolean value)
{
    return put(writer, key, value != 0);
}

OSErr putTextProc(PIWriteDescriptor writer, DescriptorKeyID key, Handle text)
{
    if (!isLiveHostHandle(text))
        return paramErr;
    const std::vector<uint8_t> bytes = hostHandleBytes(text);
    return put(writer, key, std::string(bytes.begin(), bytes.end()));
}

OSErr putAliasProc(PIWriteDescriptor writer, DescriptorKeyID key, Handle alias)
{
    if (!isLiveHostHandle(alias))
        return paramErr;
    const std::vector<uint8_t> bytes = hostHandleBytes(alias);
    return put(writer, key, DescriptorAlias{std::string(bytes.begin(), bytes.end())});
}

OSErr putEnumeratedProc(PIWriteDescriptor writer, DescriptorKeyID key, DescType type, DescType value)
{
    return put(writer, key, DescriptorEnum{type, value});
}

OSErr putClassProc(PIWriteDescriptor writer, DescriptorKeyID key, DescType value)
{
    return put(writer, key, DescriptorClass{value});
}

OSErr putSimpleReferenceProc(PIWriteDescriptor writer, DescriptorKeyID key, const PIDescriptorSimpleReference* value)
{
    (void)writer, (void)key, (void)value;
    return errPlugInHostInsufficient;
}

// The object's entries are copied now; the caller still owns (and disposes of) the handle it passed.
OSErr putObjectProc(PIWriteDescriptor writer, DescriptorKeyID key, DescType classType, PIDescriptorHandle value)
{
    std::optional<Descriptor> object = descriptorFromHandle(value);
    if (!object)
        return paramErr;
    return put(writer, key, DescriptorObject{classType, std::make_shared<Descriptor>(std::move(*object))});
}

OSErr putStringProc(PIWriteDescriptor writer, DescriptorKeyID key, ConstStr255Param value)
{
    if (!value)
        return paramErr;
    return put(writer, key, std::string(reinterpret_cast<const char*>(value + 1), value[0]));
}

ReadDescriptorProcs gReadProcs = {kCurrentReadDescriptorProcsVersion,
                                  kCurrentReadDescriptorProcsCount,
                                  noThrow<openReadDescriptorProc>,
                                  noThrow<closeReadDescriptorProc>,
                                  noThrow<getKeyProc>,
                                  noThrow<getIntegerProc>,
                                  noThrow<getFloatProc>,
                                  noThrow<getUnitFloatProc>,
                                  noThrow<getBooleanProc>,
                                  noThrow<getTextProc>,
                                  noThrow<getAliasProc>,
                                  noThrow<getEnumeratedProc>,
                                  noThrow<getClassProc>,
                                  noThrow<getSimpleReferenceProc>,
                                  noThrow<getObjectProc>,
                                  noThrow<getCountProc>,
                                  noThrow<getStringProc>,
                                  noThrow<getPinnedIntegerProc>,
                                  noThrow<getPinnedFloatProc>,
                                  noThrow<getPinnedUnitFloatProc>};

WriteDescriptorProcs gWriteProcs = {kCurrentWriteDescriptorProcsVersion,
                                    kCurrentWriteDescriptorProcsCount,
                                    noThrow<openWriteDescriptorProc>,
                                    noThrow<closeWriteDescriptorProc>,
                                    noThrow<putIntegerProc>,
                                    noThrow<putFloatProc>,
                                    noThrow<putUnitFloatProc>,
                                    noThrow<putBooleanProc>,
                                    noThrow<putTextProc>,
                                    noThrow<putAliasProc>,
                                    noThrow<putEnumeratedProc>,
                                    noThrow<putClassProc>,
                                    noThrow<putSimpleReferenceProc>,
                                    noThrow<putObjectProc>,
                                    noThrow<putCountProc>,
                                    noThrow<putStringProc>,
                                    noThrow<putClassProc>,
                                    noThrow<putObjectProc>};

} // namespace

ReadDescriptorProcs* hostReadDescriptorProcs()
{
    return &gReadProcs;
}

WriteDescriptorProcs* hostWriteDescriptorProcs()
{
    return &gWriteProcs;
}

} // namespace vendrel

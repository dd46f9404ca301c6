// The scripting terminology: the readable names and types of a filter's descriptor keys.
#include "ByteReader.h"
#include "vendrel/host/PluginModule.h"

namespace vendrel {

namespace {

AeteParameter readParameter(ByteReader& in)
{
    AeteParameter parameter;
    parameter.name = in.pascalString("parameter name");
    parameter.key = in.u32("parameter key");
    parameter.type = in.u32("parameter type");
    parameter.description = in.pascalString("parameter description");
    parameter.flags = in.u16("parameter flags");
    return parameter;
}

// Reads one event; only the first event of the first suite is kept.
void readEvent(ByteReader& in, AeteInfo& info, bool keep)
{
    AeteInfo event;
    event.eventName = in.pascalString("event name");
    event.eventDescription = in.pascalString("event description");
    event.eventClass = in.u32("event class");
    event.eventID = in.u32("event id");
    in.u32("reply type");
    in.pascalString("reply description");
    in.u16("reply flags");
    in.u32("direct parameter type");
    in.pascalString("direct parameter description");
    in.u16("direct parameter flags");
    const uint16_t count = in.u16("parameter count");
    for (uint16_t i = 0; i < count; ++i)
        event.parameters.push_back(readParameter(in));
    if (!keep)
        return;
    info.eventName = std::move(event.eventName);
    info.eventDescription = std::move(event.eventDescription);
    info.eventClass = event.eventClass;
    info.eventID = event.eventID;
    info.parameters = std::move(event.parameters);
}

void skipClasses(ByteReader& in)
{
    const uint16_t classes = in.u16("class count");
    for (uint16_t c = 0; c < classes; ++c) {
        in.pascalString("class name");
        in.u32("class id");
        in.pascalString("class description");
        const uint16_t properties = in.u16("property count");
        for (uint16_t p = 0; p < properties; ++p)
            readParameter(in);
        const uint16_t elements = in.u16("element count");
        for (uint16_t e = 0; e < elements; ++e) {
            in.u32("element type");
            const uint16_t forms = in.u16("key form count");
            in.skip(size_t(forms) * 4, "key forms");
        }
    }
}

void skipComparisons(ByteReader& in)
{
    const uint16_t comparisons = in.u16("comparison count");
    for (uint16_t c = 0; c < comparisons; ++c) {
        in.pascalString("comparison name");
        in.u32("comparison id");
        in.u32("comparison type");
        in.pascalString("comparison description");
    }
}

void skipEnumerations(ByteReader& in)
{
    const uint16_t enumerations = in.u16("enumeration count");
    for (uint16_t e = 0; e < enumerations; ++e) {
        in.u32("enumeration id");
        const uint16_t enumerators = in.u16("enumerator count");
        for (uint16_t i = 0; i < enumerators; ++i) {
            in.pascalString("enumerator name");
            in.u32("enumerator id");
            in.pascalString("enumerator description");
        }
    }
}

void readSuite(ByteReader& in, AeteInfo& info, bool first)
{
    AeteInfo suite;
    suite.suiteName = in.pascalString("suite name");
    suite.suiteDescription = in.pascalString("suite description");
    suite.suiteID = in.u32("suite id");
    in.u16("suite level");
    in.u16("suite version");
    const uint16_t events = in.u16("event count");
    for (uint16_t e = 0; e < events; ++e)
        readEvent(in, suite, first && e == 0);
    skipClasses(in);
    skipComparisons(in);
    skipEnumerations(in);
    if (first)
        info = std::move(suite);
}

} // namespace

AeteInfo parseAete(const std::vector<uint8_t>& bytes)
{
    ByteReader in(bytes.data(), bytes.size(), "AETE");
    if (in.u16("resource version") != 1)
        in.fail("unsupported resource version");
    const uint8_t major = in.u8("major version");
    in.u8("minor version");
    if (major != 1)
        in.fail("unsupported terminology version " + std::to_string(major));
    in.u16("language");
    in.u16("script");
    const uint16_t suites = in.u16("suite count");
    AeteInfo info;
    for (uint16_t s = 0; s < suites; ++s)
        readSuite(in, info, s == 0);
    return info;
}

} // namespace vendrel

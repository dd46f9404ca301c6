// The scripting terminology: one suite "Orvik" with one event whose parameters are the scripted settings.
#include "Resources.h"
#include "SettingsTable.h"

namespace {

// Direct parameter flags: optional, a single item, enumerated, changes state.
constexpr uint16_t kDirectParameterFlags = 0xB000;

void Event(ResourceWriter& aete)
{
    aete.PascalString("Orvik Vendrel");
    aete.PascalString("vendrel plugin");
    aete.Code("Vdrl"); // class
    aete.Code("Vdrl"); // event
    aete.Code("null"); // reply type
    aete.PascalString("");
    aete.U16(0);
    aete.Code("#ImR"); // direct parameter type
    aete.PascalString("");
    aete.U16(kDirectParameterFlags);
    aete.U16(uint16_t(kTerminologyOrder.size()));
    for (const SettingDefinition* parameter : kTerminologyOrder) {
        aete.PascalString(parameter->name);
        aete.Code(parameter->key);
        aete.Code(parameter->type);
        aete.PascalString(parameter->description);
        aete.U16(0);
    }
}

} // namespace

ResourceBytes BuildTerminology()
{
    ResourceWriter aete;
    aete.I16(1);
    aete.U8(1); // version 1.0
    aete.U8(0);
    aete.U16(0); // language
    aete.U16(0); // script
    aete.U16(1); // suites
    aete.PascalString("Orvik");
    aete.PascalString("Adobe example plug-ins");
    aete.Code("Vdrl");
    aete.U16(1); // level
    aete.U16(1); // version
    aete.U16(1); // events
    Event(aete);
    aete.U16(0); // classes
    aete.U16(0); // comparison operators
    aete.U16(0); // enumerations
    return aete.Result();
}

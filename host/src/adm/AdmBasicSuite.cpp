// "ADM Basic Suite": alerts go to the front end of the call in progress.

#include "AdmSuites.h"
#include "vendrel/dialogtext/EntryText.h"
#include "HostContext.h"
#include "NoThrow.h"

namespace vendrel::adm {

namespace {

FrontEnd* frontEnd()
{
    HostContext* context = currentHostContext();
    return context ? context->frontEnd : nullptr;
}

void alert(const char* text)
{
    if (FrontEnd* front = frontEnd(); front && text)
        front->alert(text);
}

ASErr getIndexString(ADMPluginRef, int32, int32, char* text, int32 maxLength)
{
    copyToBuffer("", text, maxLength);
    return -1; // the host keeps no string lists for plug-ins
}

void beep() {}

// A question cannot be put to a front end that has only alerts; it is shown and answered "no".
ASBoolean questionAlert(const char* text)
{
    alert(text);
    return false;
}

const ADMBasicSuite5 suite = {noThrowError<getIndexString>, noThrow<beep>, noThrow<alert>, noThrow<alert>,
                              noThrow<questionAlert>};

} // namespace

const ADMBasicSuite5* basicSuite()
{
    return &suite;
}

} // namespace vendrel::adm

// The parameters and prepare selectors: gathering the settings, the main dialog and storing what was confirmed.
#include <string>

#include "CVendrel.h"
#include "CVendrelDialog.h"
#include "HostSuites.h"
#include "SwatchFolder.h"

namespace {

// Offers every swatch file of the host's swatch folder in the dialog's palette popup. A failure anywhere
// leaves the names offered before it and the dialog runs with them.
void OfferSwatchFiles(CVendrelDialog& dialog)
{
    try {
        ListSwatchFiles(SwatchFolderPath(), [&dialog](const std::string& name) { dialog.AddPalette(name.c_str()); });
    } catch (...) {
    }
}

} // namespace

int16 CVendrel::Parameters()
{
    // A run played without its dialog needs no dialog manager: only a dialog that must be shown ends here when
    // neither the host nor the module has one.
    const bool dialogManager = AcquireADMSuites();
    if (dialogManager && !sADMDialog)
        return -1;

    CVendrelDialog dialog(GetPluginRef());
    // Defaults, then the preferences file, then the descriptor: the later source wins.
    CVendrelParams params;
    ReadPrefs(params);
    if (!ReadDescriptor(params)) {
        WriteParameters(params);
        return noErr;
    }
    if (!dialogManager)
        return filterBadParameters;

    dialog.SetParams(&params);
    OfferSwatchFiles(dialog);
    if (!dialog.Run())
        return userCanceledErr;
    WritePrefs(params);
    WriteParameters(params);
    return noErr;
}

int16 CVendrel::Prepare()
{
    // The whole image is handed over in place; no extra memory is wanted.
    if (filterRecord) {
        filterRecord->maxSpace = 0;
        filterRecord->bufferSpace = 0;
    }
    return noErr;
}

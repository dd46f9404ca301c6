// What the own dialog manager needs from the platform it runs on: the module's dialog resources, and a window
// that shows a dialog and runs it modally.
#pragma once

#include <optional>

#include "DialogFrame.h"
#include "OwnModel.h"

namespace owndm {

class DialogPlatform {
public:
    // The frame of the module's dialog resource dialogID, when the module has a well-formed one.
    virtual std::optional<DialogFrame> FrameResource(int32 dialogID) = 0;
    // Shows the dialog and runs it until it ends (DialogModel::End), or returns at once when it cannot be shown.
    // The window is gone and detached from the dialog when this returns.
    virtual void RunModal(DialogModel& dialog) = 0;

protected:
    ~DialogPlatform() = default;
};

// The platform the suites use; set once, before the suites are handed out.
void InstallDialogPlatform(DialogPlatform* platform);
DialogPlatform* InstalledDialogPlatform();

} // namespace owndm

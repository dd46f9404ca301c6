// The own dialog manager's platform on Windows: dialog frames from the module's "DLOG" resources, dialogs shown
// as Windows dialog boxes.
#pragma once

#include "DialogPlatform.h"

namespace owndm {

class WindowsDialogPlatform final : public DialogPlatform {
public:
    std::optional<DialogFrame> FrameResource(int32 dialogID) override;
    void RunModal(DialogModel& dialog) override;
};

} // namespace owndm

#include "WindowsDialogPlatform_win.h"

#include "DialogWindow_win.h"
#include "OwnModule_win.h"

namespace owndm {

std::optional<DialogFrame> WindowsDialogPlatform::FrameResource(int32 dialogID)
{
    if (dialogID <= 0 || dialogID > 0xFFFF)
        return std::nullopt;
    const std::optional<std::vector<uint8_t>> bytes = OwnResourceBytes(L"DLOG", dialogID);
    return bytes ? ParseDialogFrame(bytes->data(), bytes->size()) : std::nullopt;
}

void WindowsDialogPlatform::RunModal(DialogModel& dialog)
{
    DialogWindow window(dialog);
    window.Run();
}

} // namespace owndm

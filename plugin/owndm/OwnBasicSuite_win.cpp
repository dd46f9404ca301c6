#include "OwnBasicSuite_win.h"

#include <windows.h>

#include "DialogPlatform.h"
#include "OwnNoThrow.h"
#include "vendrel/dialogtext/EntryText.h"
#include "PIResources.h"
#include "WideText_win.h"

namespace owndm {

namespace {

// The caption of the module's dialogs, which names the plug-in.
std::wstring AlertCaption()
{
    DialogPlatform* platform = InstalledDialogPlatform();
    const std::optional<DialogFrame> frame = platform ? platform->FrameResource(kPIDialogResourceID) : std::nullopt;
    return frame ? WideText(frame->caption) : std::wstring();
}

// A message box over the thread's active window; with none, it holds off the thread's other windows.
int ShowMessage(const char* text, UINT kind)
{
    if (!text)
        return 0;
    const HWND owner = GetActiveWindow();
    const std::wstring caption = AlertCaption();
    return MessageBoxW(owner, WideLines(text).c_str(), caption.empty() ? nullptr : caption.c_str(),
                       kind | (owner ? 0 : MB_TASKMODAL));
}

// The module keeps no string lists for the dialog manager to look in.
ASErr GetIndexString(ADMPluginRef, int32, int32, char* text, int32 maxLength)
{
    vendrel::copyToBuffer("", text, maxLength);
    return -1;
}

void Beep()
{
    MessageBeep(MB_OK);
}

void ErrorAlert(const char* text)
{
    ShowMessage(text, MB_OK | MB_ICONERROR);
}

void MessageAlert(const char* text)
{
    ShowMessage(text, MB_OK | MB_ICONINFORMATION);
}

ASBoolean QuestionAlert(const char* text)
{
    return ShowMessage(text, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

const ADMBasicSuite5 kSuite = {NoThrow<GetIndexString>, NoThrow<Beep>, NoThrow<ErrorAlert>, NoThrow<MessageAlert>,
                               NoThrow<QuestionAlert>};

} // namespace

const ADMBasicSuite5* WindowsBasicSuite()
{
    return &kSuite;
}

} // namespace owndm

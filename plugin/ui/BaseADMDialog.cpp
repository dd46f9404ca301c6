#include "BaseADMDialog.h"

#include "HostSuites.h"

ASErr BaseADMDialog::Init()
{
    sADMDialog->SetDrawProc(fDialog, Callbacks::DrawProc);
    sADMDialog->SetTrackProc(fDialog, Callbacks::TrackProc);
    sADMDialog->SetNotifyProc(fDialog, Callbacks::NotifyProc);
    sADMDialog->SetDestroyProc(fDialog, DestroyProc);
    return 0;
}

void BaseADMDialog::Draw(ADMDrawerRef drawer)
{
    sADMDialog->DefaultDraw(fDialog, drawer);
}

bool BaseADMDialog::Track(ADMTrackerRef tracker)
{
    return sADMDialog->DefaultTrack(fDialog, tracker) != 0;
}

void BaseADMDialog::Notify(ADMNotifierRef notifier)
{
    sADMDialog->DefaultNotify(fDialog, notifier);
}

BaseADMDialog::~BaseADMDialog()
{
    if (!fDialog || fModal || !sADMDialog)
        return;
    sADMDialog->SetUserData(fDialog, nullptr);
    sADMDialog->SetDrawProc(fDialog, nullptr);
    sADMDialog->SetNotifyProc(fDialog, nullptr);
    sADMDialog->SetDestroyProc(fDialog, nullptr);
    sADMDialog->Destroy(fDialog);
    fDialog = nullptr;
}

ADMDialogRef BaseADMDialog::Create(ADMPluginRef pluginRef, const char* name, int32 dialogID, int32 style, int32 options)
{
    fDialog = sADMDialog->Create(pluginRef, name, dialogID, style, Callbacks::InitProc, this, options);
    return fDialog;
}

int32 BaseADMDialog::Modal(ADMPluginRef pluginRef, const char* name, int32 dialogID, int32 style, int32 options)
{
    fModal = 1;
    return sADMDialog->Modal(pluginRef, name, dialogID, style, Callbacks::InitProc, this, options);
}

BaseADMDialog* BaseADMDialog::FromRef(ADMDialogRef dialog)
{
    return static_cast<BaseADMDialog*>(sADMDialog->GetUserData(dialog));
}

void BaseADMDialog::DestroyProc(ADMDialogRef dialog)
{
    BaseADMDialog* wrapper = FromRef(dialog);
    if (!wrapper)
        return;
    wrapper->Destroy();
    // A modal wrapper lives on its caller's stack and outlives its host dialog; a non-modal one goes with it.
    if (wrapper->fModal)
        wrapper->fDialog = nullptr;
    else
        delete wrapper;
}

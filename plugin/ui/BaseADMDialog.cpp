#include "BaseADMDialog.h"

#include "HostSuites.h"

ASErr BaseADMDialog::Init()
{
    sADMDialog->SetDrawProc(fDialog, DrawProc);
    sADMDialog->SetTrackProc(fDialog, TrackProc);
    sADMDialog->SetNotifyProc(fDialog, NotifyProc);
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
    fDialog = sADMDialog->Create(pluginRef, name, dialogID, style, InitProc, this, options);
    return fDialog;
}

int32 BaseADMDialog::Modal(ADMPluginRef pluginRef, const char* name, int32 dialogID, int32 style, int32 options)
{
    fModal = 1;
    return sADMDialog->Modal(pluginRef, name, dialogID, style, InitProc, this, options);
}

BaseADMDialog* BaseADMDialog::FromDialog(ADMDialogRef dialog)
{
    return static_cast<BaseADMDialog*>(sADMDialog->GetUserData(dialog));
}

ASErr BaseADMDialog::InitProc(ADMDialogRef dialog)
{
    BaseADMDialog* wrapper = FromDialog(dialog);
    if (!wrapper)
        return 0;
    wrapper->fDialog = dialog;
    return wrapper->Init();
}

void BaseADMDialog::DrawProc(ADMDialogRef dialog, ADMDrawerRef drawer)
{
    if (BaseADMDialog* wrapper = FromDialog(dialog))
        wrapper->Draw(drawer);
}

ASBoolean BaseADMDialog::TrackProc(ADMDialogRef dialog, ADMTrackerRef tracker)
{
    BaseADMDialog* wrapper = FromDialog(dialog);
    return wrapper ? wrapper->Track(tracker) : false;
}

void BaseADMDialog::NotifyProc(ADMDialogRef dialog, ADMNotifierRef notifier)
{
    if (BaseADMDialog* wrapper = FromDialog(dialog))
        wrapper->Notify(notifier);
}

void BaseADMDialog::DestroyProc(ADMDialogRef dialog)
{
    BaseADMDialog* wrapper = FromDialog(dialog);
    if (!wrapper)
        return;
    wrapper->Destroy();
    // A modal wrapper lives on its caller's stack and outlives its host dialog; a non-modal one goes with it.
    if (wrapper->fModal)
        wrapper->fDialog = nullptr;
    else
        delete wrapper;
}

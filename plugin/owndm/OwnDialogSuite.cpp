// "ADM Dialog Suite": dialogs, their callbacks and defaults, their items and the modal run.
#include "DrawSurface.h"
#include "OwnEvents.h"
#include "OwnLifecycle.h"
#include "OwnNoThrow.h"
#include "OwnSuites.h"

namespace owndm {

namespace {

// Applies a change to a live dialog; a reference to a dialog that is gone is ignored.
template <class Change> void ChangeDialog(ADMDialogRef ref, Change&& apply)
{
    if (DialogModel* dialog = DialogModel::FromRef(ref))
        apply(*dialog);
}

template <class Answer, class Read> Answer ReadDialog(ADMDialogRef ref, Answer whenGone, Read&& get)
{
    const DialogModel* dialog = DialogModel::FromRef(ref);
    return dialog ? get(*dialog) : whenGone;
}

ADMDialogRef Create(ADMPluginRef, const char* name, int32 dialogID, int32 style, ADMDialogInitProc initProc,
                    ADMUserData data, int32)
{
    DialogModel* dialog = CreateModelessDialog(name, dialogID, style, initProc, data);
    return dialog ? dialog->Ref() : nullptr;
}

int32 Modal(ADMPluginRef, const char* name, int32 dialogID, int32 style, ADMDialogInitProc initProc, ADMUserData data,
            int32)
{
    return RunModalDialog(name, dialogID, style, initProc, data);
}

void Destroy(ADMDialogRef ref)
{
    ChangeDialog(ref, [](DialogModel& dialog) { DestroyDialog(dialog); });
}

void SetDrawProc(ADMDialogRef ref, ADMDialogDrawProc proc)
{
    ChangeDialog(ref, [&](DialogModel& dialog) { dialog.procs.draw = proc; });
}

void SetTrackProc(ADMDialogRef ref, ADMDialogTrackProc proc)
{
    ChangeDialog(ref, [&](DialogModel& dialog) { dialog.procs.track = proc; });
}

void SetNotifyProc(ADMDialogRef ref, ADMDialogNotifyProc proc)
{
    ChangeDialog(ref, [&](DialogModel& dialog) { dialog.procs.notify = proc; });
}

void SetDestroyProc(ADMDialogRef ref, ADMDialogDestroyProc proc)
{
    ChangeDialog(ref, [&](DialogModel& dialog) { dialog.procs.destroy = proc; });
}

void DefaultDraw(ADMDialogRef ref, ADMDrawerRef drawer)
{
    if (DialogModel::FromRef(ref))
        DrawSurface::DrawDefaultThrough(drawer);
}

ASBoolean DefaultTrack(ADMDialogRef, ADMTrackerRef)
{
    return false;
}

void DefaultNotify(ADMDialogRef ref, ADMNotifierRef notifierRef)
{
    DialogModel* dialog = DialogModel::FromRef(ref);
    NotifierModel* notifier = NotifierModel::FromRef(notifierRef);
    if (dialog && notifier)
        DefaultDialogNotify(*dialog, *notifier);
}

void SetUserData(ADMDialogRef ref, ADMUserData data)
{
    ChangeDialog(ref, [&](DialogModel& dialog) { dialog.userData = data; });
}

ADMUserData GetUserData(ADMDialogRef ref)
{
    return ReadDialog<ADMUserData>(ref, nullptr, [](const DialogModel& dialog) { return dialog.userData; });
}

void SetLocalRect(ADMDialogRef ref, const ADMRect* rect)
{
    if (rect && IsOrdered(*rect))
        ChangeDialog(ref, [&](DialogModel& dialog) { dialog.SetLocalRect(*rect); });
}

void GetLocalRect(ADMDialogRef ref, ADMRect* rect)
{
    if (rect)
        ChangeDialog(ref, [&](DialogModel& dialog) { *rect = dialog.frame; });
}

ADMItemRef GetItem(ADMDialogRef ref, int32 itemID)
{
    DialogModel* dialog = DialogModel::FromRef(ref);
    ItemModel* item = dialog ? dialog->Item(itemID) : nullptr;
    return item ? item->Ref() : nullptr;
}

ADMItemRef CreateDialogItem(ADMDialogRef ref, int32 itemID, const char* itemType, const ADMRect* bounds,
                            ADMItemInitProc initProc, ADMUserData data, int32)
{
    return CreateItem(ref, itemID, itemType, bounds, initProc, data);
}

int32 GetDefaultItemID(ADMDialogRef ref)
{
    return ReadDialog<int32>(ref, 0, [](const DialogModel& dialog) { return dialog.defaultID; });
}

int32 GetCancelItemID(ADMDialogRef ref)
{
    return ReadDialog<int32>(ref, 0, [](const DialogModel& dialog) { return dialog.cancelID; });
}

void EndModal(ADMDialogRef ref, int32 modalResultID, ASBoolean)
{
    ChangeDialog(ref, [&](DialogModel& dialog) {
        if (dialog.modal)
            dialog.End(modalResultID);
    });
}

void Invalidate(ADMDialogRef ref)
{
    ChangeDialog(ref, [](DialogModel& dialog) { dialog.Invalidate(); });
}

const ADMDialogSuite5 kSuite = {
    NoThrow<Create>,           NoThrow<Modal>,           NoThrow<Destroy>,        NoThrow<SetDrawProc>,
    NoThrow<SetTrackProc>,     NoThrow<SetNotifyProc>,   NoThrow<SetDestroyProc>, NoThrow<DefaultDraw>,
    NoThrow<DefaultTrack>,     NoThrow<DefaultNotify>,   NoThrow<SetUserData>,    NoThrow<GetUserData>,
    NoThrow<SetLocalRect>,     NoThrow<GetLocalRect>,    NoThrow<GetItem>,        NoThrow<CreateDialogItem>,
    NoThrow<GetDefaultItemID>, NoThrow<GetCancelItemID>, NoThrow<EndModal>,       NoThrow<Invalidate>};

} // namespace

const ADMDialogSuite5* DialogSuite()
{
    return &kSuite;
}

} // namespace owndm

// "ADM Dialog Suite": dialogs, their callbacks and defaults, their items and the modal run.
#include "AdmDrawer.h"
#include "AdmEvents.h"
#include "AdmLifecycle.h"
#include "AdmModel.h"
#include "AdmSuites.h"
#include "NoThrow.h"

namespace vendrel::adm {

namespace {

ADMDialogRef create(ADMPluginRef, const char* name, int32 dialogID, int32 style, ADMDialogInitProc initProc,
                    ADMUserData data, int32)
{
    DialogModel* dialog = createDialog(name, dialogID, style, initProc, data);
    return dialog ? dialog->ref() : nullptr;
}

int32 modal(ADMPluginRef, const char* name, int32 dialogID, int32 style, ADMDialogInitProc initProc, ADMUserData data,
            int32)
{
    return runModalDialog(name, dialogID, style, initProc, data);
}

void destroy(ADMDialogRef ref)
{
    if (DialogModel* dialog = DialogModel::fromRef(ref))
        destroyDialog(*dialog);
}

void setDrawProc(ADMDialogRef ref, ADMDialogDrawProc proc)
{
    if (DialogModel* dialog = DialogModel::fromRef(ref))
        dialog->procs.draw = proc;
}

void setTrackProc(ADMDialogRef ref, ADMDialogTrackProc proc)
{
    if (DialogModel* dialog = DialogModel::fromRef(ref))
        dialog->procs.track = proc;
}

void setNotifyProc(ADMDialogRef ref, ADMDialogNotifyProc proc)
{
    if (DialogModel* dialog = DialogModel::fromRef(ref))
        dialog->procs.notify = proc;
}

void setDestroyProc(ADMDialogRef ref, ADMDialogDestroyProc proc)
{
    if (DialogModel* dialog = DialogModel::fromRef(ref))
        dialog->procs.destroy = proc;
}

// The dialog's own default look is the background the renderer has already painted.
void defaultDraw(ADMDialogRef ref, ADMDrawerRef drawerRef)
{
    if (DialogModel::fromRef(ref))
        DrawerModel::drawDefaultThrough(drawerRef);
}

ASBoolean defaultTrack(ADMDialogRef, ADMTrackerRef)
{
    return false;
}

void defaultNotify(ADMDialogRef ref, ADMNotifierRef notifierRef)
{
    DialogModel* dialog = DialogModel::fromRef(ref);
    NotifierModel* notifier = NotifierModel::fromRef(notifierRef);
    if (dialog && notifier)
        defaultDialogNotify(*dialog, *notifier);
}

void setUserData(ADMDialogRef ref, ADMUserData data)
{
    if (DialogModel* dialog = DialogModel::fromRef(ref))
        dialog->userData = data;
}

ADMUserData getUserData(ADMDialogRef ref)
{
    DialogModel* dialog = DialogModel::fromRef(ref);
    return dialog ? dialog->userData : nullptr;
}

// The local rectangle always starts at (0, 0); only its size is taken.
void setLocalRect(ADMDialogRef ref, const ADMRect* rect)
{
    DialogModel* dialog = DialogModel::fromRef(ref);
    if (!dialog || !rect || !isOrdered(*rect))
        return;
    dialog->frame = {0, 0, rect->right - rect->left, rect->bottom - rect->top};
    dialog->requestRedraw();
}

void getLocalRect(ADMDialogRef ref, ADMRect* rect)
{
    DialogModel* dialog = DialogModel::fromRef(ref);
    if (dialog && rect)
        *rect = toSdkRect(dialog->frame);
}

ADMItemRef getItem(ADMDialogRef ref, int32 itemID)
{
    DialogModel* dialog = DialogModel::fromRef(ref);
    ItemModel* item = dialog ? dialog->item(itemID) : nullptr;
    return item ? item->ref() : nullptr;
}

ADMItemRef createItem(ADMDialogRef ref, int32 itemID, const char* itemType, const ADMRect* bounds,
                      ADMItemInitProc initProc, ADMUserData data, int32)
{
    return adm::createItem(ref, itemID, itemType, bounds, initProc, data);
}

int32 getDefaultItemID(ADMDialogRef ref)
{
    DialogModel* dialog = DialogModel::fromRef(ref);
    return dialog ? dialog->defaultId : 0;
}

int32 getCancelItemID(ADMDialogRef ref)
{
    DialogModel* dialog = DialogModel::fromRef(ref);
    return dialog ? dialog->cancelId : 0;
}

void endModal(ADMDialogRef ref, int32 modalResultID, ASBoolean)
{
    DialogModel* dialog = DialogModel::fromRef(ref);
    if (dialog && dialog->modal)
        dialog->end(modalResultID);
}

void invalidate(ADMDialogRef ref)
{
    if (DialogModel* dialog = DialogModel::fromRef(ref)) {
        ++dialog->invalidations;
        dialog->requestRedraw();
    }
}

const ADMDialogSuite5 suite = {
    noThrow<create>,           noThrow<modal>,           noThrow<destroy>,        noThrow<setDrawProc>,
    noThrow<setTrackProc>,     noThrow<setNotifyProc>,   noThrow<setDestroyProc>, noThrow<defaultDraw>,
    noThrow<defaultTrack>,     noThrow<defaultNotify>,   noThrow<setUserData>,    noThrow<getUserData>,
    noThrow<setLocalRect>,     noThrow<getLocalRect>,    noThrow<getItem>,        noThrow<createItem>,
    noThrow<getDefaultItemID>, noThrow<getCancelItemID>, noThrow<endModal>,       noThrow<invalidate>};

} // namespace

const ADMDialogSuite5* dialogSuite()
{
    return &suite;
}

} // namespace vendrel::adm

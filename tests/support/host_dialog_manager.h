// The host's own dialog manager under the plug-in's dialog code: the host's suites, registered as the host
// registers them and acquired through its basic suite by the plug-in's own AcquireADMSuites, with a scripted
// front end for modal runs. What a test needs beyond that sits on the host's model: a dialog or item as a
// front end sees it, track callbacks called directly, the host tearing an object down on its own, and a look
// at each destroy request the plug-in makes.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "HostSuites.h"
#include "../../host/src/adm/AdmEvents.h" // the host's dialog model, its events and its suites
#include "../../host/src/adm/AdmLifecycle.h"
#include "../../host/src/adm/AdmLiveObjects.h"
#include "../../host/src/adm/AdmSuites.h"
#include "../../host/src/suites/BasicSuite.h"
#include "dialog_suites_host.h"

namespace vendrel::test {

// One at a time: the plug-in's suite pointers and the host's call context are process-wide.
class HostDialogManager : DialogSuitesHost {
public:
    HostDialogManager() : savedBasic_(sSPBasic), savedRegistry_(activeSuiteRegistry())
    {
        current = this;
        // The dialog and item suites are the host's, with destroy requests shown to the test first and the
        // default tracking's answer replaceable.
        dialogs_ = *adm::dialogSuite();
        dialogs_.Destroy = [](ADMDialogRef ref) {
            if (current->onDialogDestroyRequest)
                current->onDialogDestroyRequest(ref);
            adm::dialogSuite()->Destroy(ref);
        };
        dialogs_.DefaultTrack = [](ADMDialogRef ref, ADMTrackerRef tracker) -> ASBoolean {
            return current->defaultTrackAnswer.value_or(adm::dialogSuite()->DefaultTrack(ref, tracker));
        };
        items_ = *adm::itemSuite();
        items_.Destroy = [](ADMItemRef ref) {
            if (current->onItemDestroyRequest)
                current->onItemDestroyRequest(ref);
            adm::itemSuite()->Destroy(ref);
        };
        items_.DefaultTrack = [](ADMItemRef ref, ADMTrackerRef tracker) -> ASBoolean {
            return current->defaultTrackAnswer.value_or(adm::itemSuite()->DefaultTrack(ref, tracker));
        };
        registry.add(kADMDialogSuite, kADMDialogSuiteVersion5, &dialogs_);
        registry.add(kADMItemSuite, kADMItemSuiteVersion4, &items_);
        setActiveSuiteRegistry(&registry);
        sSPBasic = hostBasicSuite();
        if (!AcquireADMSuites())
            ADD_FAILURE() << "the plug-in could not acquire the host's dialog-manager suites";
    }

    ~HostDialogManager()
    {
        sADMBasic = nullptr;
        sADMDialog = nullptr;
        sADMEntry = nullptr;
        sADMList = nullptr;
        sADMItem = nullptr;
        sADMDrawer = nullptr;
        sADMNotifier = nullptr;
        sADMTracker = nullptr;
        sSPBasic = savedBasic_;
        setActiveSuiteRegistry(savedRegistry_);
        current = nullptr;
    }

    HostDialogManager(const HostDialogManager&) = delete;
    HostDialogManager& operator=(const HostDialogManager&) = delete;

    // A non-modal dialog (the default frame, OK and Cancel) whose notify callback counts what reaches it.
    ADMDialogRef openDialog()
    {
        ADMDialogRef ref = sADMDialog->Create(nullptr, "Test Dialog", 16001, 0, nullptr, nullptr, 0);
        sADMDialog->SetNotifyProc(ref, [](ADMDialogRef, ADMNotifierRef) { ++current->dialogNotifications; });
        return ref;
    }

    // The dialog or item as a front end sees it; null once the host has freed it.
    static AdmDialog* dialog(ADMDialogRef ref) { return adm::DialogModel::fromRef(ref); }
    static AdmItem* item(ADMItemRef ref) { return adm::ItemModel::fromRef(ref); }

    // The host tearing a dialog or an item down on its own, not at the plug-in's request.
    static void destroyByHost(ADMDialogRef ref) { adm::destroyDialog(*adm::DialogModel::fromRef(ref)); }
    static void destroyByHost(ADMItemRef ref)
    {
        adm::ItemModel* item = adm::ItemModel::fromRef(ref);
        item->dialog.destroyItem(*item);
    }

    // One tracker action through the item's track callback (the default's answer without one).
    static bool track(AdmItem& item, int32 action)
    {
        return adm::trackItem(static_cast<adm::ItemModel&>(item), action);
    }
    // The same for the dialog's own track callback, which this host's front ends never call: they track
    // items only.
    static bool track(AdmDialog& dialog, int32 action)
    {
        auto& model = static_cast<adm::DialogModel&>(dialog);
        adm::TrackerModel tracker(action, ADMPoint{0, 0});
        adm::ScopedLive live(&tracker, adm::Kind::tracker);
        return model.procs.track && model.procs.track(model.ref(), tracker.ref());
    }

    using DialogSuitesHost::frontEnd;
    // Replaces the host's default tracking answer (always false: none of its items changes on its own) to show
    // that the wrappers pass a host's answer on; only a stand-in host can show that.
    std::optional<bool> defaultTrackAnswer;
    // Run at each destroy request of the plug-in, before the host acts on it. The host frees an item right
    // after the item's destroy callback, so what a wrapper leaves on its item can be seen only here.
    std::function<void(ADMDialogRef)> onDialogDestroyRequest;
    std::function<void(ADMItemRef)> onItemDestroyRequest;
    int dialogNotifications = 0; // reaching openDialog's dialogs

private:
    static inline HostDialogManager* current = nullptr;

    SPBasicSuite* savedBasic_;
    const SuiteRegistry* savedRegistry_;
    ADMDialogSuite5 dialogs_{};
    ADMItemSuite4 items_{};
};

} // namespace vendrel::test

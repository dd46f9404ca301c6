// A small in-memory dialog manager for the dialog wrappers' unit tests: it keeps user data and callbacks per
// object, logs drawing, and counts the host calls that matter for ownership.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ADMSuites.h"

namespace vendrel::test {

struct FakeDialog;

struct FakeItem {
    FakeDialog* dialog = nullptr;
    int32 id = 0;
    std::string type;
    ADMRect bounds{0, 0, 0, 0};
    void* userData = nullptr;
    ADMItemDrawProc draw = nullptr;
    ADMItemTrackProc track = nullptr;
    ADMItemNotifyProc notify = nullptr;
    ADMItemDestroyProc destroy = nullptr;
    ADMItemTextToFloatProc textToFloat = nullptr;
    ADMItemFloatToTextProc floatToText = nullptr;
    bool enabled = true;
    int32 mask = 0x00020000;
    int destroyRequests = 0;
    bool destroying = false;
    bool destroyed = false;
    int invalidations = 0;
    int defaultNotifies = 0;
};

struct FakeDialog {
    void* userData = nullptr;
    ADMDialogDrawProc draw = nullptr;
    ADMDialogTrackProc track = nullptr;
    ADMDialogNotifyProc notify = nullptr;
    ADMDialogDestroyProc destroy = nullptr;
    std::vector<std::unique_ptr<FakeItem>> items;
    int destroyRequests = 0;
    bool destroying = false;
    bool destroyed = false;
};

struct FakeNotifier {
    FakeItem* item = nullptr;
    std::string type;
};

struct FakeTracker {
    int32 action = 0;
};

// Installs itself as the module's dialog-manager suites for its lifetime; one at a time.
class FakeADM {
public:
    FakeADM();
    ~FakeADM();
    FakeADM(const FakeADM&) = delete;
    FakeADM& operator=(const FakeADM&) = delete;

    static FakeADM& current();

    // What a modal run does between building the dialog and ending it.
    int32 modalResult = 1;
    std::vector<std::unique_ptr<FakeDialog>> dialogs;
    std::vector<std::string> drawLog; // "color 0", "rgb r g b", "frame l t r b", "fill l t r b"
    bool defaultTrackAnswer = false;
    int dialogDestroyCalls = 0;

    FakeDialog* dialogOf(ADMDialogRef ref) const { return reinterpret_cast<FakeDialog*>(ref); }
    FakeItem* itemOf(ADMItemRef ref) const { return reinterpret_cast<FakeItem*>(ref); }
    static ADMDialogRef ref(FakeDialog* dialog) { return reinterpret_cast<ADMDialogRef>(dialog); }
    static ADMItemRef ref(FakeItem* item) { return reinterpret_cast<ADMItemRef>(item); }

    FakeDialog* newDialog(ADMDialogInitProc init, void* userData);
    FakeItem* newItem(FakeDialog* dialog, const char* type, const ADMRect& bounds, ADMItemInitProc init,
                      void* userData);
    // The host destroying one item or a whole dialog, with their destroy callbacks.
    void destroyItem(FakeItem* item);
    void destroyDialog(FakeDialog* dialog);

    ADMDialogSuite5 dialogSuite{};
    ADMItemSuite4 itemSuite{};
    ADMDrawerSuite3 drawerSuite{};
    ADMNotifierSuite2 notifierSuite{};
    ADMTrackerSuite1 trackerSuite{};

private:
    int32 nextItemID_ = 100;
    friend struct FakeSuites;
};

} // namespace vendrel::test

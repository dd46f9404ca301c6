// A host with only the dialog-manager suites, and a plug-in's-eye view of them: the suites are acquired by
// name and version from a registry, and the calls the plug-in makes go through their function tables.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ADMSuites.h"
#include "dialog_suites_host.h"

namespace vendrel::test {

// Public throughout: the plug-in's callbacks are plain functions that reach the test through `current`.
class AdmSuitesTest : public ::testing::Test, public DialogSuitesHost {
public:
    void SetUp() override
    {
        basic = find<ADMBasicSuite5>(kADMBasicSuite, kADMBasicSuiteVersion5);
        dialogs = find<ADMDialogSuite5>(kADMDialogSuite, kADMDialogSuiteVersion5);
        entries = find<ADMEntrySuite2>(kADMEntrySuite, kADMEntrySuiteVersion2);
        lists = find<ADMListSuite1>(kADMListSuite, kADMListSuiteVersion1);
        items = find<ADMItemSuite4>(kADMItemSuite, kADMItemSuiteVersion4);
        drawers = find<ADMDrawerSuite3>(kADMDrawerSuite, kADMDrawerSuiteVersion3);
        notifiers = find<ADMNotifierSuite2>(kADMNotifierSuite, kADMNotifierSuiteVersion2);
        trackers = find<ADMTrackerSuite1>(kADMTrackerSuite, kADMTrackerSuiteVersion1);
        current = this;
    }

    void TearDown() override { current = nullptr; }

    template <class Suite> const Suite* find(const char* name, int32 version)
    {
        const auto* suite = static_cast<const Suite*>(registry.find(name, version));
        EXPECT_NE(suite, nullptr) << name << " " << version;
        return suite;
    }

    ADMItemRef createItem(ADMDialogRef dialog, const char* type, ADMRect bounds, int32 id = 0)
    {
        return dialogs->CreateItem(dialog, id, type, &bounds, nullptr, nullptr, 0);
    }

    int32 runModal(ADMDialogInitProc init, void* userData = nullptr, int32 dialogID = 16001)
    {
        return dialogs->Modal(nullptr, "Test Dialog", dialogID, 0, init, userData, 0);
    }

    // The test in progress, for the plug-in callbacks (plain functions without context, as the plug-in's).
    static AdmSuitesTest* current;

    std::vector<std::string> events; // what the callbacks saw, in order

    const ADMBasicSuite5* basic = nullptr;
    const ADMDialogSuite5* dialogs = nullptr;
    const ADMEntrySuite2* entries = nullptr;
    const ADMListSuite1* lists = nullptr;
    const ADMItemSuite4* items = nullptr;
    const ADMDrawerSuite3* drawers = nullptr;
    const ADMNotifierSuite2* notifiers = nullptr;
    const ADMTrackerSuite1* trackers = nullptr;
};

inline AdmSuitesTest* AdmSuitesTest::current = nullptr;

} // namespace vendrel::test

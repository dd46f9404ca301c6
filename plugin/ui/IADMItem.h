// A plain handle over a host item; owns nothing on the host side.
#pragma once

#include "ADMSuites.h"
#include "HostSuites.h"

class IADMItem {
public:
    explicit IADMItem(ADMItemRef item = nullptr) : fItem(item) {}

    ADMItemRef GetItemRef() const { return fItem; }

    void Enable(bool on = true) { sADMItem->Enable(fItem, on); }
    void Disable() { Enable(false); }
    bool GetBooleanValue() const { return sADMItem->GetBooleanValue(fItem) != 0; }
    void SetBooleanValue(bool on) { sADMItem->SetBooleanValue(fItem, on); }
    int32 GetIntValue() const { return sADMItem->GetIntValue(fItem); }
    int32 GetID() const { return sADMItem->GetID(fItem); }

protected:
    ADMItemRef fItem;
};

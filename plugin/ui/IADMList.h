// A plain handle over the host list inside a popup item.
#pragma once

#include "ADMTypes.h"

class IADMList {
public:
    explicit IADMList(ADMListRef list = nullptr) : fList(list) {}

    ADMListRef GetListRef() const { return fList; }

private:
    ADMListRef fList;
};

// Whether the host's scripting descriptor interface can be used for the current call.
#pragma once

#include "PIFilter.h"

// The descriptor parameters of the record when the interface is available: version 0, both procedure tables
// present, the read procedures of version 0 with at least 18 procedures all present, the write procedures of
// version 0 with at least 16. Null otherwise.
PIDescriptorParameters* AvailableDescriptorParameters(const FilterRecord* record);

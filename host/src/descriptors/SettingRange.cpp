#include "vendrel/host/SettingRange.h"

#include <limits>

namespace vendrel {

IntegerRange integerRange(const AeteParameter& parameter)
{
    if (parameter.name == "tolerance") {
        return {0, 65535};
    }
    return {0, std::numeric_limits<int32_t>::max()};
}

} // namespace vendrel

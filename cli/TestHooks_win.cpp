#include "TestHooks.h"

namespace vendrel {

void signalParent(int) {}

} // namespace vendrel

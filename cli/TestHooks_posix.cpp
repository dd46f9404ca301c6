#include <signal.h>
#include <unistd.h>

#include "TestHooks.h"

namespace vendrel {

void signalParent(int signal)
{
    kill(getppid(), signal);
}

} // namespace vendrel

// The reference build's walk: every area is flooded from its seed.
#include "WalkChoice.h"

bool UseLabelledWalk()
{
    return false;
}

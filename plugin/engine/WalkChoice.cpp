// The module's walk: areas are labelled row by row wherever that gives the flood's result.
#include "WalkChoice.h"

bool UseLabelledWalk()
{
    return true;
}

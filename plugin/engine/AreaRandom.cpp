#include "AreaRandom.h"

namespace {

uint32 gAreaRandomState = 1;

} // namespace

int32 AreaRandom()
{
    gAreaRandomState = gAreaRandomState * 214013u + 2531011u;
    return int32((gAreaRandomState >> 16) & 32767u);
}

uint32 AreaRandomState()
{
    return gAreaRandomState;
}

void SetAreaRandomState(uint32 state)
{
    gAreaRandomState = state;
}

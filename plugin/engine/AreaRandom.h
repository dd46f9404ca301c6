// The module's own pseudo-random generator for area colours: a linear congruential generator that starts
// from state 1 when the module is loaded and continues across runs while it stays loaded. Inline, as every
// area colour draws from it several times.
#pragma once

#include "PITypes.h"

// The generator's state: one for the whole module.
inline uint32 gAreaRandomState = 1;

// The next value, 0 to 32767.
inline int32 AreaRandom()
{
    gAreaRandomState = gAreaRandomState * 214013u + 2531011u;
    return int32((gAreaRandomState >> 16) & 32767u);
}

// The generator's present state.
inline uint32 AreaRandomState()
{
    return gAreaRandomState;
}

// Puts the generator back to a given state (1 is its state when the module is loaded).
inline void SetAreaRandomState(uint32 state)
{
    gAreaRandomState = state;
}

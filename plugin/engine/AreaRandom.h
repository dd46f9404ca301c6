// The module's own pseudo-random generator for area colours: a linear congruential generator that starts
// from state 1 when the module is loaded and continues across runs while it stays loaded.
#pragma once

#include "PITypes.h"

// The next value, 0 to 32767.
int32 AreaRandom();

// The generator's present state.
uint32 AreaRandomState();

// Puts the generator back to a given state (1 is its state when the module is loaded).
void SetAreaRandomState(uint32 state);

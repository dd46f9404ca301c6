// Whether the walk may label areas row by row (see AreaLabels.cpp) or floods each area. The module says
// yes; a reference build for tests says no, so that both ways can be compared on the same images.
#pragma once

bool UseLabelledWalk();

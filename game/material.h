#pragma once

#include <cstdint>

// Whether the pieces on the board can still mate: more than the kings and one knight or bishop
// per side.
bool genugMaterial(const int32_t *brett);

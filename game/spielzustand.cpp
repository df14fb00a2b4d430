#include "game/spielzustand.h"

int32_t materialBilanz = 0;
bool remisDroht = false;
int32_t standzeit[100] = {};
int32_t herkunft[100] = {};
bool fruehePhase = false;
bool eroeffnungsphase = false;

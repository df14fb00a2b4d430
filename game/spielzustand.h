#pragma once

#include <cstdint>

// Game state that the move execution rewrites after every move and that the engine job and the
// window read. The engine never reads these directly on its thread: the window copies them into the
// job's context when it starts a job.

// Sum of the signed codes of all pieces on the board (black minus white).
extern int32_t materialBilanz;
// The last draw test found the current position repeated once.
extern bool remisDroht;
// Per square, for the pieces of the side to move other than pawns and kings: half-moves since the
// piece arrived, and the square it came from.
extern int32_t standzeit[100];
extern int32_t herkunft[100];
// Move number within the first half of the opening phase, and within the whole of it.
extern bool fruehePhase;
extern bool eroeffnungsphase;

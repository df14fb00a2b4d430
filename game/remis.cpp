#include "game/controller.h"

#include "game/history.h"
#include "game/material.h"
#include "game/spielzustand.h"

#include <cstdlib>

bool genugMaterial(const int32_t *brett)
{
    int leichteFiguren[2] = {0, 0};
    for (int feld = 22; feld <= 99; ++feld) {
        const int32_t art = std::abs(brett[feld]);
        if (art == BAUER || art == TURM || art == DAME)
            return true;
        if ((art == PFERD || art == LAEUFER) && ++leichteFiguren[brett[feld] > 0] > 1)
            return true;
    }
    return false;
}

// Called with the move made on the board and before its history entry exists: the shown entry
// holds the position before the move.
bool Controller::pruefeRemis(int32_t bewegteFigur, int32_t geschlagen)
{
    remisDroht = false;
    if (!genugMaterial(spielBrett))
        return true;
    if (std::abs(bewegteFigur) != BAUER && !geschlagen && historie->halfMoveClockAtCurrent() >= 100)
        return true;
    return historie->checkRepetition(aktuelleFen(bewegteFigur < 0), remisDroht);
}

#pragma once

#include "app/einstellungen.h"
#include "app/languages.h"
#include "app/rueckfragen.h"
#include "engine/abbrechen.h"
#include "game/history.h"
#include "game/spielzustand.h"

#include <algorithm>

// Every global of the program back to its state at start-up, so no test sees what an earlier one
// left behind.
inline void setzeGlobaleZurueck()
{
    einstellungen = Einstellungen();
    appVerzeichnis.clear();
    schreibrechtGefunden = false;
    pgnStartDatei.clear();
    einstellungenNurLesen = false;
    currentIndex = lastIndex = 0;
    materialBilanz = 0;
    remisDroht = false;
    std::fill(std::begin(standzeit), std::end(standzeit), 0);
    std::fill(std::begin(herkunft), std::end(herkunft), 0);
    fruehePhase = eroeffnungsphase = false;
    abbrechen = false;
    Languages::instance()->leere();
    setzeRueckfragen(nullptr);
}

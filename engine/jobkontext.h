#pragma once

#include <QString>

#include <cstdint>

// Everything an engine job reads from the game and the settings, copied on the GUI thread when
// the job starts. The human may move, step through the game or change a setting while a
// suggestion is still being computed; the job keeps working on the state it was started with.
struct JobKontext
{
    int schwierigkeit = 2;
    int zufall = 30;
    bool htmlWertetabelle = false;
    int startEnde = 7;
    bool eroeffnungsphase = false;
    bool fruehePhase = false;
    int32_t standzeit[100] = {};
    int32_t herkunft[100] = {};
    int32_t currentIndex = 0;
    // Where the evaluation report goes (the data folder, ending with a separator).
    QString datenordner;
    quint32 zufallsKeim = 0;
};

#pragma once

#include "engine/abbrechen.h"

#include <QString>

#include <cstdint>
#include <functional>

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
    // Threads that search the root moves side by side; the result is the same for any number.
    int threads = 1;
    // The stop request the job answers to; callers that pass none stop it through the global
    // flag.
    const std::atomic<bool> *abbruch = &abbrechen;
    // Tests only: the first search's time in ms, which then decides the deepening instead of
    // the clock, and the root time limit is off, so the result depends on the position alone.
    // Negative: measured.
    qint64 ersteSuchzeit = -1;
    // Tests only: runs just before the deeper search starts.
    std::function<void()> vorVertiefung;
};

// The threads the search uses for a setting (0: one per core), at least 1, at most
// MAX_SUCH_THREADS.
constexpr int MAX_SUCH_THREADS = 64;
int suchThreads(int einstellung);

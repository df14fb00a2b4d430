#pragma once

#include "engine/abbrechen.h"

#include "core/zug.h"

#include <QString>
#include <QVector>

#include <cstdint>
#include <functional>

// One search pass of a job has ended: what it found, for a front end that shows the engine at
// work.
struct Suchstand
{
    int tiefe = 0;      // plies searched in full before the capture-only leaves
    qint64 ms = 0;      // since the job started
    quint64 knoten = 0; // calls of suche so far
    int32_t wert = 0;   // the best root move's score, for the side to move
    QVector<Zug> linie; // the best root move and the replies the search expects
};

// What a front end that drives the engine itself may ask of a job: the deepest search in plies
// (0: the level's), the calls of suche after which it stops as if asked to (0: no limit), and a
// report after each completed search pass, called on the job's thread (empty: none).
struct Suchvorgaben
{
    int tiefe = 0;
    quint64 knoten = 0;
    std::function<void(const Suchstand &)> fortschritt;
};

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
    Suchvorgaben vorgaben;
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

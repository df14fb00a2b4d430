#pragma once

#include "core/zug.h"

#include <QtGlobal>

// The engine's choices around the search: how deep to search, whether to search once more, and
// the occasional weaker move at the easiest level.

// A level from an edited ini file may lie anywhere; the engine plays the nearest real one.
int begrenzteStufe(int schwierigkeit);

// Depth of the first search. A check needs one ply more to see its consequences.
int suchtiefe(int stufe, bool istVorschlag, bool schach);

// The one deeper search a job may add after the first.
struct Vertiefung
{
    bool aktiv = false;
    // The deeper search takes the evaluated candidates in order and stops at the root time limit.
    bool mitVorgabe = false;
    int zusatz = 0; // extra plies
};

// Whether a first search that took `ms` milliseconds over `anzahl` root moves (`besterZug`
// first) is followed by a deeper one.
Vertiefung pruefeVertiefung(int stufe, bool fruehePhase, const Zug &besterZug, int anzahl,
                            qint64 ms);

// The index of the move the easiest level plays when it weakens itself: the last one of a sorted
// list that stays within reach of the best.
int schwaechererZug(const Zug *liste);

#pragma once

#include "core/zug.h"

#include <QString>

// The nine fields of an engine job's result text, read back by whoever plays the move.
struct JobFelder
{
    Zug zug{};     // flags 0: the reader knows the side to move
    Zug zweiter{}; // the runner-up, von 0 when there is none
    QString suchInfo;
    QString zeit;
    QString phase;
};

// A shorter text leaves the missing fields empty (0 as numbers).
JobFelder zerlegeJobText(const QString &text);

// Whether the runner-up is played instead of the move: the move would allow a draw and the
// runner-up keeps the game level enough for the side to move (`vorteil` its material lead).
bool zweiterGegenRemis(const JobFelder &felder, int vorteil, bool remisDroht);

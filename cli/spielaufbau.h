#pragma once

#include "core/zug.h"
#include "game/koordinaten.h"

#include <QString>
#include <QStringList>

class Controller;

// The game as the window builds it for the engine: set up through the controller, so that the
// history, the phase flags and the per-square tables are those of a real game.

// Reads the words after "--fen" at `i` into `fen`: quoted or as separate words, it ends at the
// next option or move. False when there is none.
bool leseFenArgument(const QStringList &argumente, int &i, QString &fen);

// Reads the number after an option at `i`; false unless it lies in [min, max].
bool leseZahlArgument(const QStringList &argumente, int &i, int min, int max, int &wert);

// Starts a game from `fen` and plays the moves as a human's moves are played. On a bad FEN or
// a refused move `fehler` says why, and the game stands where it got to.
bool spieleAuf(Controller &controller, const QString &fen, const QStringList &zuege,
               QString &fehler);

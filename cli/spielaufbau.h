#pragma once

#include "core/zug.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class Controller;

// The game as the window builds it for the engine: set up through the controller, so that the
// history, the phase flags and the per-square tables are those of a real game.

// The controller counts a program start when it loads the settings; a command-line run is none,
// so the stored count is put back. Call once after constructing the controller.
void behalteEinstellungen();

// "e2e4" or "e7e8q".
bool istKoordinatenZug(const QString &text);

// Reads the words after "--fen" at `i` into `fen`: quoted or as separate words, it ends at the
// next option or move. False when there is none.
bool leseFenArgument(const QStringList &argumente, int &i, QString &fen);

// Reads the number after an option at `i`; false unless it lies in [min, max].
bool leseZahlArgument(const QStringList &argumente, int &i, int min, int max, int &wert);

// The move a coordinate text names for the side to move, and the piece a pawn becomes
// (a queen unless the text names another).
Zug zugAusKoordinaten(const Controller &controller, const QString &text, int32_t &figur);

// Starts a game from `fen` and plays the moves as a human's moves are played. On a bad FEN or
// a refused move `fehler` says why, and the game stands where it got to.
bool spieleAuf(Controller &controller, const QString &fen, const QStringList &zuege,
               QString &fehler);

// The job's input bytes, written from the controller's position as the window writes them.
QByteArray jobDaten(const Controller &controller);

// A move of the engine in coordinate notation; the engine always promotes to a queen.
QString koordinatenText(const Zug &zug);

#pragma once

#include <QString>

class fenStellung;

// The reader's answer for a text that cannot start a game because of the position it describes.
constexpr int FEN_UNSPIELBAR = -2;

// Reads a FEN from outside (white space around it ignored) and checks that a game can be played
// from it: each side has exactly one king, the side not to move is not in check and no pawn stands
// on the first or last rank. Returns 0, or the reader's result or FEN_UNSPIELBAR with `meldung`
// saying why in the current language ("Fen String fehlerhaft an Position: -1" for a text not
// taken for a FEN at all).
int pruefeFen(const QString &text, fenStellung &fen, bool &schwarzAmZug, QString &meldung);

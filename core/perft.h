#pragma once

#include <QString>
#include <QVector>

class fenStellung;
class stellung;

// Counts the leaf nodes of the legal move tree, the standard yardstick for a move generator. The
// count follows the rules of chess: a promotion is four moves, castling out of, through or into
// check is none.
struct PerftZeile
{
    QString zug;
    quint64 knoten;
};

// Loads a position read from FEN into the search object, as the engine does.
void ladePosition(stellung &s, const fenStellung &fen);

quint64 perft(stellung &s, bool schwarzAmZug, int tiefe);
// The same count split by root move, in generation order.
QVector<PerftZeile> perftJeZug(stellung &s, bool schwarzAmZug, int tiefe);

#pragma once

#include "core/zug.h"

#include <QList>
#include <QObject>
#include <QString>

#include <cstdint>

// One position of the game: the half-move that led to it, its counters, texts and FEN.
struct HistoryEntry
{
    int32_t von = 0;
    int32_t nach = 0;
    int32_t wert = 0;
    int32_t flags = 0;
    int32_t wandlungsFigur = 0; // piece code the pawn became, 0 without promotion
    int32_t bewegteFigur = 0;   // for a promotion the pawn of the mover's colour
    int32_t zugnummer = 0;
    int32_t halbzugZaehler = 0; // half-moves since the last pawn move or capture
    QString fen;                // the position after the move
    QString meldung;            // the message-line text
    QString zugText;            // the move as the move list shows it
    int32_t listenZeile = 0;
};

// The cursor into the history: the entry the board shows and the last entry.
extern int32_t currentIndex;
extern int32_t lastIndex;

// The record of the game being played, from the start position to the last half-move.
class history : public QObject
{
    Q_OBJECT

public:
    explicit history(QObject *parent = nullptr);

    // Empties the list for a new game and puts the cursor on 0.
    void clear();
    // The start entry of a game: the move's four fields, the counters and the list row.
    void addEntry(int32_t zugnummer, int32_t halbzugZaehler, int32_t listenZeile, const Zug &zug);
    // Appends a half-move: the entries after `currentIndex` are discarded first, and the cursor
    // ends on the new entry.
    void appendMove(const HistoryEntry &eintrag);
    void setLastFen(const QString &fen);

    HistoryEntry entry(int i) const;
    QList<HistoryEntry> entries() const;
    int32_t halfMoveClockAtCurrent() const;
    int lastEntryIndex() const;

    // Whether the position `fen`, about to follow the entry at `currentIndex`, completes a
    // threefold repetition; `warnung` tells that it is repeated for the second time.
    bool checkRepetition(const QString &fen, bool &warnung) const;
    // The piece-placement field of a FEN.
    static QString placementKey(const QString &fen);

private:
    QList<HistoryEntry> eintraege;
};

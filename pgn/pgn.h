#pragma once

#include "core/zug.h"
#include "game/history.h"

#include <QDateTime>
#include <QList>
#include <QPointer>
#include <QString>

class Languages;

// A stretch of a PGN file's text, both ends included; an end of -1 stands for the end of the text.
struct Bereich
{
    int start = 0;
    int ende = -1;
};

// One game's PGN tags and, for a game read from a file, its movetext; writes and reads PGN text.
class Pgn
{
public:
    Pgn();
    Pgn(const Pgn &andere);
    Pgn &operator=(const Pgn &andere);

    // Fills the tags for a game whose first move is being made; the players are 0 for a human,
    // 1 for the computer.
    void neuePartie(int spielerWeiss, int spielerSchwarz, const QString &startFen);
    void siteLoeschen();
    // Sets the result from the flags of the move just made.
    void setzeErgebnis(int32_t flags);
    // The game as PGN text: tag section, movetext from the history entries, result.
    QString erzeugeText(const QList<HistoryEntry> &eintraege) const;

    // Splits PGN text into games, one record each; `position` is the offset of a game's first
    // "[" in `text` (of its first move number when it has no tags). False when the text holds
    // neither a tag pair nor a game.
    static bool partienLesen(const QString &text, QList<Pgn> &liste);
    // Applies one tag, given as the text between "[" and the closing quote.
    static void leseTag(const QString &inhalt, Pgn &eintrag);
    static void leereEintrag(Pgn &eintrag, int position);
    // The moves of `partie`'s movetext as moves whose origin is still to be found; empty on
    // success, otherwise the error (the moves before the error stay in `zuege`).
    QString ZuglisteAusPgn(const Pgn &partie, QList<Zug> &zuege) const;
    // Cuts the ranges out of `text`, the file's text as read, and replaces the file with the rest.
    static bool loeschePartien(const QString &text, const QList<Bereich> &bereiche,
                               const QString &dateiname, QString &fehler);

    int position = 0;
    QDateTime datum;
    // The Date tag as read when it names no complete date ("1999.??.??"); written back so.
    QString datumText;
    QString site;
    QString eco;
    QString event;
    int runde = 0;
    QString weiss;
    int weissElo = 0;
    QString schwarz;
    int schwarzElo = 0;
    QString fen;
    bool weissUnten = true;
    QString ergebnis;
    QString zugtext;

private:
    void kopiereFelder(const Pgn &andere);
    QString text(int id, const char *deutsch) const;

    // The shared table may be owned by an object that dies first; then the next one is asked.
    QPointer<Languages> sprachen;
};

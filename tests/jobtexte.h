#pragma once

#include "core/fen.h"
#include "core/positionsblock.h"
#include "core/stellung.h"
#include "engine/berechnezug.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

// Recorded engine jobs, one a line: "LEVEL KIND MS | FEN | TEXT", KIND Z for the computer's move
// and V for a suggestion, MS the pinned time of the first search, TEXT the job's result with the
// time field as "*". Lines starting with "#" are comments.
struct Jobfall
{
    int stufe = 0;
    bool vorschlag = false;
    int ms = 0;
    QString fen;
    QString text;
};

inline bool istJobfall(const QString &zeile)
{
    return !zeile.isEmpty() && !zeile.startsWith(QLatin1Char('#'));
}

inline bool leseJobfall(const QString &zeile, Jobfall &fall)
{
    const QStringList teile = zeile.split(QLatin1String(" | "));
    const QStringList kopf = teile[0].split(QLatin1Char(' '));
    if (teile.size() != 3 || kopf.size() != 3)
        return false;
    fall = {kopf[0].toInt(), kopf[1] == QLatin1String("V"), kopf[2].toInt(), teile[1], teile[2]};
    return true;
}

// The position block of a FEN as the game sends it to a job, the last move marked as a check when
// the side to move is in check; `zugnummer` gets the FEN's move number.
inline QByteArray blockAusFen(const QString &text, bool &schwarz, int *zugnummer = nullptr)
{
    fenStellung fen;
    if (fen.leseFen(text, schwarz, fenStellung::eigenerText) != 0)
        qFatal("test position not readable: %s", qPrintable(text));
    Positionsblock block;
    fen.holeBrett(block.brett);
    block.letzterZug = fen.holeLetztenZug();
    block.rochaderechte = Rochaderechte::ausWort(fen.holeRochaderechte());
    auto s = std::make_unique<stellung>();
    s->setzeBrett(block.brett);
    if (s->feldAngegriffen(!schwarz, schwarz ? s->koenigSchwarz : s->koenigWeiss))
        block.letzterZug.flags |= ZUG_SCHACH;
    if (zugnummer)
        *zugnummer = fen.holeZugnummer();
    return schreibePositionsblock(block);
}

// Runs the job as the game would after reaching the position: the phases follow the move number
// (the first seven moves are the opening), no randomness in the terms, a fixed seed for the
// easiest level's choice.
inline QString jobfallText(const Jobfall &fall, int threads = 1)
{
    bool schwarz;
    int zugnummer;
    const QByteArray block = blockAusFen(fall.fen, schwarz, &zugnummer);
    JobKontext kontext;
    kontext.schwierigkeit = fall.stufe;
    kontext.zufall = 0;
    kontext.zufallsKeim = 1;
    kontext.startEnde = 7;
    kontext.eroeffnungsphase = zugnummer <= 7;
    kontext.fruehePhase = zugnummer <= 3;
    kontext.abbruch = nullptr;
    kontext.ersteSuchzeit = fall.ms;
    kontext.threads = threads;
    QStringList felder =
        fuehreJobAus(schwarz, fall.vorschlag, block, kontext).text.split(QLatin1Char('|'));
    felder[7] = QStringLiteral("*");
    return felder.join(QLatin1Char('|'));
}

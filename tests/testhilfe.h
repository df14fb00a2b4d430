#pragma once

#include "core/fen.h"
#include "core/perft.h"
#include "core/stellung.h"

#include <QString>
#include <QtTest>

#include <memory>

// A search object loaded from FEN the way the engine loads a position.
inline std::unique_ptr<stellung> ladeTestStellung(const QString &text, bool *schwarz = nullptr)
{
    fenStellung fen;
    bool seite = false;
    const int ergebnis = fen.leseFen(text, seite);
    if (ergebnis != 0)
        qFatal("test position not readable (%d): %s", ergebnis, qPrintable(text));
    auto s = std::make_unique<stellung>();
    ladePosition(*s, fen);
    s->schwarzAmZug = seite;
    s->tiefe = 1;
    if (schwarz)
        *schwarz = seite;
    return s;
}

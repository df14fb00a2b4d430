#pragma once

#include "core/felder.h"
#include "core/zug.h"
#include "game/controller.h"
#include "game/history.h"
#include "game/koordinaten.h"
#include "globale.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdlib>

// Keeps the settings a Controller loads and saves out of the real user's folders.
class EigenesZuhause
{
public:
    EigenesZuhause()
    {
        setzeGlobaleZurueck();
        QStandardPaths::setTestModeEnabled(true);
        qputenv("HOME", QFile::encodeName(ordner.path()));
        qputenv("TMPDIR", QFile::encodeName(ordner.path()));
    }

private:
    QTemporaryDir ordner;
};

struct Gespielt
{
    bool ausgefuehrt = false;
    Zug zug{};
    QString meldung;
    QString text;
    bool spielEnde = false;
};

// A move in coordinate notation ("e2e4", "b7b8n") passed on as the window passes a human's move
// (promotion to a queen unless named); `zusatz` adds flags such as a resignation.
inline Gespielt spiele(Controller &controller, const QString &koordinaten, int32_t zusatz = 0)
{
    Gespielt g;
    int32_t figur = DAME;
    g.zug = zugAusKoordinaten(controller, koordinaten, figur);
    g.zug.flags |= zusatz;
    g.ausgefuehrt =
        controller.bewegeFigur(g.zug, figur, lastIndex + 1, g.meldung, g.text, g.spielEnde);
    return g;
}

// A new game from the FEN, as the window starts one after a FEN import.
inline void starteAus(Controller &controller, const QString &fen)
{
    QCOMPARE(controller.stellungAusFen(fen), 0);
    controller.setzeEigeneStartFen(fen);
    controller.starteSpiel(0);
    controller.legaleZuegeErmitteln(controller.schwarzAmZug());
}

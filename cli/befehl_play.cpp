#include "cli/befehle.h"
#include "cli/spielaufbau.h"

#include "app/languages.h"
#include "core/felder.h"
#include "core/fen.h"
#include "game/controller.h"
#include "game/history.h"

#include <QTextStream>

namespace {

struct Aufruf
{
    QString fen = QString::fromLatin1(startFen);
    int sprache = -1;
    QStringList zuege;
};

bool leseAufruf(const QStringList &argumente, Aufruf &aufruf)
{
    for (int i = 0; i < argumente.size(); ++i) {
        const QString &wort = argumente[i];
        if (wort == QLatin1String("--fen")) {
            if (!leseFenArgument(argumente, i, aufruf.fen))
                return false;
        } else if (wort == QLatin1String("--lang")) {
            if (!leseZahlArgument(argumente, i, 0, 2, aufruf.sprache))
                return false;
        } else if (istKoordinatenZug(wort)) {
            aufruf.zuege << wort;
        } else {
            return false;
        }
    }
    return true;
}

QString eineZeile(QString text)
{
    return text.replace(QLatin1Char('\n'), QLatin1String("\\n"));
}

} // namespace

// Plays the moves one after the other as the window passes a human's move on: the colour is the
// side to move, and a pawn reaching the last row asks for a promotion.
int befehlPlay(const QStringList &argumente)
{
    Aufruf aufruf;
    if (!leseAufruf(argumente, aufruf))
        return nutzung();

    Controller controller;
    if (aufruf.sprache >= 0)
        Languages::instance()->ladeSprache(aufruf.sprache);
    else
        Languages::instance()->leere();
    QString grund;
    const int ergebnis = controller.stellungAusFen(aufruf.fen, &grund);
    if (ergebnis != 0) {
        QTextStream(stderr) << "brakmor-cli: not a valid FEN (result " << ergebnis << "): " << grund
                            << '\n';
        return nutzung();
    }
    controller.setzeEigeneStartFen(aufruf.fen);
    controller.starteSpiel(0);

    QTextStream aus(stdout);
    bool spielEnde = !controller.legaleZuegeErmitteln(controller.schwarzAmZug());
    for (int zeile = 1; zeile <= aufruf.zuege.size(); ++zeile) {
        const QString &text = aufruf.zuege[zeile - 1];
        if (spielEnde) {
            QTextStream(stderr) << "brakmor-cli: the game is over before " << text << '\n';
            return 1;
        }
        int32_t figur = DAME;
        Zug zug = zugAusKoordinaten(controller, text, figur);
        QString meldung;
        QString zugText;
        if (!controller.bewegeFigur(zug, figur, zeile, meldung, zugText, spielEnde)) {
            aus.flush();
            QTextStream(stderr) << meldung << '\n';
            return 1;
        }
        const bool wandlung = zug.flags & ZUG_WANDLUNG;
        aus << "move: " << koordinatenZug(zug.von, zug.nach, wandlung ? figur : 0) << ' '
            << flagText(zug.flags) << '\n';
        aus << "text: " << eineZeile(zugText) << '\n';
        aus << "message: " << eineZeile(meldung) << '\n';
        aus << "fen: " << controller.verlauf()->entry(lastIndex).fen << '\n';
        if (spielEnde)
            aus << "gameover\n";
    }
    return 0;
}

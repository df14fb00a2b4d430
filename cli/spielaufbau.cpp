#include "cli/spielaufbau.h"

#include "core/felder.h"
#include "game/controller.h"

bool leseFenArgument(const QStringList &argumente, int &i, QString &fen)
{
    QStringList teile;
    while (i + 1 < argumente.size() && !argumente[i + 1].startsWith(QLatin1String("--")) &&
           !istKoordinatenZug(argumente[i + 1]))
        teile << argumente[++i];
    if (teile.isEmpty())
        return false;
    fen = teile.join(QLatin1Char(' '));
    return true;
}

bool leseZahlArgument(const QStringList &argumente, int &i, int min, int max, int &wert)
{
    bool ok = false;
    wert = argumente.value(++i).toInt(&ok);
    return ok && wert >= min && wert <= max;
}

bool spieleAuf(Controller &controller, const QString &fen, const QStringList &zuege,
               QString &fehler)
{
    QString grund;
    const int ergebnis = controller.stellungAusFen(fen, &grund);
    if (ergebnis != 0) {
        fehler = QStringLiteral("not a valid FEN (result %1): %2").arg(ergebnis).arg(grund);
        return false;
    }
    controller.setzeEigeneStartFen(fen);
    controller.starteSpiel(0);
    bool spielEnde = !controller.legaleZuegeErmitteln(controller.schwarzAmZug());
    for (int zeile = 1; zeile <= zuege.size(); ++zeile) {
        const QString &text = zuege[zeile - 1];
        if (spielEnde || !istKoordinatenZug(text)) {
            fehler = spielEnde ? QStringLiteral("the game is over before %1").arg(text)
                               : QStringLiteral("not a move: %1").arg(text);
            return false;
        }
        int32_t figur = DAME;
        Zug zug = zugAusKoordinaten(controller, text, figur);
        QString meldung;
        QString zugText;
        if (!controller.bewegeFigur(zug, figur, zeile, meldung, zugText, spielEnde)) {
            fehler = QStringLiteral("illegal move %1").arg(text);
            return false;
        }
    }
    controller.legaleZuegeErmitteln(controller.schwarzAmZug());
    return true;
}

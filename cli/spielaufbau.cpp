#include "cli/spielaufbau.h"

#include "app/einstellungen.h"
#include "core/felder.h"
#include "core/positionsblock.h"
#include "game/controller.h"

#include <QRegularExpression>

#include <algorithm>
#include <cstdlib>

void behalteEinstellungen()
{
    einstellungen.anzahlStarts = std::max(0, einstellungen.anzahlStarts - 1);
    speichereEinstellungen();
}

bool istKoordinatenZug(const QString &text)
{
    static const QRegularExpression muster(QStringLiteral("^[a-h][1-8][a-h][1-8][qrbn]?$"));
    return muster.match(text).hasMatch();
}

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

Zug zugAusKoordinaten(const Controller &controller, const QString &text, int32_t &figur)
{
    int von = 0;
    int nach = 0;
    feldAusName(text.mid(0, 2), von);
    feldAusName(text.mid(2, 2), nach);
    Zug zug{von, nach, 0, controller.schwarzAmZug() ? ZUG_SCHWARZ : 0};
    if (std::abs(controller.brett()[von]) == BAUER && (nach < 30 || nach > 91))
        zug.flags |= ZUG_WANDLUNG;
    figur = text.size() == 5 ? figurAusBuchstabe(text.at(4).toUpper()) : DAME;
    return zug;
}

bool spieleAuf(Controller &controller, const QString &fen, const QStringList &zuege,
               QString &fehler)
{
    const int ergebnis = controller.stellungAusFen(fen);
    if (ergebnis != 0) {
        fehler = QStringLiteral("not a valid FEN (result %1)").arg(ergebnis);
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

QByteArray jobDaten(const Controller &controller)
{
    Positionsblock block;
    std::copy(controller.brett(), controller.brett() + BRETT_ZELLEN, block.brett);
    block.letzterZug = controller.letzterZug();
    block.rochaderechte = Rochaderechte::ausWort(controller.rochaderechte());
    return schreibePositionsblock(block);
}

QString koordinatenText(const Zug &zug)
{
    return koordinatenZug(zug.von, zug.nach, (zug.flags & ZUG_WANDLUNG) ? DAME : 0);
}

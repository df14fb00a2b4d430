#include "game/wiedergabe.h"

#include "core/felder.h"
#include "core/fen.h"
#include "game/controller.h"
#include "game/history.h"

#include <cstdlib>

namespace {

QString buchstabe(int32_t figur)
{
    return fenBuchstabe(-std::abs(figur));
}

// What a loaded move knows of its origin: a file, a rank or the square.
QString herkunft(int32_t von)
{
    if (von >= 2 && von <= 9)
        return QString(QChar(u'a' + von - 2));
    if (von > 0 && von % 10 == 0)
        return QString::number(10 - von / 10);
    return von > 0 ? feldName(von).toLower() : QString();
}

// The loaded move as the file wrote it, near enough to find it there: "12... Nbd7", "40. e8=Q".
QString notation(const Zug &zug, int nummer, bool schwarz)
{
    QString text = QString::number(nummer) + QLatin1String(schwarz ? "... " : ". ");
    if (zug.flags & ZUG_ROCHADE)
        return text + QLatin1String(zug.nach % 10 < 6 ? "O-O-O" : "O-O");

    const bool wandlung = zug.flags & ZUG_WANDLUNG;
    if (!wandlung && zug.wert != BAUER)
        text += buchstabe(zug.wert);
    // A promotion without capture has the target's file as its origin.
    if (!(wandlung && zug.von == zug.nach % 10))
        text += herkunft(zug.von);
    text += feldName(zug.nach).toLower();
    if (wandlung)
        text += QLatin1Char('=') + buchstabe(zug.wert);
    return text;
}

} // namespace

// A game from a position with Black to move starts with Black. Castling is read with White's
// target squares; Black's lie seven rows up. A game that ends before its moves do, or whose
// position refuses a move, stops there: the moves before it stay on the board.
Wiedergabe spieleGeladenePartie(Controller &controller, int startZeile,
                                const std::function<int(const QString &zugText)> &zugAngezeigt)
{
    Wiedergabe ergebnis;
    const Pgn kopf = controller.geladenePartie();
    const QString fen = kopf.fen.trimmed();
    const int fenFehler = fen.isEmpty() ? 0 : controller.stellungAusFen(fen, &ergebnis.meldung);
    if (fenFehler != 0)
        ergebnis.meldung += QLatin1Char('\n') + fen;
    controller.setzeEigeneStartFen(fenFehler == 0 ? fen : QString());
    controller.starteSpiel(startZeile);
    // Saved again, the game names its start as read, not as the file spelled it.
    controller.pgn().fen = controller.eigeneStartFen();
    if (fenFehler != 0)
        return ergebnis;

    const bool schwarzBeginnt = controller.schwarzAmZug();
    const int ersteNummer = controller.verlauf()->entry(0).zugnummer;
    const QList<Zug> zuege = controller.geladeneZuege();
    int zeile = startZeile + 1;
    for (int i = 0; i < zuege.size(); ++i) {
        const bool schwarz = schwarzBeginnt != (i % 2 == 1);
        Zug zug = zuege[i];
        if (schwarz) {
            zug.flags |= ZUG_SCHWARZ;
            if (zug.flags & ZUG_ROCHADE)
                zug.nach -= 70;
        }
        const int32_t figur = (zug.flags & ZUG_WANDLUNG) ? zug.wert : DAME;
        QString meldung;
        QString zugText;
        bool spielEnde = false;
        if (!controller.bewegeFigur(zug, figur, zeile, meldung, zugText, spielEnde)) {
            const int nummer = ersteNummer + (i + (schwarzBeginnt ? 1 : 0)) / 2;
            ergebnis.meldung = QLatin1String("MainWindow.ButtonSichernLadenClick: ") +
                               notation(zuege[i], nummer, schwarz);
            return ergebnis;
        }
        ++ergebnis.halbzuege;
        zeile = zugAngezeigt(zugText);
    }

    // Won on time or by resignation, the moves alone give no result; the tags keep it.
    if (controller.pgn().ergebnis == QLatin1String("*"))
        controller.pgn().ergebnis = kopf.ergebnis;
    return ergebnis;
}

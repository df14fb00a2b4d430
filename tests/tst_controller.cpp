#include "golden.h"
#include "spielhilfe.h"

#include "app/languages.h"
#include "core/fen.h"
#include "engine/abbrechen.h"
#include "game/fenpruefung.h"
#include "game/spielzustand.h"

#include <memory>

class TestController : public QObject
{
    Q_OBJECT

private:
    EigenesZuhause zuhause;
    std::unique_ptr<Controller> controller;

    Controller &c() { return *controller; }

    // Shows the history entry as the review does: its FEN and the number of legal moves there.
    QString zeige(int index)
    {
        currentIndex = index;
        Zug zug;
        int zeile;
        QString text;
        c().ladeHistoryStellung(zug, zeile, text);
        return c().aktuelleFen(c().schwarzAmZug()) + ' ' + QString::number(anzahlLegal());
    }

    int anzahlLegal()
    {
        int anzahl = 0;
        for (const Zug *z = c().legaleZuege(); z->von != 0; ++z)
            ++anzahl;
        return anzahl;
    }

private slots:
    void init()
    {
        controller = std::make_unique<Controller>();
        Languages::instance()->leere();
        c().setzeEigeneStartFen(QString());
        c().starteSpiel(0);
        c().legaleZuegeErmitteln(false);
    }

    void cleanup() { controller.reset(); }

    // Each line of partien.txt is a language (-1: the built-in texts), a start and the moves ("!"
    // resigns with the move, "@N" shows entry N, so that the next move is made in review). Per move
    // the game writes its list text, message, flags and FEN, at the end the movetext as saved; the
    // whole output must be that of partien.erwartet.
    void partien()
    {
        QString ist;
        for (const QString &zeile : datenZeilen("partien.txt")) {
            if (zeile.isEmpty() || zeile.startsWith('#'))
                continue;
            const QStringList teile = zeile.split(" | ");
            if (teile[0].toInt() < 0)
                Languages::instance()->leere();
            else
                Languages::instance()->ladeSprache(teile[0].toInt());
            starteAus(c(), teile[1] == "start" ? QString(startFen) : teile[1]);
            ist += "== " + zeile + "\nstart: " + c().verlauf()->entry(0).fen + '\n';
            for (QString text : teile[2].split(' ')) {
                if (text.startsWith('@')) {
                    ist += text + ": " + zeige(text.mid(1).toInt()) + '\n';
                    continue;
                }
                const int32_t aufgabe = text.endsWith('!') ? ZUG_AUFGEGEBEN : 0;
                const Gespielt g = spiele(c(), text.remove('!'), aufgabe);
                if (!g.ausgefuehrt) {
                    ist += text + ": " + g.meldung + '\n';
                    break;
                }
                ist += QString("%1: \"%2\" \"%3\" %4%5 %6\n")
                           .arg(text, QString(g.text).replace('\n', "⏎"), g.meldung)
                           .arg(g.zug.flags, 0, 16)
                           .arg(g.spielEnde ? " Ende" : "", c().verlauf()->entry(lastIndex).fen);
            }
            const QString pgn = c().pgn().erzeugeText(c().verlauf()->entries());
            ist += "pgn: " + pgn.mid(pgn.indexOf("\n\n") + 2).trimmed().replace('\n', "⏎") + '\n';
        }
        VERGLEICHE_MIT_DATEI(ist, "partien.erwartet");
    }

    // A stop request for an engine job must not hide legal moves from the game itself.
    void stoppWunschGiltNichtDerPartie()
    {
        abbrechen = true;
        const int anzahl = c().legaleZuegeErmitteln(false) ? anzahlLegal() : -1;
        const bool gezogen = spiele(c(), "g1f3").ausgefuehrt;
        abbrechen = false;
        QCOMPARE(anzahl, 20);
        QVERIFY(gezogen);
    }

    void abgelehnteZuege()
    {
        spiele(c(), "e2e4");
        const QString fen = c().verlauf()->entry(1).fen;
        // A move by the side that has just moved is refused, legal as it would be.
        Zug weiss{85, 65, 0, 0};
        QString meldung, text;
        bool ende = false;
        QVERIFY(!c().bewegeFigur(weiss, DAME, 5, meldung, text, ende));
        QCOMPARE(lastIndex, 1);
        QCOMPARE(c().aktuelleFen(true), fen);

        // A pawn becomes one of the four pieces, nothing else.
        starteAus(c(), "4k3/P7/8/8/8/8/8/4K3 w - - 0 1");
        Zug koenig{32, 22, 0, ZUG_WANDLUNG};
        QVERIFY(!c().bewegeFigur(koenig, KOENIG, 1, meldung, text, ende));
        QCOMPARE(c().brett()[32], -BAUER);
    }
};

QTEST_MAIN(TestController)
#include "tst_controller.moc"

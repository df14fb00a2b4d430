#include "golden.h"
#include "spielhilfe.h"

#include "app/languages.h"
#include "core/fen.h"
#include "engine/abbrechen.h"
#include "game/fenpruefung.h"
#include "game/koordinaten.h"
#include "game/spielzustand.h"

#include <memory>

class TestController : public QObject
{
    Q_OBJECT

private:
    EigenesZuhause zuhause;
    std::unique_ptr<Controller> controller;

    Controller &c() { return *controller; }

    QString zeige(int index)
    {
        currentIndex = index;
        Zug zug;
        int zeile;
        QString text;
        c().ladeHistoryStellung(zug, zeile, text);
        return text;
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
    // resigns with the move). Per move the game writes its list text, message, flags and FEN, at
    // the end the movetext as saved; the whole output must be that of partien.erwartet.
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
                const int32_t aufgabe = text.endsWith('!') ? ZUG_AUFGEGEBEN : 0;
                text.remove('!');
                int32_t figur = DAME;
                Zug zug = zugAusKoordinaten(c(), text, figur);
                zug.flags |= aufgabe;
                QString meldung, zugText;
                bool ende = false;
                if (!c().bewegeFigur(zug, figur, lastIndex + 1, meldung, zugText, ende)) {
                    ist += text + ": " + meldung + '\n';
                    break;
                }
                ist += QString("%1: \"%2\" \"%3\" %4%5 %6\n")
                           .arg(text, zugText.replace('\n', "⏎"), meldung)
                           .arg(zug.flags, 0, 16)
                           .arg(ende ? " Ende" : "", c().verlauf()->entry(lastIndex).fen);
            }
            const QString pgn = c().pgn().erzeugeText(c().verlauf()->entries());
            ist += "pgn: " + pgn.mid(pgn.indexOf("\n\n") + 2).trimmed().replace('\n', "⏎") + '\n';
        }
        VERGLEICHE_MIT_DATEI(ist, "partien.erwartet");
    }

    void zurueckUndNeuerZug()
    {
        spieleAlle(c(), {"e2e4", "e7e5", "g1f3", "b8c6"});
        QCOMPARE(zeige(lastIndex - 3), QString(" 1 WS BAUER   E2-E4 "));
        QCOMPARE(c().aktuelleFen(true),
                 QString("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1"));
        // The legal moves are those of the position shown, Black's replies to 1. e4.
        QVERIFY(c().istLegalerZug(34, 54));
        QVERIFY(!c().istLegalerZug(98, 77));

        QCOMPARE(spiele(c(), "d7d5").text, QString(" 1 SW BAUER   D7-D5 "));
        QCOMPARE(lastIndex, 2);
        QCOMPARE(c().verlauf()->entries().size(), 3);
        QCOMPARE(spiele(c(), "e4d5").text, QString(" 2 WS BAUER   E4xD5 SCHLAEGT BAUER "));
    }

    // The start is stored as written back from the position read, which must be playable; white
    // space around the text does not count.
    void gespeicherterStart()
    {
        const QString kk = "4k3/8/8/8/8/8/8/4K3 w - - 0 1";
        const QPair<QString, QString> faelle[] = {
            {" \t" + kk + " und mehr\n", kk},
            {"4k111/8/8/8/8/8/8/4K3 w KQkq e3 -4 1", kk},
            {"k1111111/8/8/8/8/8/8/7K b - - 0 1", "k7/8/8/8/8/8/8/7K b - - 0 1"},
            {"4k3/8/8/8/8/8/8/4RK2 w - - 0 1", QString()},
            {"4k3/8/8/8/8/8/8/4K2P w - - 0 1", QString()},
            {"4k3/8/8/8/8/8/8/6q1 w - - 0 1", QString()},
            {"4k2P/8/8/8/8/8/8/4K3 w - - 0 1", QString()},
            {"4k3/8/8/8/8/8/8/3KK3 w - - 0 1", QString()},
        };
        for (const auto &[text, gespeichert] : faelle) {
            QString meldung;
            const int ergebnis = c().stellungAusFen(text, &meldung);
            QCOMPARE(ergebnis, gespeichert.isEmpty() ? FEN_UNSPIELBAR : 0);
            QCOMPARE(meldung.startsWith("Die Stellung ist nicht spielbar: "), ergebnis != 0);
            c().setzeEigeneStartFen(text);
            c().starteSpiel(0);
            QCOMPARE(c().eigeneStartFen(), gespeichert);
            QCOMPARE(c().verlauf()->entry(0).fen, gespeichert.isEmpty() ? startFen : gespeichert);
            QCOMPARE(c().stellungAusFen(c().eigeneStartFen()), gespeichert.isEmpty() ? -1 : 0);
        }
    }

    // Another knight reaches the target from another file.
    void mehrdeutigesZiel()
    {
        starteAus(c(), "4k3/8/8/8/8/5N2/8/1N2K3 w - - 0 1");
        QCOMPARE(spiele(c(), "b1d2").zug.flags, ZUG_ANDERE_LINIE);
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
        Gespielt falsch = spiele(c(), "e1e3");
        QCOMPARE(falsch.meldung, QString("Error: Controller::bewegeFigur() 96-76"));
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
        QVERIFY(spiele(c(), "a7a8r").ausgefuehrt);
        QCOMPARE(c().brett()[22], -TURM);
    }
};

QTEST_MAIN(TestController)
#include "tst_controller.moc"

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

    // The list text, message and flags of the last move, and one square after it.
    void notation()
    {
        const char *rochade = "r3k2r/pppppppp/8/8/8/8/PPPPPPPP/R3K2R w KQkq - 0 1";
        const char *turm = "4k3/8/8/8/8/8/8/R3K3 w - - 0 1";
        const struct
        {
            const char *fen, *zuege, *text, *meldung;
            int flags;
            const char *feld;
            int figur;
        } faelle[] = {
            {rochade, "e1g1 e8c8", " 1 SW KOENIG  E8-C8 O-O-O ", "", ZUG_SCHWARZ | ZUG_ROCHADE,
             "D8", TURM},
            {"8/pP5k/8/8/8/8/8/4K3 w - - 7 40", "b7b8n", "40 WS PFERD   B7-B8 BAUERNWANDLUNG ",
             "BAUERNWANDLUNG ", ZUG_WANDLUNG, "B8", -PFERD},
            {"4k3/8/8/3Pp3/8/8/8/4K3 w - e6 0 1", "d5e6", " 1 WS BAUER   D5-E6 EN PASSANT ",
             "EN PASSANT ", ZUG_ENPASSANT | ZUG_SCHLAGEN, "E5", LEER},
            {turm, "a1a8", " 1 WS TURM    A1-A8 + ", "SCHACH ", ZUG_SCHACH, "A8", -TURM},
            {startFen, "e2e4 e7e5 f1c4 b8c6 d1h5 g8f6 h5f7",
             " 4 WS DAME    H5xF7 SCHLAEGT BAUER + \n   Weiß gewinnt", "SCHACH Weiß gewinnt",
             ZUG_SCHLAGEN | ZUG_SCHACH | ZUG_KEINE_ANTWORT, "F7", -DAME},
            {"k7/8/8/8/8/8/8/1Q2K3 w - - 0 1", "b1b6", " 1 WS DAME    B1-B6 \n   Patt, Remis",
             "Patt, Remis", ZUG_KEINE_ANTWORT | ZUG_PATT, "B6", -DAME},
            {"4k3/8/8/8/8/8/3r4/4KB2 w - - 0 1", "e1d2",
             " 1 WS KOENIG  E1xD2 SCHLAEGT TURM \n   REMIS ", "REMIS ", ZUG_SCHLAGEN | ZUG_REMIS,
             "D2", -KOENIG},
            // At 99 the move to 100 is still played, the next one is a draw.
            {"4k3/8/8/8/8/8/7P/R3K3 w - - 99 70", "a1a2 e8e7", "70 SW KOENIG  E8-E7 \n   REMIS ",
             "REMIS ", ZUG_SCHWARZ | ZUG_REMIS, "E7", KOENIG},
            {turm, "a1a8 e8e7 a8a1 e7e8 a1a8 e8e7 a8a1 e7e8 a1a8 e8e7 a8a1",
             " 6 WS TURM    A8-A1 \n   REMIS ", "REMIS ", ZUG_REMIS, "A1", -TURM},
            // Mate wins, though the material left or the fifty moves would draw.
            {"6nk/8/6K1/6N1/8/8/8/8 w - - 0 1", "g5f7", " 1 WS PFERD   G5-F7 + \n   Weiß gewinnt",
             "SCHACH Weiß gewinnt", ZUG_SCHACH | ZUG_KEINE_ANTWORT, "F7", -PFERD},
            {"k7/8/1K6/8/8/8/8/7R w - - 100 80", "h1h8", "80 WS TURM    H1-H8 + \n   Weiß gewinnt",
             "SCHACH Weiß gewinnt", ZUG_SCHACH | ZUG_KEINE_ANTWORT, "H8", -TURM},
        };
        for (const auto &fall : faelle) {
            starteAus(c(), fall.fen);
            const Gespielt g = spieleAlle(c(), QString(fall.zuege).split(' '));
            QVERIFY2(g.ausgefuehrt, fall.zuege);
            QCOMPARE(g.text, QString(fall.text));
            QCOMPARE(g.meldung, QString(fall.meldung));
            QCOMPARE(g.zug.flags, fall.flags);
            QCOMPARE(g.spielEnde, bool(fall.flags & (ZUG_KEINE_ANTWORT | ZUG_REMIS)));
            QCOMPARE(remisDroht, g.meldung.startsWith("Es droht"));
            int feld = 0;
            QVERIFY(feldAusName(fall.feld, feld));
            QCOMPARE(c().brett()[feld], fall.figur);
            if (fall.flags & ZUG_KEINE_ANTWORT)
                QVERIFY(!c().legaleZuegeErmitteln(c().schwarzAmZug()));
        }
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

    // The piece column is as wide as the longest piece name of each language.
    void protokollSpalte()
    {
        for (int sprache = -1; sprache <= 2; ++sprache) {
            if (sprache < 0)
                Languages::instance()->leere();
            else
                Languages::instance()->ladeSprache(sprache);
            c().starteSpiel(0);
            QSet<int> spalten;
            for (const char *zug : {"e2e4", "e7e5", "g1f3", "b8c6", "f1c4", "d8e7", "e1f1"})
                spalten << spiele(c(), zug).text.indexOf('-') - 2;
            QVERIFY2(spalten.size() == 1, qPrintable(QString::number(sprache)));
        }
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

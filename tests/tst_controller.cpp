#include "spielhilfe.h"

#include "app/einstellungen.h"
#include "app/languages.h"
#include "core/fen.h"
#include "engine/abbrechen.h"
#include "game/spielzustand.h"

#include <QThread>

#include <memory>

namespace {

const QString grundstellung = QString::fromLatin1(startFen);

QString fenFeld(const QString &fen, int feld)
{
    return fen.split(QLatin1Char(' ')).value(feld);
}

} // namespace

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

    // Every entry of the game, shown again, gives back the position stored in it.
    void pruefeRueckblick(const char *fall)
    {
        for (int i = 0, letzter = lastIndex; i <= letzter; ++i) {
            zeige(i);
            QVERIFY2(c().aktuelleFen(c().schwarzAmZug()) == c().verlauf()->entry(i).fen, fall);
        }
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

    void neuesSpiel()
    {
        c().setzePartieTitel("Meine Partie");
        QCOMPARE(c().titel(true), QString("Brakmor 1.26 ;   Meine Partie"));
        c().starteSpiel(3);
        QCOMPARE(c().titel(true), QString("Brakmor 1.26"));
        QCOMPARE(c().verlauf()->entry(0).fen, grundstellung);
        spieleAlle(c(), {"e2e4", "g8f6", "g1f3"});
        QCOMPARE(c().verlauf()->entry(2).halbzugZaehler, 1);
        QCOMPARE(c().verlauf()->entry(currentIndex).zugText, QString(" 2 WS PFERD  G1-F3 "));
    }

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
            {startFen, "e2e4", " 1 WS BAUER  E2-E4 ", "", ZUG_DOPPELSCHRITT, "E4", -BAUER},
            {rochade, "e1g1", " 1 WS KOENIG E1-G1 O-O ", "", ZUG_ROCHADE, "F1", -TURM},
            {rochade, "e1g1 e8c8", " 1 SW KOENIG E8-C8 O-O-O ", "", ZUG_SCHWARZ | ZUG_ROCHADE, "D8",
             TURM},
            // Taking with promotion names the captured piece instead of the promotion.
            {"r7/1P5k/8/8/8/8/8/4K3 w - - 0 1", "b7a8", " 1 WS DAME   B7xA8 SCHLAEGT TURM ",
             "BAUERNWANDLUNG ", ZUG_WANDLUNG | ZUG_SCHLAGEN, "A8", -DAME},
            {"8/pP5k/8/8/8/8/8/4K3 w - - 7 40", "b7b8n", "40 WS PFERD  B7-B8 BAUERNWANDLUNG ",
             "BAUERNWANDLUNG ", ZUG_WANDLUNG, "B8", -PFERD},
            {"4k3/8/8/3Pp3/8/8/8/4K3 w - e6 0 1", "d5e6", " 1 WS BAUER  D5-E6 EN PASSANT ",
             "EN PASSANT ", ZUG_ENPASSANT | ZUG_SCHLAGEN, "E5", LEER},
            {turm, "a1a8", " 1 WS TURM   A1-A8 + ", "SCHACH ", ZUG_SCHACH, "A8", -TURM},
            {startFen, "e2e4 e7e5 f1c4 b8c6 d1h5 g8f6 h5f7",
             " 4 WS DAME   H5xF7 SCHLAEGT BAUER + \n   Weiß gewinnt", "SCHACH Weiß gewinnt",
             ZUG_SCHLAGEN | ZUG_SCHACH | ZUG_KEINE_ANTWORT, "F7", -DAME},
            {"k7/8/8/8/8/8/8/1Q2K3 w - - 0 1", "b1b6", " 1 WS DAME   B1-B6 \n   Patt, Remis",
             "Patt, Remis", ZUG_KEINE_ANTWORT | ZUG_PATT, "B6", -DAME},
            {"4k3/8/8/8/8/8/3r4/4KB2 w - - 0 1", "e1d2",
             " 1 WS KOENIG E1xD2 SCHLAEGT TURM \n   REMIS ", "REMIS ", ZUG_SCHLAGEN | ZUG_REMIS,
             "D2", -KOENIG},
            // At 99 the move to 100 is still played, the next one is a draw; a pawn move resets.
            {"4k3/8/8/8/8/8/7P/R3K3 w - - 99 70", "a1a2 e8e7", "70 SW KOENIG E8-E7 \n   REMIS ",
             "REMIS ", ZUG_SCHWARZ | ZUG_REMIS, "E7", KOENIG},
            {"4k3/8/8/8/8/8/7P/R3K3 w - - 100 70", "h2h3", "70 WS BAUER  H2-H3 ", "", 0, "H3",
             -BAUER},
            // The rook gives check as it returns: the warning still replaces the message.
            {turm, "a1a8 e8e7 a8a1 e7e8 a1a8 e8e7 a8a1 e7e8 a1a8", " 5 WS TURM   A1-A8 + ",
             "Es droht Remis wenn drei gleiche Züge!", ZUG_SCHACH, "A8", -TURM},
            {turm, "a1a8 e8e7 a8a1 e7e8 a1a8 e8e7 a8a1 e7e8 a1a8 e8e7 a8a1",
             " 6 WS TURM   A8-A1 \n   REMIS ", "REMIS ", ZUG_REMIS, "A1", -TURM},
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

    void aufgabe()
    {
        spiele(c(), "e2e4");
        Gespielt aufgabe = spiele(c(), "e7e5", ZUG_AUFGEGEBEN);
        QCOMPARE(aufgabe.text, QString(" 1 SW BAUER  E7-E5 \n   Aufgegeben, Weiß gewinnt"));
        QCOMPARE(aufgabe.meldung, QString("Aufgegeben, Weiß gewinnt"));
        QVERIFY(aufgabe.spielEnde);
    }

    void remisDurchMaterial()
    {
        // Two bare kings on the edge files: the shortest placement there is.
        starteAus(c(), "k7/8/8/8/8/8/r7/K7 w - - 0 1");
        QVERIFY(spiele(c(), "a1a2").spielEnde);
        QCOMPARE(c().verlauf()->entry(1).fen, QString("k7/8/8/8/8/8/K7/8 b - - 0 1"));
        pruefeRueckblick("bare kings");
        QCOMPARE(c().brett()[82], -KOENIG);

        // The test looks at the board as it stands after the move.
        const struct
        {
            const char *fen;
            bool remis;
        } faelle[] = {
            {"4k3/8/8/8/8/8/8/4KB2 w - - 0 1", true},   {"4kb2/8/8/8/8/8/8/4KN2 w - - 0 1", true},
            {"4k3/8/8/8/8/8/8/3NKN2 w - - 0 1", false}, {"4k3/8/8/8/8/8/8/4K3 w - - 0 1", true},
            {"4k3/8/8/8/8/8/8/3BKB2 w - - 0 1", false}, {"4k3/8/8/8/8/8/7p/4K3 w - - 0 1", false},
            {"4k3/8/8/8/8/8/8/R3K3 w - - 0 1", false},
        };
        for (const auto &fall : faelle) {
            starteAus(c(), fall.fen);
            QVERIFY2(c().pruefeRemis(-KOENIG, 0) == fall.remis, fall.fen);
            QVERIFY(!remisDroht);
        }
    }

    void zurueckUndNeuerZug()
    {
        spieleAlle(c(), {"e2e4", "e7e5", "g1f3", "b8c6"});
        QCOMPARE(zeige(lastIndex - 3), QString(" 1 WS BAUER  E2-E4 "));
        QCOMPARE(c().aktuelleFen(true),
                 QString("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1"));
        // The legal moves are those of the position shown, Black's replies to 1. e4.
        QVERIFY(c().istLegalerZug(34, 54));
        QVERIFY(!c().istLegalerZug(98, 77));

        QCOMPARE(spiele(c(), "d7d5").text, QString(" 1 SW BAUER  D7-D5 "));
        QCOMPARE(lastIndex, 2);
        QCOMPARE(c().verlauf()->entries().size(), 3);
        QCOMPARE(spiele(c(), "e4d5").text, QString(" 2 WS BAUER  E4xD5 SCHLAEGT BAUER "));
    }

    void zugnummerImFen()
    {
        spieleAlle(c(), {"e2e4", "e7e5"});
        const QString nachE5 = "rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq e6 0 2";
        QCOMPARE(c().verlauf()->entry(2).fen, nachE5);

        // A game started from the exported FEN carries on with the right numbers.
        starteAus(c(), nachE5);
        QCOMPARE(spiele(c(), "g1f3").text, QString(" 2 WS PFERD  G1-F3 "));
        QCOMPARE(fenFeld(c().verlauf()->entry(1).fen, 5), QString("2"));

        // From a start with Black to move, Black's move keeps the number and the FEN counts on.
        starteAus(c(), "4k3/8/8/8/8/8/8/R3K3 b - - 3 7");
        QCOMPARE(spiele(c(), "e8d7").text, QString(" 7 SW KOENIG E8-D7 "));
        QCOMPARE(spiele(c(), "a1a7").text, QString(" 8 WS TURM   A1-A7 + "));
        QCOMPARE(c().verlauf()->entry(2).fen, QString("8/R2k4/8/8/8/8/8/4K3 b - - 5 8"));
    }

    // A rook that moves or is taken on its corner takes its right along, and so does the king.
    void rochaderechte()
    {
        const QString beide = "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1";
        const struct
        {
            QString fen;
            QStringList zuege;
            QString rechte;
        } faelle[] = {
            {beide, {"a1a2"}, "Kkq"},
            {beide, {"a1a2", "h8h7"}, "Kq"},
            {beide, {"a1a2", "h8h7", "e1e2"}, "q"},
            {beide, {"a1a8"}, "Kk"},
            {beide, {"a1a8", "e8e7"}, "K"},
            {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", {"h8h1"}, "Qq"},
            {"4k2r/6K1/8/8/8/8/8/8 w k - 0 1", {"g7h8"}, "-"},
        };
        for (const auto &fall : faelle) {
            starteAus(c(), fall.fen);
            QVERIFY(spieleAlle(c(), fall.zuege).ausgefuehrt);
            QCOMPARE(rochadeText(c().rochaderechte()), fall.rechte);
            QCOMPARE(fenFeld(c().verlauf()->entry(lastIndex).fen, 2), fall.rechte);
        }
    }

    // Another piece of the kind reaches the target from another file or the same one; a pinned
    // knight does not count.
    void mehrdeutigeZiele()
    {
        const struct
        {
            const char *fen, *zuege;
            int flags;
        } faelle[] = {
            {"4k3/8/8/8/8/5N2/8/1N2K3 w - - 0 1", "b1d2", ZUG_ANDERE_LINIE},
            {"4k3/8/8/R7/8/8/8/R3K3 w - - 0 1", "a1a3 e8d8 a5a4", ZUG_GLEICHE_LINIE},
            {"4k3/8/8/3p4/2P1P3/8/8/4K3 w - - 0 1", "e4d5", ZUG_SCHLAGEN | ZUG_ANDERE_LINIE},
            {"4k3/8/8/3b4/8/5N2/6K1/1N6 w - - 0 1", "b1d2", 0},
        };
        for (const auto &fall : faelle) {
            starteAus(c(), fall.fen);
            QCOMPARE(spieleAlle(c(), QString(fall.zuege).split(' ')).zug.flags, fall.flags);
        }
    }

    // The targets come in the list's order, the origin last.
    void ziele()
    {
        QList<int> springer = c().zielFelder(98);
        std::sort(springer.begin(), springer.end() - 1);
        QCOMPARE(springer, (QList<int>{77, 79, 98}));
        QVERIFY(c().zielFelder(96).isEmpty());
        QVERIFY(c().zielFelder(55).isEmpty());
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

    // The first move starts the clocks; a move made while reviewing charges nobody.
    void uhren()
    {
        QString text;
        c().uhrStarten();
        QThread::msleep(30);
        spiele(c(), "e2e4");
        QThread::msleep(30);
        spiele(c(), "e7e5");
        const qint64 schwarz = c().zeitSchwarz();
        QVERIFY(schwarz >= 30 && c().uhrText(true, text) && text == "00:00:00");
        zeige(1);
        QVERIFY(!c().uhrText(true, text));
        QThread::msleep(30);
        spiele(c(), "d7d5");
        QCOMPARE(c().zeitSchwarz(), schwarz);
        QCOMPARE(c().zeitWeiss(), 0);
    }

    void standzeitUndPhase()
    {
        einstellungen.startEnde = 4;
        spieleAlle(c(), {"g1f3", "e7e5", "b1c3", "d7d5", "f3g1", "g8f6"});
        // White to move: the knight back on g1 came from f3 one white move ago.
        QCOMPARE(
            QList<int>({standzeit[98], herkunft[98], standzeit[74], standzeit[96], standzeit[22]}),
            QList<int>({1, 77, 3, 0, 0}));
        QVERIFY(eroeffnungsphase && !fruehePhase);
        spieleAlle(c(), {"g1f3", "f6g8", "f3g1", "g8f6"});
        QVERIFY(!eroeffnungsphase);
        einstellungen.startEnde = 7;
    }

    // Positions the FEN reader accepts although no game reaches them: a few moves and the
    // review of them must hold.
    void seltsameStellungen()
    {
        const char *const stellungen[] = {
            "8/8/8/8/8/8/8/4K2R w K - 0 1",
            "8/8/8/3q4/8/8/3Q4/8 b - - 0 1",
            "P3k3/8/8/8/8/8/8/p3K3 w - - 0 1",
            "K6K/8/8/3k4/8/8/8/8 b - - 0 1",
            "p3k3/8/8/8/8/8/8/P3K3 b - - 0 1",
            "R3K2R/QQBBNNPP/PPPPPP2/8/8/8/8/k7 w - - 0 1",
            "1r2k1r1/PPP3PP/8/8/8/Q6Q/8/R3K2R w KQ - 0 1",
        };
        for (const char *fen : stellungen) {
            starteAus(c(), fen);
            for (int zug = 0; zug < 6 && c().legaleZuegeErmitteln(c().schwarzAmZug()); ++zug) {
                const Zug erster = c().legaleZuege()[0];
                const Gespielt g = spiele(c(), koordinatenZug(erster.von, erster.nach));
                QVERIFY2(g.ausgefuehrt, fen);
                if (g.spielEnde)
                    break;
            }
            pruefeRueckblick(fen);
        }

        // Back at the start the imported text is read as it was at the import, extra piece dropped.
        starteAus(c(), "QQQ5/8/8/8/8/8/2k5/4K3 w - - 0 1");
        QVERIFY(spiele(c(), "e1f1").ausgefuehrt);
        zeige(0);
        QCOMPARE(c().brett()[23], -DAME);
        QCOMPARE(c().brett()[24], LEER);

        // With the opponent's king en prise there is nothing to play.
        starteAus(c(), "4k3/8/8/8/8/8/8/4R1K1 w - - 0 1");
        QVERIFY(!c().legaleZuegeErmitteln(false) && !spiele(c(), "e1e8").ausgefuehrt);

        // More than a hundred legal moves fit the list.
        starteAus(c(), "k7/8/4Q3/8/3Q4/1R4R1/2N1BN2/2B1K1K1 w - - 0 1");
        QVERIFY(anzahlLegal() > 100 && anzahlLegal() < MAX_ZUEGE);
    }
};

QTEST_MAIN(TestController)
#include "tst_controller.moc"

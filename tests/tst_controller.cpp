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

    // Every entry of the game, shown again, gives back the position stored in it.
    void pruefeRueckblick(const char *fall)
    {
        const int letzter = lastIndex;
        for (int i = 0; i <= letzter; ++i) {
            currentIndex = i;
            Zug zug;
            int zeile;
            QString text;
            c().ladeHistoryStellung(zug, zeile, text);
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
        QCOMPARE(c().titel(false), QString("Brakmor 1.26"));
        c().setzePartieTitel("Meine Partie");
        QCOMPARE(c().titel(true), QString("Brakmor 1.26 ;   Meine Partie"));
        QCOMPARE(c().titel(false), QString("Brakmor 1.26"));
        c().starteSpiel(3);
        QCOMPARE(c().titel(true), QString("Brakmor 1.26"));

        QCOMPARE(lastIndex, 0);
        QCOMPARE(currentIndex, 0);
        const HistoryEntry start = c().verlauf()->entry(0);
        QCOMPARE(start.fen, grundstellung);
        QCOMPARE(start.zugnummer, 1);
        QCOMPARE(start.listenZeile, 3);
        QVERIFY(start.zugText.isEmpty());
        QCOMPARE(materialBilanz, 0);
        QCOMPARE(c().aktuelleFen(false), grundstellung);
    }

    void ersterZugUndAntwort()
    {
        Gespielt e4 = spiele(c(), "e2e4");
        QVERIFY(e4.ausgefuehrt);
        QCOMPARE(e4.text, QString(" 1 WS BAUER  E2-E4 "));
        QCOMPARE(e4.meldung, QString());
        QCOMPARE(e4.zug.flags, ZUG_DOPPELSCHRITT);
        QVERIFY(!e4.spielEnde);
        HistoryEntry eintrag = c().verlauf()->entry(1);
        QCOMPARE(eintrag.halbzugZaehler, 0);
        QCOMPARE(eintrag.zugnummer, 1);
        QCOMPARE(eintrag.bewegteFigur, -BAUER);
        QCOMPARE(eintrag.fen,
                 QString("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1"));
        QCOMPARE(currentIndex, 1);
        QCOMPARE(lastIndex, 1);
        QVERIFY(c().schwarzAmZug());

        QCOMPARE(spiele(c(), "g8f6").text, QString(" 1 SW PFERD  G8-F6 "));
        QCOMPARE(c().verlauf()->entry(2).halbzugZaehler, 1);
        QCOMPARE(spiele(c(), "g1f3").text, QString(" 2 WS PFERD  G1-F3 "));
        QCOMPARE(c().verlauf()->entry(3).zugnummer, 2);
    }

    void notationDerSonderzuege()
    {
        starteAus(c(), "r3k2r/pppppppp/8/8/8/8/PPPPPPPP/R3K2R w KQkq - 0 1");
        Gespielt kurz = spiele(c(), "e1g1");
        QVERIFY(kurz.text.endsWith("E1-G1 O-O "));
        QCOMPARE(kurz.zug.flags, ZUG_ROCHADE);
        Gespielt lang = spiele(c(), "e8c8");
        QCOMPARE(lang.text, QString(" 1 SW KOENIG E8-C8 O-O-O "));
        QCOMPARE(c().brett()[25], TURM);
        QCOMPARE(c().brett()[98], -KOENIG);

        // Taking with promotion names the captured piece instead of the promotion.
        starteAus(c(), "r7/1P5k/8/8/8/8/8/4K3 w - - 0 1");
        Gespielt bxa8 = spiele(c(), "b7a8");
        QCOMPARE(bxa8.text, QString(" 1 WS DAME   B7xA8 SCHLAEGT TURM "));
        QCOMPARE(bxa8.meldung, QString("BAUERNWANDLUNG "));
        QCOMPARE(bxa8.zug.flags, ZUG_WANDLUNG | ZUG_SCHLAGEN);
        const HistoryEntry wandlung = c().verlauf()->entry(1);
        QCOMPARE(wandlung.wandlungsFigur, -DAME);
        QCOMPARE(wandlung.bewegteFigur, -BAUER);

        starteAus(c(), "8/pP5k/8/8/8/8/8/4K3 w - - 7 40");
        Gespielt b8 = spiele(c(), "b7b8n");
        QCOMPARE(b8.text, QString("40 WS PFERD  B7-B8 BAUERNWANDLUNG "));
        QCOMPARE(b8.meldung, QString("BAUERNWANDLUNG "));
        QCOMPARE(c().brett()[23], -PFERD);
        QCOMPARE(c().verlauf()->entry(1).halbzugZaehler, 0);

        starteAus(c(), "4k3/8/8/3Pp3/8/8/8/4K3 w - e6 0 1");
        Gespielt ep = spiele(c(), "d5e6");
        QCOMPARE(ep.text, QString(" 1 WS BAUER  D5-E6 EN PASSANT "));
        QCOMPARE(ep.meldung, QString("EN PASSANT "));
        QCOMPARE(ep.zug.flags, ZUG_ENPASSANT | ZUG_SCHLAGEN);
        QCOMPARE(c().brett()[56], LEER);

        starteAus(c(), "4k3/8/8/8/8/8/8/R3K3 w - - 0 1");
        Gespielt schach = spiele(c(), "a1a8");
        QCOMPARE(schach.text, QString(" 1 WS TURM   A1-A8 + "));
        QCOMPARE(schach.meldung, QString("SCHACH "));
    }

    void spielende()
    {
        Gespielt matt = spieleAlle(c(), {"e2e4", "e7e5", "f1c4", "b8c6", "d1h5", "g8f6", "h5f7"});
        QCOMPARE(matt.zug.flags & 0x00C0, 0x00C0);
        QCOMPARE(matt.text, QString(" 4 WS DAME   H5xF7 SCHLAEGT BAUER + \n   Weiß gewinnt"));
        QCOMPARE(matt.meldung, QString("SCHACH Weiß gewinnt"));
        QVERIFY(matt.spielEnde);
        QVERIFY(!c().legaleZuegeErmitteln(true));

        starteAus(c(), "k7/8/8/8/8/8/8/1Q2K3 w - - 0 1");
        Gespielt patt = spiele(c(), "b1b6");
        QCOMPARE(patt.zug.flags, ZUG_KEINE_ANTWORT | ZUG_PATT);
        QCOMPARE(patt.meldung, QString("Patt, Remis"));
        QVERIFY(patt.text.endsWith("B1-B6 \n   Patt, Remis"));
        QVERIFY(patt.spielEnde);

        starteAus(c(), grundstellung);
        spiele(c(), "e2e4");
        Gespielt aufgabe = spiele(c(), "e7e5", ZUG_AUFGEGEBEN);
        QCOMPARE(aufgabe.zug.flags, ZUG_SCHWARZ | ZUG_DOPPELSCHRITT | ZUG_AUFGEGEBEN);
        QCOMPARE(aufgabe.text, QString(" 1 SW BAUER  E7-E5 \n   Aufgegeben, Weiß gewinnt"));
        QCOMPARE(aufgabe.meldung, QString("Aufgegeben, Weiß gewinnt"));
        QVERIFY(aufgabe.spielEnde);

        // The winner's words come from the language table.
        QVERIFY(Languages::instance()->ladeSprache(1).isEmpty());
        starteAus(c(), grundstellung);
        Gespielt englisch = spieleAlle(c(), {"f2f3", "e7e5", "g2g4", "d8h4"});
        QCOMPARE(englisch.text, QString(" 2 BL Queen  D8-H4 + \n   Black wins"));
        QCOMPARE(englisch.meldung, QString("CHECK Black wins"));
    }

    void remisDurchMaterial()
    {
        // Two bare kings on the edge files: the shortest placement there is.
        starteAus(c(), "k7/8/8/8/8/8/r7/K7 w - - 0 1");
        QVERIFY(spiele(c(), "a1a2").spielEnde);
        QCOMPARE(c().verlauf()->entry(1).fen, QString("k7/8/8/8/8/8/K7/8 b - - 0 1"));
        pruefeRueckblick("bare kings");
        QCOMPARE(c().brett()[82], -KOENIG);

        starteAus(c(), "4k3/8/8/8/8/8/3r4/4KB2 w - - 0 1");
        Gespielt kxd2 = spiele(c(), "e1d2");
        QVERIFY(kxd2.zug.flags & ZUG_REMIS);
        QCOMPARE(kxd2.text, QString(" 1 WS KOENIG E1xD2 SCHLAEGT TURM \n   REMIS "));
        QCOMPARE(kxd2.meldung, QString("REMIS "));
        QVERIFY(kxd2.spielEnde);

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

    void fuenfzigZuege()
    {
        starteAus(c(), "4k3/8/8/8/8/8/7P/R3K3 w - - 99 70");
        Gespielt bei99 = spiele(c(), "a1a2");
        QVERIFY(!(bei99.zug.flags & ZUG_REMIS));
        QCOMPARE(c().verlauf()->entry(1).halbzugZaehler, 100);
        Gespielt bei100 = spiele(c(), "e8e7");
        QVERIFY(bei100.zug.flags & ZUG_REMIS);
        QVERIFY(bei100.spielEnde);
        QCOMPARE(bei100.meldung, QString("REMIS "));

        // A pawn move or a capture at 100 resets the clock instead.
        starteAus(c(), "4k3/8/8/8/8/8/7P/R3K3 w - - 100 70");
        Gespielt bauer = spiele(c(), "h2h3");
        QVERIFY(!(bauer.zug.flags & ZUG_REMIS));
        QCOMPARE(c().verlauf()->entry(1).halbzugZaehler, 0);
    }

    void wiederholung()
    {
        // The rook gives check each time it returns to a8: the warning still replaces the message.
        starteAus(c(), "4k3/8/8/8/8/8/8/R3K3 w - - 0 1");
        const QStringList runde = {"a1a8", "e8e7", "a8a1", "e7e8"};
        spieleAlle(c(), runde + runde);
        QVERIFY(!remisDroht);
        Gespielt warnung = spiele(c(), "a1a8");
        QVERIFY(warnung.zug.flags & ZUG_SCHACH);
        QVERIFY(remisDroht);
        QCOMPARE(warnung.meldung, QString("Es droht Remis wenn drei gleiche Züge!"));
        QCOMPARE(warnung.text, QString(" 5 WS TURM   A1-A8 + "));
        QVERIFY(!warnung.spielEnde);
        spiele(c(), "e8e7");
        Gespielt remis = spiele(c(), "a8a1");
        QVERIFY(remis.zug.flags & ZUG_REMIS);
        QVERIFY(remis.spielEnde);
        QCOMPARE(remis.text, QString(" 6 WS TURM   A8-A1 \n   REMIS "));
        QCOMPARE(remis.meldung, QString("REMIS "));
    }

    void zurueckUndNeuerZug()
    {
        spieleAlle(c(), {"e2e4", "e7e5", "g1f3", "b8c6"});
        currentIndex -= 3;
        Zug zug;
        int zeile = -1;
        QString text;
        c().ladeHistoryStellung(zug, zeile, text);
        QCOMPARE(zug.nach, 66);
        QCOMPARE(zeile, 1);
        QCOMPARE(text, QString(" 1 WS BAUER  E2-E4 "));
        QVERIFY(c().schwarzAmZug());
        QCOMPARE(c().brett()[66], -BAUER);
        QCOMPARE(c().brett()[36], BAUER);
        QCOMPARE(c().brett()[56], LEER);
        // The legal moves are those of the position shown, Black's replies to 1. e4.
        QVERIFY(c().istLegalerZug(34, 54));
        QVERIFY(!c().istLegalerZug(98, 77));
        QCOMPARE(c().aktuelleFen(true),
                 QString("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1"));
        QString uhr;
        QVERIFY(!c().uhrText(true, uhr));

        Gespielt d5 = spiele(c(), "d7d5");
        QVERIFY(d5.ausgefuehrt);
        QCOMPARE(lastIndex, 2);
        QCOMPARE(currentIndex, 2);
        QCOMPARE(c().verlauf()->entries().size(), 3);
        QCOMPARE(d5.text, QString(" 1 SW BAUER  D7-D5 "));
        QCOMPARE(spiele(c(), "e4d5").text, QString(" 2 WS BAUER  E4xD5 SCHLAEGT BAUER "));
    }

    void zugnummerImFen()
    {
        spieleAlle(c(), {"e2e4", "e7e5"});
        const QString nachE5 = "rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq e6 0 2";
        QCOMPARE(c().verlauf()->entry(2).fen, nachE5);
        QCOMPARE(c().verlauf()->entry(2).zugnummer, 1);
        QCOMPARE(c().aktuelleFen(false), nachE5);
        currentIndex = 1;
        Zug zug;
        int zeile;
        QString text;
        c().ladeHistoryStellung(zug, zeile, text);
        QCOMPARE(fenFeld(c().aktuelleFen(true), 5), QString("1"));

        // A game started from the exported FEN carries on with the right numbers.
        starteAus(c(), nachE5);
        QCOMPARE(spiele(c(), "g1f3").text, QString(" 2 WS PFERD  G1-F3 "));
        QCOMPARE(fenFeld(c().verlauf()->entry(1).fen, 5), QString("2"));

        // From a start with Black to move, Black's move keeps the number and the FEN counts on.
        starteAus(c(), "4k3/8/8/8/8/8/8/R3K3 b - - 3 7");
        Gespielt schwarz = spiele(c(), "e8d7");
        QCOMPARE(schwarz.text, QString(" 7 SW KOENIG E8-D7 "));
        QCOMPARE(c().verlauf()->entry(1).fen, QString("8/3k4/8/8/8/8/8/R3K3 w - - 4 8"));
        Gespielt weiss = spiele(c(), "a1a7");
        QCOMPARE(weiss.text, QString(" 8 WS TURM   A1-A7 + "));
        QCOMPARE(c().verlauf()->entry(2).fen, QString("8/R2k4/8/8/8/8/8/4K3 b - - 5 8"));
    }

    void rochaderechte()
    {
        const QString fen = "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1";
        starteAus(c(), fen);
        spiele(c(), "a1a2");
        QCOMPARE(rochadeText(c().rochaderechte()), QString("Kkq"));
        spiele(c(), "h8h7");
        QCOMPARE(rochadeText(c().rochaderechte()), QString("Kq"));
        spiele(c(), "e1e2");
        QCOMPARE(rochadeText(c().rochaderechte()), QString("q"));

        // A rook taken on its corner takes the right with it; the captured side loses it.
        starteAus(c(), fen);
        spiele(c(), "a1a8");
        QCOMPARE(rochadeText(c().rochaderechte()), QString("Kk"));
        spiele(c(), "e8e7");
        QCOMPARE(rochadeText(c().rochaderechte()), QString("K"));
        QCOMPARE(fenFeld(c().verlauf()->entry(2).fen, 2), QString("K"));

        starteAus(c(), "r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1");
        spiele(c(), "h8h1");
        QCOMPARE(rochadeText(c().rochaderechte()), QString("Qq"));
        // Even a king that takes the rook on its corner ends that right.
        starteAus(c(), "4k2r/6K1/8/8/8/8/8/8 w k - 0 1");
        spiele(c(), "g7h8");
        QCOMPARE(rochadeText(c().rochaderechte()), QString("-"));
    }

    void mehrdeutigeZiele()
    {
        // Another knight could go to d2 from another file, another rook to a3 from the same file.
        starteAus(c(), "4k3/8/8/8/8/5N2/8/1N2K3 w - - 0 1");
        QCOMPARE(spiele(c(), "b1d2").zug.flags, ZUG_ANDERE_LINIE);
        starteAus(c(), "4k3/8/8/R7/8/8/8/R3K3 w - - 0 1");
        QCOMPARE(spiele(c(), "a1a3").zug.flags, ZUG_GLEICHE_LINIE);
        QCOMPARE(spiele(c(), "e8d8").zug.flags, ZUG_SCHWARZ);
        QCOMPARE(spiele(c(), "a5a4").zug.flags, ZUG_GLEICHE_LINIE);
        starteAus(c(), "4k3/8/8/3p4/2P1P3/8/8/4K3 w - - 0 1");
        QCOMPARE(spiele(c(), "e4d5").zug.flags, ZUG_SCHLAGEN | ZUG_ANDERE_LINIE);
        // A pinned knight cannot go there, so it needs no mention.
        starteAus(c(), "4k3/8/8/3b4/8/5N2/6K1/1N6 w - - 0 1");
        QCOMPARE(spiele(c(), "b1d2").zug.flags, 0);
    }

    void legaleZuegeUndZiele()
    {
        // The targets come in the list's order, the origin last.
        QList<int> bauer = c().zielFelder(87);
        std::sort(bauer.begin(), bauer.end() - 1);
        QCOMPARE(bauer, (QList<int>{67, 77, 87}));
        QList<int> springer = c().zielFelder(98);
        std::sort(springer.begin(), springer.end() - 1);
        QCOMPARE(springer, (QList<int>{77, 79, 98}));
        QVERIFY(c().zielFelder(96).isEmpty());
        QVERIFY(c().zielFelder(55).isEmpty());
        QVERIFY(c().istLegalerZug(86, 66));
        QVERIFY(!c().istLegalerZug(86, 56));
        QVERIFY(!c().istLegalerZug(35, 55));
        int anzahl = 0;
        for (const Zug *z = c().legaleZuege(); z->von != 0; ++z)
            ++anzahl;
        QCOMPARE(anzahl, 20);

        spieleAlle(c(), {"e2e4", "e7e5", "g1f3"});
        QCOMPARE(c().historyIndexForRow(0), 0);
        QCOMPARE(c().historyIndexForRow(2), 2);
        QCOMPARE(c().historyIndexForRow(3), 3);
        QCOMPARE(c().historyIndexForRow(9), 3);
    }

    // The window asks a running engine job to stop while the human may already move: the
    // controller's own searches must still see every legal move.
    void stoppWunschGiltNichtDerPartie()
    {
        abbrechen = true;
        const bool hatZuege = c().legaleZuegeErmitteln(false);
        int anzahl = 0;
        for (const Zug *z = c().legaleZuege(); z->von != 0; ++z)
            ++anzahl;
        const bool gezogen = spiele(c(), "g1f3").ausgefuehrt;
        abbrechen = false;
        QVERIFY(hatZuege);
        QCOMPARE(anzahl, 20);
        QVERIFY(gezogen);
    }

    void abgelehnteZuege()
    {
        spiele(c(), "e2e4");
        const QString fen = c().verlauf()->entry(1).fen;
        Gespielt falsch = spiele(c(), "e1e3");
        QVERIFY(!falsch.ausgefuehrt);
        QCOMPARE(falsch.meldung, QString("Error: Controller::bewegeFigur() 96-76"));
        // A move by the side that has just moved is refused, legal as it would be.
        Zug weiss{85, 65, 0, 0};
        QString meldung, text;
        bool ende = false;
        QVERIFY(!c().bewegeFigur(weiss, DAME, 5, meldung, text, ende));
        QCOMPARE(meldung, QString("Error: Controller::bewegeFigur() 85-65"));
        QCOMPARE(lastIndex, 1);
        QCOMPARE(c().aktuelleFen(true), fen);
        QCOMPARE(c().zeitSchwarz(), 0);

        // A pawn becomes one of the four pieces, nothing else.
        starteAus(c(), "4k3/P7/8/8/8/8/8/4K3 w - - 0 1");
        Zug koenig{32, 22, 0, ZUG_WANDLUNG};
        QVERIFY(!c().bewegeFigur(koenig, KOENIG, 1, meldung, text, ende));
        QCOMPARE(meldung, QString("Error: Controller::bewegeFigur() 32-22"));
        QCOMPARE(c().brett()[32], -BAUER);
        QVERIFY(spiele(c(), "a7a8r").ausgefuehrt);
        QCOMPARE(c().brett()[22], -TURM);
    }

    void notationEingabe()
    {
        // As a loaded game passes its moves: origin unknown or hinted, piece kind in wert.
        const QString springer = "r3k2r/8/8/8/8/5N2/8/RN2K2R w KQkq - 0 1";
        starteAus(c(), springer);
        Zug ohneHinweis{0, 85, PFERD, ZUG_UNVOLLSTAENDIG};
        QString meldung, text;
        bool ende;
        QVERIFY(c().bewegeFigur(ohneHinweis, DAME, 1, meldung, text, ende));
        QVERIFY(ohneHinweis.von == 93 || ohneHinweis.von == 77);
        QCOMPARE(ohneHinweis.flags, ZUG_ANDERE_LINIE);
        starteAus(c(), springer);
        Zug mitLinie{3, 85, PFERD, ZUG_UNVOLLSTAENDIG};
        QVERIFY(c().bewegeFigur(mitLinie, DAME, 1, meldung, text, ende));
        QCOMPARE(mitLinie.von, 93);
        QCOMPARE(text, QString(" 1 WS PFERD  B1-D2 "));
        starteAus(c(), springer);
        Zug mitReihe{70, 85, PFERD, ZUG_UNVOLLSTAENDIG};
        QVERIFY(c().bewegeFigur(mitReihe, DAME, 1, meldung, text, ende));
        QCOMPARE(mitReihe.von, 77);

        // Castling arrives with White's target; the loader moves Black's up to row 2.
        Zug rochade{0, 28, KOENIG, ZUG_UNVOLLSTAENDIG | ZUG_ROCHADE | ZUG_SCHWARZ};
        QVERIFY(c().bewegeFigur(rochade, DAME, 2, meldung, text, ende));
        QCOMPARE(rochade.von, 26);
        QCOMPARE(rochade.flags, ZUG_ROCHADE | ZUG_SCHWARZ);
        QCOMPARE(c().brett()[27], TURM);
        QCOMPARE(text, QString(" 1 SW KOENIG E8-G8 O-O "));

        starteAus(c(), "4k3/1P6/8/8/8/8/8/4K3 w - - 0 1");
        Zug wandlung{0, 23, LAEUFER, ZUG_UNVOLLSTAENDIG | ZUG_WANDLUNG};
        QVERIFY(c().bewegeFigur(wandlung, DAME, 1, meldung, text, ende));
        QCOMPARE(wandlung.von, 33);
        QCOMPARE(c().brett()[23], -LAEUFER);

        starteAus(c(), "4k3/8/8/8/8/8/8/4K3 w - - 0 1");
        Zug nichts{0, 76, PFERD, ZUG_UNVOLLSTAENDIG};
        QVERIFY(!c().bewegeFigur(nichts, DAME, 1, meldung, text, ende));
        QCOMPARE(nichts.von, 0);
        QCOMPARE(meldung, QString("Error: Controller::bewegeFigur() 0-76"));
    }

    void uhren()
    {
        QString text;
        QVERIFY(!c().uhrText(false, text));
        c().uhrStarten();
        QThread::msleep(30);
        // The first move of a game is not charged: the clocks start with it.
        spiele(c(), "e2e4");
        QCOMPARE(c().zeitWeiss(), 0);
        QThread::msleep(30);
        QVERIFY(c().uhrText(true, text));
        QCOMPARE(text, QString("00:00:00"));
        spiele(c(), "e7e5");
        QVERIFY(c().zeitSchwarz() >= 30);
        const qint64 schwarz = c().zeitSchwarz();

        // A move made while an earlier position is shown charges nobody.
        currentIndex = 1;
        QVERIFY(!c().uhrText(true, text));
        Zug zug;
        int zeile;
        c().ladeHistoryStellung(zug, zeile, text);
        QThread::msleep(30);
        spiele(c(), "d7d5");
        QCOMPARE(c().zeitSchwarz(), schwarz);
        QCOMPARE(c().zeitWeiss(), 0);
        c().starteSpiel(0);
        QCOMPARE(c().zeitSchwarz(), 0);
    }

    void standzeitUndPhase()
    {
        einstellungen.startEnde = 4;
        spieleAlle(c(), {"g1f3", "e7e5", "b1c3", "d7d5", "f3g1"});
        // Black is to move: its pieces other than pawns and king.
        QCOMPARE(standzeit[22], 5);
        QCOMPARE(herkunft[22], c().verlauf()->entry(0).von);
        QCOMPARE(standzeit[96], 0);
        QCOMPARE(standzeit[76], 0);
        spiele(c(), "g8f6");
        // White to move: the knight back on g1 came from f3 one white move ago.
        QCOMPARE(standzeit[98], 1);
        QCOMPARE(herkunft[98], 77);
        QCOMPARE(standzeit[74], 3);
        QCOMPARE(herkunft[74], 93);
        QCOMPARE(standzeit[92], 6);
        QVERIFY(eroeffnungsphase);
        QVERIFY(!fruehePhase);
        spieleAlle(c(), {"g1f3", "f6g8", "f3g1", "g8f6"});
        QVERIFY(!eroeffnungsphase);
        einstellungen.startEnde = 7;
    }

    // Positions the FEN reader accepts although no game reaches them.
    void seltsameStellungen()
    {
        const char *const stellungen[] = {
            "8/8/8/8/8/8/8/4K2R w K - 0 1",    // no black king
            "8/8/8/3q4/8/8/3Q4/8 b - - 0 1",   // no king at all
            "4k3/8/8/8/8/8/8/4R1K1 w - - 0 1", // the side not to move is in check
            "P3k3/8/8/8/8/8/8/p3K3 w - - 0 1", // pawns on their last rank
            "p3k3/8/8/8/8/8/8/P3K3 b - - 0 1", // and on their first
            "K6K/8/8/3k4/8/8/8/8 b - - 0 1",   // two white kings
            "R3K2R/QQBBNNPP/PPPPPP2/8/8/8/8/k7 w - - 0 1",
            "1r2k1r1/PPP3PP/8/8/8/Q6Q/8/R3K2R w KQ - 0 1",
        };
        for (const char *fen : stellungen) {
            starteAus(c(), fen);
            for (int zug = 0; zug < 6 && c().legaleZuegeErmitteln(c().schwarzAmZug()); ++zug) {
                int anzahl = 0;
                for (const Zug *z = c().legaleZuege(); z->von != 0; ++z)
                    QVERIFY(++anzahl < MAX_ZUEGE);
                const Zug erster = c().legaleZuege()[0];
                Gespielt g = spiele(c(), koordinatenZug(erster.von, erster.nach));
                QVERIFY2(g.ausgefuehrt, fen);
                if (g.spielEnde)
                    break;
            }
            pruefeRueckblick(fen);
        }

        // Back at the start the imported text is read as it was at the import, extra piece dropped.
        starteAus(c(), "QQQ5/8/8/8/8/8/2k5/4K3 w - - 0 1");
        QVERIFY(spiele(c(), "e1f1").ausgefuehrt);
        currentIndex = 0;
        Zug zug;
        int zeile;
        QString text;
        c().ladeHistoryStellung(zug, zeile, text);
        QCOMPARE(c().brett()[23], -DAME);
        QCOMPARE(c().brett()[24], LEER);

        // With the opponent's king en prise there is nothing to play: the game is over.
        starteAus(c(), "4k3/8/8/8/8/8/8/4R1K1 w - - 0 1");
        QVERIFY(!c().legaleZuegeErmitteln(false));
        QVERIFY(!spiele(c(), "e1e8").ausgefuehrt);
        QCOMPARE(lastIndex, 0);

        // More than a hundred legal moves fit the list.
        starteAus(c(), "k7/8/4Q3/8/3Q4/1R4R1/2N1BN2/2B1K1K1 w - - 0 1");
        int anzahl = 0;
        for (const Zug *z = c().legaleZuege(); z->von != 0; ++z)
            ++anzahl;
        QVERIFY(anzahl > 100);
    }
};

QTEST_MAIN(TestController)
#include "tst_controller.moc"

#include "app/einstellungen.h"
#include "app/languages.h"
#include "pgn/pgn.h"

#include <QtTest>

namespace {

// A half-move as the move execution records it: the piece on the target after the move, for a
// promotion the pawn and the new piece.
HistoryEntry halbzug(int von, int nach, int figur, int flags, int zugnummer, int neu = 0)
{
    HistoryEntry e;
    e.von = von;
    e.nach = nach;
    e.flags = flags;
    e.bewegteFigur = figur;
    e.wandlungsFigur = neu;
    e.zugnummer = zugnummer;
    return e;
}

QList<HistoryEntry> mitStart(const QList<HistoryEntry> &zuege)
{
    return QList<HistoryEntry>{HistoryEntry()} + zuege;
}

QString zugtext(const Pgn &pgn, const QList<HistoryEntry> &zuege)
{
    const QString text = pgn.erzeugeText(mitStart(zuege));
    return text.mid(text.indexOf(QLatin1String("\n\n")) + 1);
}

// Knight moves back and forth, White from g1, Black from g8, for as many half-moves as asked.
QList<HistoryEntry> pendel(int halbzuege)
{
    QList<HistoryEntry> zuege;
    for (int i = 0; i < halbzuege; ++i) {
        const bool schwarz = i % 2;
        const bool hin = (i / 2) % 2 == 0;
        const int basis = schwarz ? 28 : 98;
        const int ziel = schwarz ? 47 : 77;
        zuege << halbzug(hin ? basis : ziel, hin ? ziel : basis, schwarz ? PFERD : -PFERD,
                         schwarz ? ZUG_SCHWARZ : 0, i / 2 + 1);
    }
    return zuege;
}

} // namespace

class TestPgnSchreiben : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        einstellungen = Einstellungen();
        einstellungen.sprache = 0;
        Languages::instance()->ladeSprache(0);
    }

    // A copy keeps a missing date; an assignment fills it with the current time.
    void kopieUndZuweisung()
    {
        Pgn quelle;
        QVERIFY(!Pgn(quelle).datum.isValid());
        Pgn ziel;
        ziel = quelle;
        QVERIFY(ziel.datum.isValid());
        quelle.datum = QDateTime(QDate(2001, 2, 3), QTime(4, 5));
        ziel = quelle;
        QCOMPARE(ziel.datum, quelle.datum);
    }

    void neuePartieUndErgebnis()
    {
        einstellungen.nameMensch1 = "Anna";
        einstellungen.nameMensch2 = "Bert";
        einstellungen.schwierigkeit = 3;
        Pgn pgn;
        pgn.runde = 6;
        pgn.weissElo = 2000;
        pgn.neuePartie(0, 1, QString());
        QCOMPARE(QStringList({pgn.weiss, pgn.schwarz, QString::number(pgn.runde),
                              QString::number(pgn.weissElo), pgn.event, pgn.site, pgn.ergebnis}),
                 QStringList({"Anna", "Brakmor", "7", "0", "Mittel",
                              "Brakmor V1.26; https://brakmor.example.org", "*"}));
        QVERIFY(pgn.weissUnten);
        pgn.neuePartie(1, 0, "8/8/8/8/8/8/8/K6k b - - 0 40");
        QCOMPARE(pgn.weiss + '|' + pgn.schwarz + '|' + pgn.fen,
                 QString("Brakmor|Anna|8/8/8/8/8/8/8/K6k b - - 0 40"));
        QVERIFY(!pgn.weissUnten);
        pgn.neuePartie(0, 0, QString());
        QCOMPARE(pgn.schwarz, QString("Bert"));

        QStringList ergebnisse;
        for (int flags : {ZUG_SCHWARZ | ZUG_SCHACH | ZUG_KEINE_ANTWORT,
                          ZUG_KEINE_ANTWORT | ZUG_PATT, ZUG_REMIS, ZUG_SCHACH}) {
            pgn.setzeErgebnis(flags);
            ergebnisse << pgn.ergebnis;
        }
        QCOMPARE(ergebnisse, QStringList({"0-1", "1/2-1/2", "1/2-1/2", "*"}));

        pgn.siteLoeschen();
        pgn.setzeErgebnis(ZUG_SCHWARZ | ZUG_AUFGEGEBEN);
        QCOMPARE(pgn.site + '|' + pgn.ergebnis, QString("-; Aufgegeben|1-0"));
        pgn.site.clear();
        pgn.setzeErgebnis(ZUG_AUFGEGEBEN);
        QCOMPARE(pgn.site + '|' + pgn.ergebnis, QString("Aufgegeben|0-1"));
    }

    void tagsInOrdnungUndMaskiert()
    {
        Pgn pgn;
        pgn.event = "Mittel";
        pgn.site = "Ort";
        pgn.datum = QDateTime(QDate(2024, 1, 9), QTime(12, 0));
        pgn.runde = 3;
        pgn.weiss = "Anna \"die Schnelle\"";
        pgn.schwarz = "C:\\Brakmor";
        pgn.weissElo = 1500;
        pgn.ergebnis = "*";
        QCOMPARE(pgn.erzeugeText(mitStart({})),
                 QString("[Event \"Mittel\"]\n[Site \"Ort\"]\n[Date \"2024.01.09\"]\n"
                         "[Round \"3\"]\n[White \"Anna \\\"die Schnelle\\\"\"]\n"
                         "[Black \"C:\\\\Brakmor\"]\n[WhiteElo \"1500\"]\n[BlackElo \"0\"]\n"
                         "[ECO \"\"]\n[Result \"*\"]\n*\n\n"));

        pgn.fen = "4k3/8/8/8/8/8/8/4K3 b - - 0 12";
        const QString text = pgn.erzeugeText(mitStart({halbzug(26, 27, KOENIG, ZUG_SCHWARZ, 12)}));
        QVERIFY(
            text.contains("[Result \"*\"]\n[SetUp \"1\"]\n[FEN \"4k3/8/8/8/8/8/8/4K3 b - - 0 12\"]"
                          "\n\n12. Kf8 *\n\n"));
    }

    void sanEinzelheiten()
    {
        Pgn pgn;
        pgn.ergebnis = "1-0";
        const QList<HistoryEntry> zuege = {
            halbzug(96, 98, -KOENIG, ZUG_ROCHADE | ZUG_SCHACH, 20),
            halbzug(26, 24, KOENIG, ZUG_SCHWARZ | ZUG_ROCHADE, 20),
            halbzug(37, 28, -BAUER, ZUG_WANDLUNG | ZUG_SCHLAGEN | ZUG_SCHACH, 21, -DAME),
            halbzug(89, 99, BAUER, ZUG_SCHWARZ | ZUG_WANDLUNG, 21, PFERD),
            halbzug(92, 72, -TURM, ZUG_GLEICHE_LINIE, 22),
            halbzug(43, 64, PFERD, ZUG_SCHWARZ | ZUG_ANDERE_LINIE | ZUG_GLEICHE_LINIE, 22),
            halbzug(56, 47, -BAUER, ZUG_ENPASSANT | ZUG_SCHLAGEN, 23),
            halbzug(92, 95, TURM, ZUG_SCHWARZ | ZUG_ANDERE_LINIE | ZUG_SCHLAGEN, 23),
            halbzug(85, 65, 0, 0, 24),
            halbzug(85, 64, 0, ZUG_SCHWARZ | ZUG_SCHLAGEN, 24),
            halbzug(76, 55, -DAME, ZUG_SCHACH | ZUG_KEINE_ANTWORT, 25),
        };
        QCOMPARE(zugtext(pgn, zuege),
                 QString("\n20. O-O O-O-O 21. fxg8=Q+ h1=N 22. R1a3 Nb6c4 23. exf6 Raxd1 "
                         "24. d2-d4 d2xc4 \n25. Qd5+ 1-0\n\n"));
    }

    // Starting with Black: the number goes before Black's move, the lines break before White's
    // moves at half-moves 10, 20, ...
    void zeilenumbruchNachFuenfZuegen()
    {
        Pgn pgn;
        pgn.ergebnis = "*";
        pgn.fen = "rnbqkbnr/pppppppp/8/8/8/5N2/PPPPPPPP/RNBQKB1R b KQkq - 1 1";
        QCOMPARE(zugtext(pgn, pendel(22).mid(1)),
                 QString("\n1. Nf6 2. Ng1 Ng8 3. Nf3 Nf6 4. Ng1 Ng8 5. Nf3 Nf6 \n"
                         "6. Ng1 Ng8 7. Nf3 Nf6 8. Ng1 Ng8 9. Nf3 Nf6 10. Ng1 Ng8 \n"
                         "11. Nf3 Nf6 *\n\n"));
    }
};

QTEST_GUILESS_MAIN(TestPgnSchreiben)
#include "tst_pgn_schreiben.moc"

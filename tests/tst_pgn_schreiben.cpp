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
        const QString leer = pgn.erzeugeText(mitStart({}));
        QCOMPARE(leer, QString("[Event \"Mittel\"]\n[Site \"Ort\"]\n[Date \"2024.01.09\"]\n"
                               "[Round \"3\"]\n[White \"Anna \\\"die Schnelle\\\"\"]\n"
                               "[Black \"C:\\\\Brakmor\"]\n[WhiteElo \"1500\"]\n[BlackElo \"0\"]\n"
                               "[ECO \"\"]\n[Result \"*\"]\n*\n\n"));
        QList<Pgn> zurueck;
        QVERIFY(Pgn::partienLesen(leer, zurueck));
        QCOMPARE(zurueck.value(0).weiss + '|' + zurueck.value(0).schwarz,
                 pgn.weiss + '|' + pgn.schwarz);

        pgn.fen = "4k3/8/8/8/8/8/8/4K3 b - - 0 12";
        const QString text = pgn.erzeugeText(mitStart({halbzug(26, 27, KOENIG, ZUG_SCHWARZ, 12)}));
        QVERIFY(
            text.contains("[Result \"*\"]\n[SetUp \"1\"]\n[FEN \"4k3/8/8/8/8/8/8/4K3 b - - 0 12\"]"
                          "\n\n12. Kf8 *\n\n"));
    }

    // A date is written back as it was read, copied or not: unknown, partial or historical.
    void datumWieGelesen()
    {
        const QStringList daten = {"1999.??.??", "????.??.??", "1620.03.04", "2024.02.30"};
        QString text = "[Event \"ohne Datum\"]\n1. e4 *\n";
        for (const QString &datum : daten)
            text += "[Date \"" + datum + "\"]\n1. e4 *\n";
        QList<Pgn> partien;
        QVERIFY(Pgn::partienLesen(text, partien));
        QStringList geschrieben;
        for (const Pgn &partie : qAsConst(partien)) {
            Pgn kopie;
            kopie = Pgn(partie);
            const QString t = kopie.erzeugeText(mitStart({}));
            geschrieben << t.mid(t.indexOf("[Date \"") + 7, 10);
        }
        QCOMPARE(geschrieben, QStringList{"????.??.??"} + daten);
    }
};

QTEST_GUILESS_MAIN(TestPgnSchreiben)
#include "tst_pgn_schreiben.moc"

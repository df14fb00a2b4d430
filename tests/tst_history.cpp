#include "game/history.h"

#include <QtTest>

namespace {

const QString startFen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

// The four placements of the knight dance Ng1-f3, Ng8-f6, Nf3-g1, Nf6-g8.
const QString tanz[4] = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR",
    "rnbqkbnr/pppppppp/8/8/8/5N2/PPPPPPPP/RNBQKB1R",
    "rnbqkb1r/pppppppp/5n2/8/8/5N2/PPPPPPPP/RNBQKB1R",
    "rnbqkb1r/pppppppp/5n2/8/8/8/PPPPPPPP/RNBQKBNR",
};

// The FEN after half-move `n`; the fields after the placement change from move to move.
QString fenNach(const QString &stellung, int n)
{
    return QString("%1 %2 KQkq - %3 %4").arg(stellung, n % 2 ? "b" : "w").arg(n).arg(n / 2 + 1);
}

HistoryEntry halbzug(const QString &fen)
{
    HistoryEntry eintrag;
    eintrag.fen = fen;
    return eintrag;
}

void starte(history &verlauf, const QString &fen = startFen)
{
    verlauf.clear();
    verlauf.addEntry(1, 0, 0, Zug{0, 0, 0, 0});
    verlauf.setLastFen(fen);
}

// A history whose entries show the given placements, entry 0 first.
void baue(history &verlauf, const QStringList &stellungen)
{
    starte(verlauf, fenNach(stellungen.value(0), 0));
    for (int i = 1; i < stellungen.size(); ++i)
        verlauf.appendMove(halbzug(fenNach(stellungen[i], i)));
}

QStringList fuellung(int anzahl)
{
    QStringList stellungen;
    for (int i = 0; i < anzahl; ++i)
        stellungen << QString("8/8/8/8/8/8/8/%1").arg(i + 1);
    return stellungen;
}

QStringList mal(const QString &stellung, int anzahl)
{
    QStringList stellungen;
    for (int i = 0; i < anzahl; ++i)
        stellungen << stellung;
    return stellungen;
}

} // namespace

class TestHistory : public QObject
{
    Q_OBJECT

private slots:
    // A move made while reviewing discards the later entries; outside the list there is nothing.
    void neuesSpielUndAbschneiden()
    {
        history verlauf;
        baue(verlauf, fuellung(7));
        verlauf.clear();
        QVERIFY(verlauf.lastEntryIndex() == -1 && lastIndex == 0 && currentIndex == 0);

        baue(verlauf, fuellung(7));
        currentIndex -= 3;
        HistoryEntry neu = halbzug("neu");
        neu.halbzugZaehler = 9;
        verlauf.appendMove(neu);
        QVERIFY(lastIndex == 4 && currentIndex == 4 && verlauf.lastEntryIndex() == 4);
        QCOMPARE(verlauf.entry(3).fen, fenNach(fuellung(7)[3], 3));
        QCOMPARE(verlauf.halfMoveClockAtCurrent(), 9);
        QVERIFY(verlauf.entry(5).fen.isEmpty() && verlauf.entry(-1).zugnummer == 0);

        // Reviewing reads the clock of the entry shown.
        currentIndex = 0;
        QCOMPARE(verlauf.halfMoveClockAtCurrent(), 0);
    }

    // Both knights go out and back again and again; before each half-move the draw test asks.
    void springerTanz()
    {
        history verlauf;
        starte(verlauf);
        QStringList ergebnisse;
        for (int n = 1; n <= 12; ++n) {
            const QString fen = fenNach(tanz[n % 4], n);
            bool warnung = false;
            const bool remis = verlauf.checkRepetition(fen, warnung);
            ergebnisse << (remis ? "remis" : warnung ? "warnung" : "-");
            verlauf.appendMove(halbzug(fen));
        }
        // The first eight half-moves are too few; the ninth repeats the dance's block of four
        // once, the eleventh (White's knight home for the third time) twice.
        QCOMPARE(ergebnisse, QStringList({"-", "-", "-", "-", "-", "-", "-", "-", "warnung",
                                          "warnung", "remis", "remis"}));
    }

    void blockRegel()
    {
        const QStringList referenz = {tanz[1], tanz[2], tanz[3]};
        const QString neu = fenNach(tanz[0], 99);
        history verlauf;
        bool warnung = false;

        // A block may hold the four placements in any order, even one of them four times over;
        // it counts only within 20 steps over entries that do not complete a block.
        for (int abstand : {0, 5, 16}) {
            baue(verlauf, fuellung(2) + mal(tanz[0], 4) + fuellung(abstand) + referenz);
            QVERIFY(!verlauf.checkRepetition(neu, warnung));
            QVERIFY2(warnung, qPrintable(QString::number(abstand)));
        }
        baue(verlauf, fuellung(2) + QStringList({tanz[0], tanz[3], tanz[2], tanz[1]}) +
                          fuellung(17) + referenz);
        QVERIFY(!verlauf.checkRepetition(neu, warnung));
        QVERIFY(!warnung);

        // A non-matching entry breaks a block.
        baue(verlauf, QStringList({tanz[0], tanz[1], "8/8/8/8/8/8/8/x", tanz[2], tanz[3]}) +
                          fuellung(3) + referenz);
        QVERIFY(!verlauf.checkRepetition(neu, warnung));
        QVERIFY(!warnung);

        // Two blocks give the draw, and then no warning.
        const QStringList block = {tanz[2], tanz[1], tanz[0], tanz[3]};
        baue(verlauf, block + fuellung(2) + block + fuellung(2) + referenz);
        QVERIFY(verlauf.checkRepetition(neu, warnung));
        QVERIFY(!warnung);
    }

    // A move made while reviewing discards the later entries, so they must not count.
    void wiederholungImRueckblick()
    {
        history verlauf;
        QStringList stellungen;
        for (int i = 0; i <= 12; ++i)
            stellungen << tanz[i % 4];
        baue(verlauf, stellungen);
        bool warnung = false;
        QVERIFY(verlauf.checkRepetition(fenNach(tanz[1], 13), warnung));

        currentIndex = 9;
        QVERIFY(!verlauf.checkRepetition(fenNach(tanz[2], 10), warnung));
        QVERIFY(warnung);
        currentIndex = 5;
        QVERIFY(!verlauf.checkRepetition(fenNach(tanz[2], 6), warnung));
        QVERIFY(!warnung);
    }
};

QTEST_GUILESS_MAIN(TestHistory)
#include "tst_history.moc"

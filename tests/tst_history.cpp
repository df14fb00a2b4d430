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

} // namespace

class TestHistory : public QObject
{
    Q_OBJECT

private slots:
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

#include "core/felder.h"
#include "core/positionsblock.h"
#include "testhilfe.h"

#include <QtTest>

#include <cstring>

namespace {

QVector<int> liste(const int32_t *felder)
{
    QVector<int> ergebnis;
    for (; *felder; ++felder)
        ergebnis.append(*felder);
    return ergebnis;
}

} // namespace

class TestStellung : public QObject
{
    Q_OBJECT

private slots:
    void brettLaden();
    void bauernschilde_data();
    void bauernschilde();
    void koenigsnaehe();
    void letzterZugUndWurzelliste();
    void positionsblock();
    void felder();
};

void TestStellung::brettLaden()
{
    // A fresh object holds an empty board with its border: generating finds nothing.
    auto leer = std::make_unique<stellung>();
    Zug zuege[MAX_ZUEGE];
    leer->zugliste = zuege;
    leer->tiefe = 1;
    bool imSchach;
    leer->generiereZuege(imSchach);
    QCOMPARE(zuege[0].von, 0);

    auto s = ladeTestStellung(QString::fromLatin1(startFen));
    QCOMPARE(s->material, 0);
    QCOMPARE(s->koenigSchwarz, 26);
    QCOMPARE(s->koenigWeiss, 96);
    QCOMPARE(s->holeRochaderechte(), 0x01010101u);

    s = ladeTestStellung(QStringLiteral("4k3/8/8/8/8/8/8/Q3K3 w - - 0 1"));
    QCOMPARE(s->material, KOENIG - KOENIG - DAME);

    // Whatever the caller hands in, the border stays closed for every walk over the board.
    int32_t brett[BRETT_ZELLEN] = {};
    brett[26] = KOENIG;
    brett[96] = -KOENIG;
    s->setzeBrett(brett);
    int32_t zurueck[BRETT_ZELLEN];
    s->holeBrett(zurueck);
    for (int feld = 0; feld < BRETT_ZELLEN; ++feld) {
        const bool rand = feld < 22 || feld > 99 || feld % 10 < 2;
        QCOMPARE(zurueck[feld], rand ? RAND : brett[feld]);
    }
}

void TestStellung::bauernschilde_data()
{
    QTest::addColumn<QString>("fen");
    QTest::addColumn<QVector<int>>("schwarz");
    QTest::addColumn<QVector<int>>("weiss");
    QTest::newRow("start") << QString::fromLatin1(startFen) << QVector<int>{32, 33, 34, 37, 38, 39}
                           << QVector<int>{82, 83, 84, 87, 88, 89};
    QTest::newRow("kurz rochiert") << QStringLiteral("6k1/5ppp/8/8/8/6P1/PPP2P1P/6K1 w - - 0 1")
                                   << QVector<int>{37, 38, 39} << QVector<int>{78, 87, 89};
    QTest::newRow("lang rochiert") << QStringLiteral("2k5/pp6/2p5/8/8/8/PPP2PPP/1K6 w - - 0 1")
                                   << QVector<int>{32, 33, 44} << QVector<int>{82, 83, 84};
    QTest::newRow("e-linie nur kurz")
        << QStringLiteral("4k3/pppppppp/8/8/8/8/PPPPPPPP/4K3 w Kk - 0 1")
        << QVector<int>{37, 38, 39} << QVector<int>{87, 88, 89};
    QTest::newRow("koenig vorgerueckt") << QStringLiteral("8/ppp5/4k3/8/8/4K3/PPP5/8 w - - 0 1")
                                        << QVector<int>{} << QVector<int>{};
    // Without a king the square 0 counts as "rank 8, file a": the queen's wing is scanned.
    QTest::newRow("ohne schwarzen koenig") << QStringLiteral("8/ppp2ppp/8/8/8/8/8/4K3 w - - 0 1")
                                           << QVector<int>{32, 33, 34} << QVector<int>{};
}

void TestStellung::bauernschilde()
{
    QFETCH(QString, fen);
    QFETCH(QVector<int>, schwarz);
    QFETCH(QVector<int>, weiss);
    auto s = ladeTestStellung(fen);
    QCOMPARE(liste(s->bauernschildSchwarz), schwarz);
    QCOMPARE(liste(s->bauernschildWeiss), weiss);
    QCOMPARE(s->hatBauernschild(true), !schwarz.isEmpty());
    QCOMPARE(s->hatBauernschild(false), !weiss.isEmpty());
}

// 30 on the king's square, 5 less per unit of straight-line distance, 0 outside its window.
void TestStellung::koenigsnaehe()
{
    auto s = ladeTestStellung(QStringLiteral("k7/8/8/8/4K3/8/8/8 w - - 0 1"));
    s->berechneKoenigsnaehe();
    const QVector<QPair<int, int>> weiss = {{66, 30}, {64, 20}, {65, 25},
                                            {55, 22}, {22, 1},  {29, 5}};
    for (const auto &[feld, wert] : weiss)
        QCOMPARE(s->naeheWeisserKoenig[feld], wert);
    const QVector<QPair<int, int>> schwarz = {{22, 30}, {62, 10}, {72, 0}, {26, 10}, {27, 0}};
    for (const auto &[feld, wert] : schwarz)
        QCOMPARE(s->naeheSchwarzerKoenig[feld], wert);

    // A missing king leaves its table empty.
    auto ohne = ladeTestStellung(QStringLiteral("8/8/8/8/4K3/8/8/7R w - - 0 1"));
    ohne->berechneKoenigsnaehe();
    QVERIFY(std::all_of(ohne->naeheSchwarzerKoenig, ohne->naeheSchwarzerKoenig + 100,
                        [](int32_t wert) { return wert == 0; }));
}

void TestStellung::letzterZugUndWurzelliste()
{
    auto s = ladeTestStellung(QString::fromLatin1(startFen));
    s->ebene[4].zugZaehler = 17;
    s->ebene[2].blatt = true;
    s->setzeLetztenZug(86, 66, 5, ZUG_DOPPELSCHRITT);
    const Zug letzter{86, 66, 5, ZUG_DOPPELSCHRITT};
    QCOMPARE(std::memcmp(&s->ebene[0].zug, &letzter, sizeof letzter), 0);
    QCOMPARE(s->ebene[4].zugZaehler, 0);
    QVERIFY(!s->ebene[2].blatt);

    s->setzeMaxTiefe(12);
    QCOMPARE(s->maxTiefe, MAX_EBENEN - 1);

    s->wurzelZuege[0] = Zug{85, 65, 7, 0};
    s->wurzelZuege[1] = Zug{};
    Zug kopie[3] = {{1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}};
    s->holeWurzelZuege(kopie);
    QCOMPARE(kopie[0].nach, 65);
    QCOMPARE(kopie[1].von, 0);
    QCOMPARE(kopie[2].von, 1); // nothing copied beyond the terminator
}

void TestStellung::positionsblock()
{
    Positionsblock block;
    for (int i = 0; i < BRETT_ZELLEN; ++i)
        block.brett[i] = i * 1000 - 60000;
    block.letzterZug = Zug{86, 66, -3, ZUG_DOPPELSCHRITT};
    block.rochaderechte = Rochaderechte{1, 0, 1, 1};

    const QByteArray daten = schreibePositionsblock(block);
    QCOMPARE(daten.size(), 508);
    int32_t erstesFeld;
    std::memcpy(&erstesFeld, daten.constData(), 4);
    QCOMPARE(erstesFeld, -60000);
    QCOMPARE(int(daten.at(504)), 1);
    QCOMPARE(int(daten.at(505)), 0);

    Positionsblock gelesen{};
    QVERIFY(lesePositionsblock(daten, gelesen));
    QCOMPARE(std::memcmp(&gelesen, &block, sizeof block), 0);

    // A block of the wrong size is refused and leaves the target untouched.
    Positionsblock unberuehrt{};
    for (const QByteArray &falsch : {daten.left(507), daten + 'x', QByteArray()}) {
        QVERIFY(!lesePositionsblock(falsch, unberuehrt));
        QCOMPARE(unberuehrt.brett[0], 0);
    }
}

void TestStellung::felder()
{
    QCOMPARE(feldName(22) + feldName(99), QStringLiteral("A8H1"));
    int feld = 0;
    QVERIFY(feldAusName(QStringLiteral("e3"), feld));
    QCOMPARE(feld, 76);
    for (const char *falsch : {"e", "e9", "k5"}) {
        QVERIFY(!feldAusName(QLatin1String(falsch), feld));
        QCOMPARE(feld, -1);
    }
    QCOMPARE(figurAusBuchstabe(QLatin1Char('x')), BAUER);
    QCOMPARE(figurAusBuchstabe(QLatin1Char('N')), PFERD);
    QCOMPARE(koordinatenZug(35, 25, DAME), QStringLiteral("d7d8q"));
}

QTEST_MAIN(TestStellung)
#include "tst_stellung.moc"

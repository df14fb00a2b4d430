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
    QCOMPARE(leer->maxTiefe, 3);
    fenStellung fen;
    int32_t fenBrett[BRETT_ZELLEN];
    fen.holeBrett(fenBrett);
    QCOMPARE(fenBrett[21], RAND);
    QCOMPARE(fenBrett[22], LEER);

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

void TestStellung::koenigsnaehe()
{
    auto s = ladeTestStellung(QStringLiteral("k7/8/8/8/4K3/8/8/8 w - - 0 1"));
    s->berechneKoenigsnaehe();
    const int32_t *weiss = s->naeheWeisserKoenig;
    QCOMPARE(weiss[66], 30);
    QCOMPARE(weiss[64], 20);
    QCOMPARE(weiss[65], 25);
    QCOMPARE(weiss[55], 22); // 30 - 5 * sqrt(2) = 22.9
    QCOMPARE(weiss[22], 1);  // corner of the window: 30 - 5 * sqrt(32)
    QCOMPARE(weiss[29], 5);  // four rows, three files: 30 - 5 * 5
    const int32_t *schwarz = s->naeheSchwarzerKoenig;
    QCOMPARE(schwarz[22], 30);
    QCOMPARE(schwarz[62], 10);
    QCOMPARE(schwarz[72], 0); // outside the window
    QCOMPARE(schwarz[26], 10);
    QCOMPARE(schwarz[27], 0);

    // A missing king leaves its table empty.
    auto ohne = ladeTestStellung(QStringLiteral("8/8/8/8/4K3/8/8/7R w - - 0 1"));
    ohne->berechneKoenigsnaehe();
    for (int feld = 0; feld < 100; ++feld)
        QCOMPARE(ohne->naeheSchwarzerKoenig[feld], 0);
}

void TestStellung::letzterZugUndWurzelliste()
{
    auto s = ladeTestStellung(QString::fromLatin1(startFen));
    s->ebene[4].zugZaehler = 17;
    s->ebene[2].blatt = true;
    s->setzeLetztenZug(86, 66, 5, ZUG_DOPPELSCHRITT);
    QCOMPARE(s->ebene[0].zug.von, 86);
    QCOMPARE(s->ebene[0].zug.nach, 66);
    QCOMPARE(s->ebene[0].zug.wert, 5);
    QCOMPARE(s->ebene[0].zug.flags, ZUG_DOPPELSCHRITT);
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

    QCOMPARE(Rochaderechte::ausWort(block.rochaderechte.alsWort()).rochadeSchwarzKlein, 0);
    QCOMPARE(Rochaderechte::ausWort(block.rochaderechte.alsWort()).rochadeWeissKlein, 1);
}

void TestStellung::felder()
{
    QCOMPARE(feldName(22), QStringLiteral("A8"));
    QCOMPARE(feldName(99), QStringLiteral("H1"));
    int feld = 0;
    QVERIFY(feldAusName(QStringLiteral("e3"), feld));
    QCOMPARE(feld, 76);
    QVERIFY(!feldAusName(QStringLiteral("e"), feld));
    QCOMPARE(feld, -1);
    QVERIFY(!feldAusName(QStringLiteral("e9"), feld));
    QVERIFY(!feldAusName(QStringLiteral("k5"), feld));
    QCOMPARE(figurAusBuchstabe(QLatin1Char('x')), BAUER);
    QCOMPARE(figurAusBuchstabe(QLatin1Char('b')), BAUER);
    QCOMPARE(figurAusBuchstabe(QLatin1Char('N')), PFERD);
    QCOMPARE(koordinatenZug(35, 25, DAME), QStringLiteral("d7d8q"));
    QCOMPARE(koordinatenZug(85, 65), QStringLiteral("d2d4"));
}

QTEST_MAIN(TestStellung)
#include "tst_stellung.moc"

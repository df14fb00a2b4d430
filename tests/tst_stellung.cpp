#include "core/felder.h"
#include "core/positionsblock.h"
#include "testhilfe.h"

#include <QtTest>

#include <cstring>

class TestStellung : public QObject
{
    Q_OBJECT

private slots:
    void brettLaden();
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

    auto s = ladeTestStellung(QStringLiteral("4k3/8/8/8/8/8/8/Q3K3 w - - 0 1"));
    QCOMPARE(s->material, -DAME);

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

// Black's shield, then white's; without a black king the square 0 counts as "rank 8, file a" and
// the queen's wing is scanned.
void TestStellung::bauernschilde()
{
    const char *const faelle[][2] = {
        {startFen, "32 33 34 37 38 39 / 82 83 84 87 88 89"},
        {"6k1/5ppp/8/8/8/6P1/PPP2P1P/6K1 w - - 0 1", "37 38 39 / 78 87 89"},
        {"2k5/pp6/2p5/8/8/8/PPP2PPP/1K6 w - - 0 1", "32 33 44 / 82 83 84"},
        {"4k3/pppppppp/8/8/8/8/PPPPPPPP/4K3 w Kk - 0 1", "37 38 39 / 87 88 89"},
        {"8/ppp5/4k3/8/8/4K3/PPP5/8 w - - 0 1", "/"},
        {"8/ppp2ppp/8/8/8/8/8/4K3 w - - 0 1", "32 33 34 /"}};
    for (const auto &[fen, erwartet] : faelle) {
        auto s = ladeTestStellung(QLatin1String(fen));
        QStringList felder;
        for (const int32_t *f = s->bauernschildSchwarz; *f; ++f)
            felder << QString::number(*f);
        felder << "/";
        for (const int32_t *f = s->bauernschildWeiss; *f; ++f)
            felder << QString::number(*f);
        QCOMPARE(felder.join(' '), QLatin1String(erwartet));
        QCOMPARE(s->hatBauernschild(true), *s->bauernschildSchwarz != 0);
        QCOMPARE(s->hatBauernschild(false), *s->bauernschildWeiss != 0);
    }
}

// 30 on the king's square, 5 less per unit of straight-line distance, 0 outside its window; a
// missing king leaves its table empty.
void TestStellung::koenigsnaehe()
{
    auto s = ladeTestStellung(QStringLiteral("k7/8/8/8/4K3/8/8/8 w - - 0 1"));
    s->berechneKoenigsnaehe();
    auto ohne = ladeTestStellung(QStringLiteral("8/8/8/8/4K3/8/8/7R w - - 0 1"));
    ohne->berechneKoenigsnaehe();
    QString werte;
    for (const int feld : {66, 64, 65, 55, 22, 29})
        werte += QString::number(s->naeheWeisserKoenig[feld]) + ' ';
    for (const int feld : {22, 62, 72, 26, 27})
        werte += QString::number(s->naeheSchwarzerKoenig[feld]) + ' ';
    QCOMPARE(werte, QStringLiteral("30 20 25 22 1 5 30 10 0 10 0 "));
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
    // Nothing is copied beyond the terminator.
    QVERIFY(kopie[0].nach == 65 && kopie[1].von == 0 && kopie[2].von == 1);
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
    QCOMPARE(daten.mid(504, 2), QByteArray("\1\0", 2));

    Positionsblock gelesen{};
    // A block of the wrong size is refused and leaves the target untouched.
    for (const QByteArray &falsch : {daten.left(507), daten + 'x', QByteArray()})
        QVERIFY(!lesePositionsblock(falsch, gelesen) && gelesen.brett[0] == 0);
    QVERIFY(lesePositionsblock(daten, gelesen));
    QCOMPARE(std::memcmp(&gelesen, &block, sizeof block), 0);
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

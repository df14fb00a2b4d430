#include "core/felder.h"
#include "testhilfe.h"

#include <QtTest>

namespace {

// Generates for the side to move into the object's own buffer and returns the list.
class Generierung
{
public:
    Generierung(stellung &s, int tiefe, int maxTiefe = 0)
    {
        s.zugliste = zuege;
        s.tiefe = tiefe;
        s.maxTiefe = maxTiefe;
        s.generiereZuege(imSchach);
        for (int i = 0; zuege[i].von; ++i)
            texte.append(koordinatenZug(zuege[i].von, zuege[i].nach));
    }

    int index(const QString &zug) const { return texte.indexOf(zug); }
    const Zug &zug(const QString &text) const { return zuege[index(text)]; }

    Zug zuege[MAX_ZUEGE];
    QStringList texte;
    bool imSchach = false;
};

QStringList erzeugeSchlagzuege(stellung &s, Zug *zuege)
{
    s.zugliste = zuege;
    s.generiereSchlagzuege();
    QStringList texte;
    for (int i = 0; zuege[i].von; ++i)
        texte.append(koordinatenZug(zuege[i].von, zuege[i].nach) + ':' +
                     QString::number(zuege[i].wert));
    return texte;
}

} // namespace

class TestZuggenerator : public QObject
{
    Q_OBJECT

private slots:
    void startstellung();
    void naeheUndEcken();
    void enPassant();
    void rochade();
    void umwandlung();
    void koenigSchlagbar();
    void volleListe();
    void angriff();
    void schlagzuege();
    void tauschwert();
    void sortierung();
};

void TestZuggenerator::startstellung()
{
    auto s = ladeTestStellung(QString::fromLatin1(startFen));
    const Generierung g(*s, 1);
    QCOMPARE(g.texte, QStringList({"a2a3", "a2a4", "b2b3", "b2b4", "c2c3", "c2c4", "d2d3",
                                   "d2d4", "e2e3", "e2e4", "f2f3", "f2f4", "g2g3", "g2g4",
                                   "h2h3", "h2h4", "b1a3", "b1c3", "g1f3", "g1h3"}));
    QVERIFY(!g.imSchach);
    // The shield pawns (a-c and f-h while castling is allowed) are held back from double steps.
    QCOMPARE(g.zug("a2a4").wert, -15);
    QCOMPARE(g.zug("a2a3").wert, 0);
    QCOMPARE(g.zug("e2e4").wert, 0);
    QCOMPARE(g.zug("e2e4").flags, ZUG_DOPPELSCHRITT);

    // At maxTiefe 3 the root list is ordered: zero scores first, the double steps of the shield
    // pawns last.
    const Generierung sortiert(*s, 1, 3);
    QCOMPARE(sortiert.texte.size(), 20);
    QCOMPARE(sortiert.texte.first(), QStringLiteral("a2a3"));
    QCOMPARE(sortiert.zuege[19].wert, -15);
}

void TestZuggenerator::naeheUndEcken()
{
    auto s = ladeTestStellung(QStringLiteral("4k3/8/8/8/8/8/7q/R3K3 b Q - 0 1"));
    s->berechneKoenigsnaehe();
    const Generierung g(*s, 1);
    // The black queen approaches the white king on e1 (g2 is 18 close, h2 14), times 1.2.
    QCOMPARE(g.zug("h2g2").wert, 4);
    QCOMPARE(g.zug("h2h1").wert, 1);
    // Deeper than ply 3 no closeness is scored.
    const Generierung tief(*s, 4);
    QCOMPARE(tief.zug("h2g2").wert, 0);

    // A rook on a corner whose castling right is alive is held back, and so is the king.
    s->schwarzAmZug = false;
    const Generierung weiss(*s, 2);
    QCOMPARE(weiss.zug("a1b1").wert, -10);
    QCOMPARE(weiss.zug("e1e2").wert, -20);
    const Generierung weissTief(*s, 4);
    QCOMPARE(weissTief.zug("a1b1").wert, 0);
    QCOMPARE(weissTief.zug("e1e2").wert, 0);
}

void TestZuggenerator::enPassant()
{
    auto s = ladeTestStellung(QStringLiteral("4k3/8/8/2PpP3/8/8/8/4K3 w - d6 0 1"));
    const Generierung g(*s, 1);
    QCOMPARE(g.texte.mid(0, 2), QStringList({"e5d6", "c5d6"}));
    QCOMPARE(g.zuege[0].wert, 105);
    QCOMPARE(g.zuege[0].flags, ZUG_ENPASSANT | ZUG_SCHLAGEN);

    // Only right after the double step.
    s->setzeLetztenZug(0, 0, 0, 0);
    const Generierung spaeter(*s, 1);
    QVERIFY(!spaeter.texte.contains("e5d6"));
}

void TestZuggenerator::rochade()
{
    auto s = ladeTestStellung(QStringLiteral("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1"));
    Generierung g(*s, 1);
    QCOMPARE(g.texte.mid(g.texte.size() - 2), QStringList({"e1c1", "e1g1"}));
    QCOMPARE(g.zug("e1g1").flags, ZUG_ROCHADE);
    QCOMPARE(g.zug("e1g1").wert, 20);
    QCOMPARE(Generierung(*s, 3).zug("e1g1").wert, 0);
    s->schwarzAmZug = true;
    QVERIFY(Generierung(*s, 1).texte.contains("e8c8"));

    // A bishop on c4 covers f1: no short castling near the root, but deep in the search the
    // passed square is not tested.
    auto angegriffen = ladeTestStellung(QStringLiteral("4k3/8/8/8/2b5/8/8/4K2R w K - 0 1"));
    QVERIFY(!Generierung(*angegriffen, 4).texte.contains("e1g1"));
    const Generierung tief(*angegriffen, 5);
    QVERIFY(tief.texte.contains("e1g1"));
    QCOMPARE(tief.zug("e1g1").wert, 0);

    // Not out of check, not over a piece, not without the right.
    for (const char *fen : {"4k3/8/8/8/8/8/4r3/4K2R w K - 0 1", "4k3/8/8/8/8/8/8/4KN1R w K - 0 1",
                            "4k3/8/8/8/8/8/8/4K2R w Q - 0 1"}) {
        for (const int tiefe : {1, 5})
            QVERIFY2(!Generierung(*ladeTestStellung(fen), tiefe).texte.contains("e1g1"), fen);
    }
}

void TestZuggenerator::umwandlung()
{
    auto s = ladeTestStellung(QStringLiteral("r3k3/1P6/8/8/8/8/8/4K3 w - - 0 1"));
    const Generierung g(*s, 1);
    QCOMPARE(g.texte.mid(0, 2), QStringList({"b7b8", "b7a8"}));
    QCOMPARE(g.zuege[0].flags, ZUG_WANDLUNG);
    QCOMPARE(g.zuege[0].wert, 300);
    QCOMPARE(g.zuege[1].flags, ZUG_WANDLUNG | ZUG_SCHLAGEN);
    QCOMPARE(g.zuege[1].wert, 630);

    auto beide = ladeTestStellung(QStringLiteral("r1n1k3/1P6/8/8/8/8/8/4K3 w - - 0 1"));
    QCOMPARE(Generierung(*beide, 1).texte.mid(0, 3), QStringList({"b7b8", "b7c8", "b7a8"}));
}

void TestZuggenerator::koenigSchlagbar()
{
    auto s = ladeTestStellung(QStringLiteral("4k3/8/8/8/8/8/8/4R1K1 w - - 0 1"));
    const Generierung g(*s, 1);
    QVERIFY(s->koenigSchlagbar);
    QVERIFY(!g.texte.contains("e1e8"));
    QVERIFY(!g.texte.contains("g1g2")); // the scan stopped at the rook

    // A pawn's capture of the king is listed before the generation stops.
    auto bauer = ladeTestStellung(QStringLiteral("8/8/8/8/8/3k4/4P3/4K3 w - - 0 1"));
    const Generierung b(*bauer, 1);
    QVERIFY(bauer->koenigSchlagbar);
    QCOMPARE(b.zug("e2d3").flags, ZUG_SCHLAGEN);

    auto schach = ladeTestStellung(QStringLiteral("4k3/8/8/8/8/8/8/4R1K1 b - - 0 1"));
    QVERIFY(Generierung(*schach, 1).imSchach);
    // A side without a king is never in check.
    auto ohne = ladeTestStellung(QStringLiteral("8/8/8/8/8/8/8/4R1K1 b - - 0 1"));
    const Generierung leer(*ohne, 1);
    QVERIFY(!leer.imSchach);
    QVERIFY(leer.texte.isEmpty());
}

// Twenty queens (more than a FEN may hold, but promotions in the search can add queens) fill the
// list to its last entry before the terminator; the sanitizer build checks the stack buffer.
void TestZuggenerator::volleListe()
{
    auto s = ladeTestStellung(QStringLiteral("4k3/8/8/8/8/8/8/4K3 w - - 0 1"));
    s->brett[26] = LEER;
    s->brett[96] = LEER;
    for (const int feld :
         {22, 26, 27, 28, 32, 34, 39, 42, 47, 55, 63, 68, 72, 76, 84, 89, 92, 96, 97, 99})
        s->brett[feld] = -DAME;
    Zug zuege[MAX_ZUEGE];
    s->zugliste = zuege;
    s->maxTiefe = 0;
    bool imSchach;
    s->generiereZuege(imSchach);
    QCOMPARE(s->zugAnzahl, MAX_ZUEGE - 1);
    QCOMPARE(zuege[MAX_ZUEGE - 1].von, 0);
}

void TestZuggenerator::angriff()
{
    auto s = ladeTestStellung(QStringLiteral("4r3/8/8/4p3/3P4/1n6/8/4K3 w - - 0 1"));
    QVERIFY(!s->feldAngegriffen(true, 96));  // the rook stands behind its own pawn
    QVERIFY(s->feldAngegriffen(true, 25));   // but covers its rank
    QVERIFY(s->feldAngegriffen(true, 65));   // e5 takes towards d4
    QVERIFY(!s->feldAngegriffen(true, 66));  // not straight ahead
    QVERIFY(s->feldAngegriffen(false, 56));  // d4 takes towards e5
    QVERIFY(s->feldAngegriffen(false, 54));  // and c5
    QVERIFY(!s->feldAngegriffen(false, 75)); // never backwards
    QVERIFY(s->feldAngegriffen(true, 85));   // knight b3
    QVERIFY(s->feldAngegriffen(true, 92));
    QVERIFY(!s->feldAngegriffen(true, 95));
    QVERIFY(s->feldAngegriffen(false, 86)); // king e1
    QVERIFY(!s->feldAngegriffen(false, 76));
    QVERIFY(!s->feldAngegriffen(true, 0)); // no square, no attack
}

void TestZuggenerator::schlagzuege()
{
    Zug zuege[MAX_ZUEGE];
    // d4 is attacked by the queen (found first) and by the pawn: only the pawn's capture remains,
    // in the queen's place.
    auto s = ladeTestStellung(QStringLiteral("7k/3Q4/8/8/3n4/2P5/8/4K3 w - - 0 1"));
    QCOMPARE(erzeugeSchlagzuege(*s, zuege), QStringList({"c3d4:230"}));
    QCOMPARE(zuege[0].flags, 0);

    // Advanced pawns are worth more to take.
    auto weiss = ladeTestStellung(QStringLiteral("4k3/8/8/8/3p4/3pP3/3pP3/4K3 w - - 0 1"));
    QCOMPARE(erzeugeSchlagzuege(*weiss, zuege), QStringList({"e3d4:85", "e2d3:125", "e1d2:215"}));
    auto schwarz = ladeTestStellung(QStringLiteral("4k3/3Pp3/3Pp3/3P4/8/8/8/4K3 b - - 0 1"));
    QCOMPARE(erzeugeSchlagzuege(*schwarz, zuege), QStringList({"e8d7:215", "e7d6:125", "e6d5:85"}));

    // A capture of the king is not listed; it is reported.
    auto koenig = ladeTestStellung(QStringLiteral("4k3/8/8/8/8/8/8/4R1K1 w - - 0 1"));
    erzeugeSchlagzuege(*koenig, zuege);
    QVERIFY(koenig->koenigSchlagbar);
}

void TestZuggenerator::tauschwert()
{
    // A white knight attacked by a pawn and defended by a pawn: the knight is lost, a pawn won
    // back.
    auto s = ladeTestStellung(QStringLiteral("4k3/8/8/4p3/3N4/4P3/8/4K3 w - - 0 1"));
    QCOMPARE(s->tauschwert(65), 165);
    auto turm = ladeTestStellung(QStringLiteral("4k3/8/8/3q4/8/8/3R4/7K w - - 0 1"));
    QCOMPARE(turm->tauschwert(85), 330);
    // With the king beside the rook the queen would be lost: nothing to win.
    auto gedeckt = ladeTestStellung(QStringLiteral("4k3/8/8/3q4/8/8/3R4/4K3 w - - 0 1"));
    QCOMPARE(gedeckt->tauschwert(85), 0);
    // Defenders alone win nothing for the other side.
    auto ruhig = ladeTestStellung(QStringLiteral("4k3/8/8/8/3N4/4P3/8/4K3 w - - 0 1"));
    QCOMPARE(ruhig->tauschwert(65), 0);
    // A rook behind a rook joins once the front one has gone: R takes, R takes back, R again.
    auto reihe = ladeTestStellung(QStringLiteral("3rk3/3r4/8/3N4/8/8/3R4/4K3 w - - 0 1"));
    QCOMPARE(reihe->tauschwert(55), 230);
    QCOMPARE(reihe->tauschwert(76), 0); // an empty square
}

void TestZuggenerator::sortierung()
{
    // Selection by swapping: the first of two equal scores can end up behind the second.
    Zug liste[6] = {{22, 23, 1, 0},           {24, 25, 2, 0}, {26, 27, 1, 0},
                    {28, 29, 9, ZUG_ILLEGAL}, {32, 33, 3, 0}, {}};
    stellung::sortiereZugliste(liste);
    QVector<int> von;
    for (const Zug &zug : liste)
        von.append(zug.von);
    QCOMPARE(von, QVector<int>({32, 24, 26, 22, 0, 0})); // the illegal move is dropped

    Zug leer[1] = {{}};
    stellung::sortiereZugliste(leer);
    QCOMPARE(leer[0].von, 0);
}

QTEST_MAIN(TestZuggenerator)
#include "tst_zuggenerator.moc"

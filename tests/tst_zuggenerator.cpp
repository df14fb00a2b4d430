#include "core/felder.h"
#include "testhilfe.h"

#include <QtTest>

namespace {

// Generates for the side to move into the object's own buffer and returns the list.
class Generierung
{
public:
    Generierung(stellung &s, int tiefe)
    {
        s.zugliste = zuege;
        s.tiefe = tiefe;
        s.maxTiefe = 0;
        s.generiereZuege(imSchach);
        for (int i = 0; zuege[i].von; ++i)
            texte.append(koordinatenZug(zuege[i].von, zuege[i].nach));
    }

    // "e1g1 20 4": the move, its score and its flags in hex.
    QString angabe(const QString &text) const
    {
        const int i = texte.indexOf(text);
        if (i < 0)
            return text + QLatin1String(" missing");
        return QStringLiteral("%1 %2 %3").arg(text).arg(zuege[i].wert).arg(zuege[i].flags, 0, 16);
    }

    Zug zuege[MAX_ZUEGE];
    QStringList texte;
    bool imSchach = false;
};

QString schlagzuege(const char *fen)
{
    auto s = ladeTestStellung(QLatin1String(fen));
    Zug zuege[MAX_ZUEGE];
    s->zugliste = zuege;
    s->generiereSchlagzuege();
    QStringList texte;
    for (int i = 0; zuege[i].von; ++i)
        texte.append(koordinatenZug(zuege[i].von, zuege[i].nach) + ':' +
                     QString::number(zuege[i].wert));
    return texte.join(' ') + (s->koenigSchlagbar ? " king" : "");
}

} // namespace

class TestZuggenerator : public QObject
{
    Q_OBJECT

private slots:
    void zugwerte();
    void rochade();
    void koenigSchlagbar();
    void volleListe();
    void schlagzuegeUndTausch();
    void sortierung();
};

// Shield pawns held back from double steps, closeness to the enemy king and the corner rook and
// king held back only near the root, castling, en passant and promotion scores.
void TestZuggenerator::zugwerte()
{
    struct Fall
    {
        const char *fen;
        bool naehe;
        int tiefe;
        const char *erwartet;
    };
    const char *const dame = "4k3/8/8/8/8/8/7q/R3K3 b Q - 0 1";
    const char *const ecke = "4k3/8/8/8/8/8/7q/R3K3 w Q - 0 1";
    const char *const rochade = "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1";
    const Fall faelle[] = {
        {startFen, false, 1, "a2a4 -15 10, a2a3 0 0, e2e4 0 10"},
        {dame, true, 1, "h2g2 4 0, h2h1 1 0"},
        {dame, true, 4, "h2g2 0 0"},
        {ecke, true, 2, "a1b1 -10 0, e1e2 -20 0"},
        {ecke, true, 4, "a1b1 0 0, e1e2 0 0"},
        {rochade, false, 1, "e1g1 20 4, e1c1 20 4"},
        {rochade, false, 3, "e1g1 0 4"},
        {"4k3/8/8/2PpP3/8/8/8/4K3 w - d6 0 1", false, 1, "e5d6 105 120, c5d6 105 120"},
        {"r3k3/1P6/8/8/8/8/8/4K3 w - - 0 1", false, 1, "b7b8 300 2, b7a8 630 102"},
    };
    for (const Fall &fall : faelle) {
        auto s = ladeTestStellung(QLatin1String(fall.fen));
        if (fall.naehe)
            s->berechneKoenigsnaehe();
        const Generierung g(*s, fall.tiefe);
        QStringList angaben;
        for (const QString &erwartet : QString::fromLatin1(fall.erwartet).split(", "))
            angaben.append(g.angabe(erwartet.section(' ', 0, 0)));
        QCOMPARE(angaben.join(", "), QLatin1String(fall.erwartet));
    }

    // En passant only right after the double step; promotions first, the quiet one ahead.
    auto ep = ladeTestStellung(QStringLiteral("4k3/8/8/2PpP3/8/8/8/4K3 w - d6 0 1"));
    ep->setzeLetztenZug(0, 0, 0, 0);
    QVERIFY(!Generierung(*ep, 1).texte.contains("e5d6"));
    auto beide = ladeTestStellung(QStringLiteral("r1n1k3/1P6/8/8/8/8/8/4K3 w - - 0 1"));
    QCOMPARE(Generierung(*beide, 1).texte.mid(0, 3), QStringList({"b7b8", "b7c8", "b7a8"}));
}

void TestZuggenerator::rochade()
{
    auto s = ladeTestStellung(QStringLiteral("r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1"));
    QVERIFY(Generierung(*s, 1).texte.contains("e8c8"));

    // A bishop on c4 covers f1: no short castling near the root, but deep in the search the
    // passed square is not tested.
    auto angegriffen = ladeTestStellung(QStringLiteral("4k3/8/8/8/2b5/8/8/4K2R w K - 0 1"));
    QVERIFY(!Generierung(*angegriffen, 4).texte.contains("e1g1"));
    QVERIFY(Generierung(*angegriffen, 5).texte.contains("e1g1"));

    // Not out of check, not over a piece, not without the right.
    for (const char *fen : {"4k3/8/8/8/8/8/4r3/4K2R w K - 0 1", "4k3/8/8/8/8/8/8/4KN1R w K - 0 1",
                            "4k3/8/8/8/8/8/8/4K2R w Q - 0 1"}) {
        for (const int tiefe : {1, 5})
            QVERIFY2(!Generierung(*ladeTestStellung(fen), tiefe).texte.contains("e1g1"), fen);
    }
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
    QVERIFY(Generierung(*bauer, 1).texte.contains("e2d3"));
    QVERIFY(bauer->koenigSchlagbar);

    QVERIFY(Generierung(*ladeTestStellung("4k3/8/8/8/8/8/8/4R1K1 b - - 0 1"), 1).imSchach);
    // A side without a king is never in check, and square 0 is never attacked.
    auto ohne = ladeTestStellung(QStringLiteral("8/8/8/8/8/8/8/4R1K1 b - - 0 1"));
    const Generierung leer(*ohne, 1);
    QVERIFY(!leer.imSchach);
    QVERIFY(leer.texte.isEmpty());
    QVERIFY(!ohne->feldAngegriffen(false, 0));
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
    const Generierung g(*s, 1);
    QCOMPARE(s->zugAnzahl, MAX_ZUEGE - 1);
    QCOMPARE(g.zuege[MAX_ZUEGE - 1].von, 0);
}

void TestZuggenerator::schlagzuegeUndTausch()
{
    // d4 is attacked by the queen (found first) and by the pawn: only the pawn's capture remains.
    QCOMPARE(schlagzuege("7k/3Q4/8/8/3n4/2P5/8/4K3 w - - 0 1"), QStringLiteral("c3d4:230"));
    // Advanced pawns are worth more to take; a capture of the king is reported, not listed.
    QCOMPARE(schlagzuege("4k3/8/8/8/3p4/3pP3/3pP3/4K3 w - - 0 1"),
             QStringLiteral("e3d4:85 e2d3:125 e1d2:215"));
    QCOMPARE(schlagzuege("4k3/3Pp3/3Pp3/3P4/8/8/8/4K3 b - - 0 1"),
             QStringLiteral("e8d7:215 e7d6:125 e6d5:85"));
    QCOMPARE(schlagzuege("4k3/8/8/8/8/8/8/4R1K1 w - - 0 1"), QStringLiteral(" king"));

    // Knight lost, pawn won back; queen for rook; the king's cover makes it pointless; defenders
    // alone win nothing; a rook behind a rook joins once the front one has gone; an empty square.
    const struct
    {
        const char *fen;
        int feld;
        int wert;
    } tausch[] = {{"4k3/8/8/4p3/3N4/4P3/8/4K3 w - - 0 1", 65, 165},
                  {"4k3/8/8/3q4/8/8/3R4/7K w - - 0 1", 85, 330},
                  {"4k3/8/8/3q4/8/8/3R4/4K3 w - - 0 1", 85, 0},
                  {"4k3/8/8/8/3N4/4P3/8/4K3 w - - 0 1", 65, 0},
                  {"3rk3/3r4/8/3N4/8/8/3R4/4K3 w - - 0 1", 55, 230},
                  {"3rk3/3r4/8/3N4/8/8/3R4/4K3 w - - 0 1", 76, 0}};
    for (const auto &fall : tausch)
        QVERIFY2(ladeTestStellung(fall.fen)->tauschwert(fall.feld) == fall.wert, fall.fen);
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

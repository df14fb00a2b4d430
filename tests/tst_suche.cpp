#include "core/felder.h"
#include "engine/abbrechen.h"
#include "testhilfe.h"

#include <QFile>
#include <QRandomGenerator>
#include <QtTest>

namespace {

struct Position
{
    int32_t brett[BRETT_ZELLEN];
    uint32_t rechte;
    Zug letzter;
    bool schwarz;
};

bool ausFen(const QString &text, Position &position)
{
    fenStellung fen;
    if (fen.leseFen(text, position.schwarz) != 0)
        return false;
    fen.holeBrett(position.brett);
    position.rechte = fen.holeRochaderechte();
    position.letzter = fen.holeLetztenZug();
    return true;
}

std::unique_ptr<stellung> lade(const Position &position, int maxTiefe)
{
    auto s = std::make_unique<stellung>();
    s->setzeRochaderechte(position.rechte);
    s->setzeBrett(position.brett);
    s->setzeWandlungsFigur(DAME);
    s->setzeMaxTiefe(maxTiefe);
    const Zug &z = position.letzter;
    s->setzeLetztenZug(z.von, z.nach, z.wert, z.flags);
    return s;
}

// Searches from ply 0, with the closeness tables filled as outside the opening if asked.
std::unique_ptr<stellung> durchsuche(const Position &position, int maxTiefe, bool naehe = false)
{
    auto s = lade(position, maxTiefe);
    if (naehe)
        s->berechneKoenigsnaehe();
    bool koenigSchlagbar;
    int32_t wert;
    s->suche(position.schwarz, 0, koenigSchlagbar, wert);
    return s;
}

std::unique_ptr<stellung> durchsuche(const QString &fen, int maxTiefe, bool naehe = false)
{
    Position position;
    if (!ausFen(fen, position))
        qFatal("test position not readable: %s", qPrintable(fen));
    return durchsuche(position, maxTiefe, naehe);
}

int koenigsfeld(const int32_t *brett, bool schwarz)
{
    for (int feld = 22; feld <= 99; ++feld) {
        if (brett[feld] == (schwarz ? KOENIG : -KOENIG))
            return feld;
    }
    return 0;
}

QString text(const Zug &zug)
{
    return koordinatenZug(zug.von, zug.nach, (zug.flags & ZUG_WANDLUNG) ? DAME : 0);
}

// The legal moves as perft counts them: generated, made, and kept when the own king is not
// attacked afterwards.
QVector<Zug> legaleZuege(stellung &s, bool schwarz, const Zug &letzter)
{
    Zug liste[MAX_ZUEGE];
    s.zugliste = liste;
    s.schwarzAmZug = schwarz;
    s.tiefe = 4;
    s.maxTiefe = 0;
    s.ebene[3].zug = letzter;
    bool imSchach;
    s.generiereZuege(imSchach);
    QVector<Zug> legal;
    for (int i = 0; liste[i].von != 0; ++i) {
        const int32_t geschlagen = s.brett[liste[i].nach];
        s.zugliste = liste;
        s.macheZug(i);
        if (!s.feldAngegriffen(!schwarz, koenigsfeld(s.brett, schwarz)))
            legal.append(liste[i]);
        s.zugliste = liste;
        s.nimmZugZurueck(i, geschlagen);
    }
    return legal;
}

// For every legal move the flags the game expects from the search: check, and no legal reply
// (mate with check, stalemate without).
QMap<QString, int32_t> erwarteteZuege(const Position &position)
{
    auto s = lade(position, 0);
    QMap<QString, int32_t> erwartet;
    for (const Zug &zug : legaleZuege(*s, position.schwarz, position.letzter)) {
        Zug liste[2] = {zug, {}};
        const int32_t geschlagen = s->brett[zug.nach];
        s->zugliste = liste;
        s->macheZug(0);
        int32_t flags = position.schwarz ? ZUG_SCHWARZ : 0;
        if (s->feldAngegriffen(position.schwarz, koenigsfeld(s->brett, !position.schwarz)))
            flags |= ZUG_SCHACH;
        if (legaleZuege(*s, !position.schwarz, zug).isEmpty())
            flags |= (flags & ZUG_SCHACH) ? ZUG_KEINE_ANTWORT : ZUG_KEINE_ANTWORT | ZUG_PATT;
        s->zugliste = liste;
        s->nimmZugZurueck(0, geschlagen);
        erwartet.insert(text(zug), flags);
    }
    return erwartet;
}

QMap<QString, int32_t> wurzelliste(const Position &position, int maxTiefe)
{
    auto s = durchsuche(position, maxTiefe);
    QMap<QString, int32_t> zuege;
    const int32_t maske = ZUG_SCHWARZ | ZUG_ILLEGAL | ZUG_SCHACH | ZUG_KEINE_ANTWORT | ZUG_PATT;
    for (int i = 0; s->wurzelZuege[i].von != 0; ++i)
        zuege.insert(text(s->wurzelZuege[i]), s->wurzelZuege[i].flags & maske);
    return zuege;
}

const Zug *finde(const stellung &s, const QString &zug)
{
    for (int i = 0; s.wurzelZuege[i].von != 0; ++i) {
        if (text(s.wurzelZuege[i]) == zug)
            return &s.wurzelZuege[i];
    }
    return nullptr;
}

int wurzelAnzahl(const stellung &s)
{
    int n = 0;
    while (s.wurzelZuege[n].von != 0)
        ++n;
    return n;
}

QStringList zeilen(const char *name)
{
    QFile datei(QStringLiteral(BRAKMOR_TESTDATA) + QLatin1String(name));
    if (!datei.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(datei.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// The perft positions first, then the set-ups of the tactics and the final positions of games.
QStringList testpositionen()
{
    QStringList fens;
    for (const QString &zeile : zeilen("/perft.epd"))
        fens.append(zeile.section(QLatin1Char(';'), 0, 0).trimmed());
    for (const QString &zeile : zeilen("/pgn/tactics.pgn")) {
        if (zeile.startsWith(QLatin1String("[FEN \"")))
            fens.append(zeile.section(QLatin1Char('"'), 1, 1));
    }
    for (const QString &zeile : zeilen("/pgn/expected_final_positions.tsv")) {
        if (!zeile.startsWith(QLatin1Char('#')))
            fens.append(zeile.section(QLatin1Char('\t'), 5, 5).trimmed());
    }
    return fens;
}

} // namespace

class TestSuche : public QObject
{
    Q_OBJECT

private slots:
    void mattInEins();
    void patt();
    void wurzellisteIstLegal();
    void tieferSuchen();
    void ergebnisseBleiben_data();
    void ergebnisseBleiben();
    void variantenUndZaehler();
    void vorgabeUndAbbruch();
};

void TestSuche::mattInEins()
{
    auto s = durchsuche(QStringLiteral("6k1/5ppp/8/8/8/8/5PPP/R5K1 w - - 0 1"), 3);
    const Zug &erster = s->wurzelZuege[0];
    QCOMPARE(text(erster), QStringLiteral("a1a8"));
    QCOMPARE(erster.wert, 3200); // the mate bonus on a move the generator scores 0
    QCOMPARE(erster.flags & (ZUG_SCHACH | ZUG_KEINE_ANTWORT | ZUG_PATT),
             ZUG_SCHACH | ZUG_KEINE_ANTWORT);
    QVERIFY(s->sucheAufrufe > 20);

    // The same for black, with the closeness tables filled: the generator's score is kept.
    auto b = durchsuche(QStringLiteral("r5k1/5ppp/8/8/8/8/5PPP/6K1 b - - 0 1"), 3, true);
    QCOMPARE(text(b->wurzelZuege[0]), QStringLiteral("a8a1"));
    QVERIFY(b->wurzelZuege[0].wert >= 3200);
    QVERIFY(b->wurzelZuege[0].flags & ZUG_SCHWARZ);
}

// Kf6-f7 stalemates: neutral with even material, a loss a queen ahead, a rescue four pawns
// (260, beyond the 232 threshold) behind.
void TestSuche::patt()
{
    struct Fall
    {
        const char *fen;
        int32_t material;
        int32_t wert;
        const char *bester;
    };
    const Fall faelle[] = {{"7k/7p/5K1P/8/8/8/8/8 w - - 0 1", 0, 0, nullptr},
                           {"7k/7p/5K1P/8/8/8/8/1Q6 w - - 0 1", -DAME, -231, "b1b8"},
                           {"7k/p6p/p4K1P/p7/p7/p7/P7/8 w - - 0 1", 4 * BAUER, 231, "f6f7"}};
    for (const Fall &fall : faelle) {
        auto s = durchsuche(QString::fromLatin1(fall.fen), 3);
        QCOMPARE(s->material, fall.material);
        const Zug *zug = finde(*s, QStringLiteral("f6f7"));
        QVERIFY2(zug, fall.fen);
        QCOMPARE(zug->flags & (ZUG_SCHACH | ZUG_KEINE_ANTWORT | ZUG_PATT),
                 ZUG_KEINE_ANTWORT | ZUG_PATT);
        QCOMPARE(zug->wert, fall.wert);
        if (fall.bester)
            QCOMPARE(text(s->wurzelZuege[0]), QLatin1String(fall.bester));
    }
}

// The controller's legal-move list comes from this search at depth 3: on every position of the
// reference files (the perft positions a few random plies on), it must hold exactly the legal
// moves, each promotion once, with the check, mate and stalemate flags.
void TestSuche::wurzellisteIstLegal()
{
    QRandomGenerator zufall(1234);
    int geprueft = 0;
    int matt = 0;
    int patt = 0;
    const QStringList fens = testpositionen();
    for (int n = 0; n < fens.size(); ++n) {
        Position position;
        if (!ausFen(fens.at(n), position))
            continue;
        for (int ply = 0; ply <= (n < 163 ? 6 : 0); ++ply) {
            const QMap<QString, int32_t> erwartet = erwarteteZuege(position);
            QCOMPARE(wurzelliste(position, 3), erwartet);
            ++geprueft;
            for (const int32_t flags : erwartet) {
                matt +=
                    (flags & (ZUG_KEINE_ANTWORT | ZUG_SCHACH)) == (ZUG_KEINE_ANTWORT | ZUG_SCHACH);
                patt += (flags & ZUG_PATT) != 0;
            }
            auto s = lade(position, 0);
            const QVector<Zug> legal = legaleZuege(*s, position.schwarz, position.letzter);
            if (legal.isEmpty())
                break;
            Zug liste[2] = {legal.at(int(zufall.bounded(legal.size()))), {}};
            s->zugliste = liste;
            s->macheZug(0);
            s->holeBrett(position.brett);
            position.letzter = liste[0];
            position.schwarz = !position.schwarz;
            // Whatever leaves or lands on a corner, or moves a king, loses castling rights.
            Rochaderechte r = Rochaderechte::ausWort(position.rechte);
            for (const int feld : {liste[0].von, liste[0].nach}) {
                r.rochadeWeissGross &= feld != 92 && feld != 96;
                r.rochadeWeissKlein &= feld != 99 && feld != 96;
                r.rochadeSchwarzGross &= feld != 22 && feld != 26;
                r.rochadeSchwarzKlein &= feld != 29 && feld != 26;
            }
            position.rechte = r.alsWort();
        }
    }
    qInfo("%d positions, %d mating and %d stalemating moves", geprueft, matt, patt);
    QVERIFY(geprueft > 2500);
    QVERIFY(matt > 5);
    QVERIFY(patt > 10);
}

// Deeper searches use the transposition table and the thinning; the root list stays legal.
void TestSuche::tieferSuchen()
{
    const QString schaefer =
        QStringLiteral("r1bqkb1r/pppp1ppp/2n2n2/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR w KQkq - 4 4");
    for (const QString &fen :
         {QStringLiteral("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1"),
          schaefer, QStringLiteral("8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1")}) {
        Position position;
        QVERIFY(ausFen(fen, position));
        QCOMPARE(wurzelliste(position, 5), erwarteteZuege(position));
    }
    auto s = durchsuche(schaefer, 5);
    QCOMPARE(text(s->wurzelZuege[0]), QStringLiteral("h5f7"));
    QVERIFY(s->wurzelZuege[0].wert > 3200);
    QVERIFY(!s->transpositionen.isEmpty());
}

void TestSuche::ergebnisseBleiben_data()
{
    QTest::addColumn<QString>("fen");
    QTest::addColumn<quint64>("knoten");
    QTest::addColumn<QString>("beste");
    QTest::newRow("start") << QString::fromLatin1(startFen) << quint64(127051)
                           << QStringLiteral("d2d4 9 0x10, g1f3 9 0x0, e2e3 8 0x0");
    QTest::newRow("kiwipete")
        << QStringLiteral("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1")
        << quint64(1576165) << QStringLiteral("e2a6 110 0x100, d5e6 91 0x100, c3b5 43 0x0");
    QTest::newRow("endspiel") << QStringLiteral(
                                     "2r3k1/pp3ppp/2n1b3/3p4/3P4/2N1B3/PP3PPP/2R3K1 b - - 0 20")
                              << quint64(372191)
                              << QStringLiteral("g8h8 0 0x1, g8f8 0 0x1, a7a6 0 0x1");
}

// The engine's choices follow from the exact order of generation, pruning and scoring: these
// figures of a depth-5 search catch any change to that path meant to be a pure speed-up.
void TestSuche::ergebnisseBleiben()
{
    QFETCH(QString, fen);
    QFETCH(quint64, knoten);
    QFETCH(QString, beste);
    auto s = durchsuche(fen, 5, true);
    QCOMPARE(s->sucheAufrufe, knoten);
    QStringList erste;
    for (int i = 0; i < 3; ++i) {
        const Zug &z = s->wurzelZuege[i];
        erste.append(QStringLiteral("%1 %2 0x%3").arg(text(z)).arg(z.wert).arg(z.flags, 0, 16));
    }
    QCOMPARE(erste.join(QLatin1String(", ")), beste);
}

void TestSuche::variantenUndZaehler()
{
    auto s = durchsuche(QString::fromLatin1(startFen), 3);
    QCOMPARE(wurzelAnzahl(*s), 20);
    // One store entry per root move in search order, each counting its own 20 replies.
    for (int i = 0; i < 20; ++i) {
        const Suchebene *linie = s->variante[i];
        QCOMPARE(linie[2].zugZaehler, 20);
        QVERIFY(linie[2].besterZug.von != 0);
        QCOMPARE(linie[1].besterZug.wert, linie[1].zug.wert);
        QVERIFY(finde(*s, text(linie[1].zug)));
    }
    QCOMPARE(s->variante[20][1].zug.von, 0);
    QCOMPARE(s->ebene[2].zugZaehler, 0); // cleared after each root move
    QCOMPARE(s->ebene[1].besterZug.von, s->wurzelZuege[0].von);

    // With a capture in reach the depth-3 leaves count their captures.
    auto schlag = durchsuche(QStringLiteral("4k3/8/8/3p4/4P3/8/8/4K3 w - - 0 1"), 3);
    int blaetter = 0;
    for (int i = 0; schlag->variante[i][1].zug.von != 0; ++i)
        blaetter += schlag->variante[i][3].zugZaehler;
    QVERIFY(blaetter > 0);
}

void TestSuche::vorgabeUndAbbruch()
{
    Position position;
    QVERIFY(ausFen(QString::fromLatin1(startFen), position));
    auto s = durchsuche(position, 3);

    // A preset list is searched in its own order and only those moves; the generator's scores
    // and flags replace whatever the list carried.
    const Zug vorgabe[4] = {{85, 65, 999, ZUG_SCHACH}, {93, 74, 999, 0}, {97, 77, 0, 0}, {}};
    s->setzeSucheFort(true, false, vorgabe);
    QCOMPARE(s->vorgabeZuege[0].flags, ZUG_DOPPELSCHRITT);
    QCOMPARE(s->vorgabeZuege[0].wert, 0);
    QCOMPARE(s->vorgabeZuege[2].von, 97); // not a move here: kept as it came
    s->setzeLetztenZug(0, 0, 0, 0);
    bool koenigSchlagbar;
    int32_t wert;
    s->suche(false, 0, koenigSchlagbar, wert);
    QCOMPARE(s->variante[0][1].zug.von, 85);
    QCOMPARE(s->variante[1][1].zug.von, 93);
    QVERIFY(wurzelAnzahl(*s) >= 2 && wurzelAnzahl(*s) <= 3);

    // Abort: the root loop stops after the move it is on.
    abbrechen = true;
    auto a = durchsuche(position, 3);
    abbrechen = false;
    QCOMPARE(wurzelAnzahl(*a), 1);
    QCOMPARE(a->variante[1][1].zug.von, 0);
}

QTEST_MAIN(TestSuche)
#include "tst_suche.moc"

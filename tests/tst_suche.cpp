#include "core/felder.h"
#include "engine/bericht.h"
#include "testhilfe.h"

#include <QFile>
#include <QRandomGenerator>
#include <QtTest>

namespace {

// Searches from ply 0, with the closeness tables filled as outside the opening if asked.
std::unique_ptr<stellung> durchsuche(const QString &fen, int maxTiefe, bool naehe = false,
                                     int threads = 1)
{
    bool schwarz;
    auto s = ladeTestStellung(fen, &schwarz);
    s->setzeMaxTiefe(maxTiefe);
    s->threads = threads;
    if (naehe)
        s->berechneKoenigsnaehe();
    bool koenigSchlagbar;
    int32_t wert;
    s->suche(schwarz, 0, koenigSchlagbar, wert);
    return s;
}

QString text(const Zug &zug)
{
    return koordinatenZug(zug.von, zug.nach, (zug.flags & ZUG_WANDLUNG) ? DAME : 0);
}

QMap<QString, int32_t> wurzelliste(const stellung &s)
{
    QMap<QString, int32_t> zuege;
    const int32_t maske = ZUG_SCHWARZ | ZUG_ILLEGAL | ZUG_SCHACH | ZUG_KEINE_ANTWORT | ZUG_PATT;
    for (int i = 0; s.wurzelZuege[i].von != 0; ++i)
        zuege.insert(text(s.wurzelZuege[i]), s.wurzelZuege[i].flags & maske);
    return zuege;
}

// What the root list must be: the legal moves the perft-validated generator counts (a promotion
// once, as a queen), no reply where perft finds none, check where the move attacks the king, and
// stalemate for no reply without check.
QMap<QString, int32_t> erwarteteZuege(const QString &fen, const stellung &gesucht)
{
    bool schwarz;
    auto s = ladeTestStellung(fen, &schwarz);
    QMap<QString, int32_t> erwartet;
    for (const PerftZeile &zeile : perftJeZug(*s, schwarz, 2)) {
        if (zeile.zug.size() == 4 || zeile.zug.endsWith(QLatin1Char('q')))
            erwartet.insert(zeile.zug, (schwarz ? ZUG_SCHWARZ : 0) |
                                           (zeile.knoten ? 0 : ZUG_KEINE_ANTWORT | ZUG_PATT));
    }
    auto nach = std::make_unique<stellung>();
    for (int i = 0; gesucht.wurzelZuege[i].von != 0; ++i) {
        Zug liste[2] = {gesucht.wurzelZuege[i], {}};
        const int32_t geschlagen = s->brett[liste[0].nach];
        s->zugliste = liste;
        s->macheZug(0);
        int32_t brett[BRETT_ZELLEN];
        s->holeBrett(brett);
        s->nimmZugZurueck(0, geschlagen);
        nach->setzeBrett(brett);
        const auto zug = erwartet.find(text(liste[0]));
        if (zug != erwartet.end() &&
            nach->feldAngegriffen(schwarz, schwarz ? nach->koenigWeiss : nach->koenigSchwarz))
            *zug = (*zug | ZUG_SCHACH) & ~ZUG_PATT;
    }
    return erwartet;
}

const Zug *finde(const stellung &s, const QString &zug)
{
    for (int i = 0; s.wurzelZuege[i].von != 0; ++i) {
        if (text(s.wurzelZuege[i]) == zug)
            return &s.wurzelZuege[i];
    }
    return nullptr;
}

// A position a few random legal moves away from a perft position.
struct Lage
{
    int32_t brett[BRETT_ZELLEN];
    uint32_t rechte;
    bool schwarz;
    Zug letzter;
};

Lage zufallsLage(const QString &fen, QRandomGenerator &zufall)
{
    Lage lage;
    auto s = ladeTestStellung(fen, &lage.schwarz);
    lage.letzter = s->ebene[0].zug;
    for (int zuege = zufall.bounded(6); zuege > 0; --zuege) {
        s->setzeMaxTiefe(3);
        s->setzeLetztenZug(lage.letzter.von, lage.letzter.nach, lage.letzter.wert,
                           lage.letzter.flags);
        bool koenigSchlagbar;
        int32_t wert;
        s->suche(lage.schwarz, 0, koenigSchlagbar, wert);
        int n = 0;
        while (s->wurzelZuege[n].von != 0)
            ++n;
        if (n == 0)
            break;
        lage.letzter = s->wurzelZuege[zufall.bounded(n)];
        s->fuehreZugAus(lage.letzter);
        lage.schwarz = !lage.schwarz;
    }
    s->holeBrett(lage.brett);
    lage.rechte = s->holeRochaderechte();
    return lage;
}

// Everything a search leaves for the job and its report: calls, root list, lines and, if kept,
// counters. With `vorgabe` a deeper search follows over the first one's list, as the fourth level
// searches.
QString suchspur(const Lage &lage, int tiefe, bool naehe, bool vorgabe, int threads,
                 bool zaehler = true)
{
    auto s = std::make_unique<stellung>();
    s->setzeRochaderechte(lage.rechte);
    s->setzeBrett(lage.brett);
    if (naehe)
        s->berechneKoenigsnaehe();
    s->threads = threads;
    s->zaehler = zaehler;
    s->wurzelZeitgrenze = false;
    const Zug &l = lage.letzter;
    bool koenigSchlagbar;
    int32_t wert;
    for (int suche = 0; suche <= int(vorgabe); ++suche) {
        if (suche == 1) {
            Zug liste[MAX_ZUEGE];
            s->holeWurzelZuege(liste);
            s->setzeSucheFort(true, lage.schwarz, liste);
        }
        s->setzeMaxTiefe(tiefe + suche);
        s->setzeLetztenZug(l.von, l.nach, l.wert, l.flags);
        s->suche(lage.schwarz, 0, koenigSchlagbar, wert);
    }
    QString spur = QString::number(s->sucheAufrufe);
    for (const Zug *z = s->wurzelZuege; z->von != 0; ++z)
        spur += QStringLiteral(" %1:%2:%3").arg(text(*z)).arg(z->wert).arg(z->flags);
    spur += minimaxText(*s);
    return zaehler ? spur + zaehlerText(*s) : spur;
}

} // namespace

class TestSuche : public QObject
{
    Q_OBJECT

private slots:
    void patt();
    void wurzellisteIstLegal();
    void ergebnisseBleiben();
    void threadsWieSeriell();
    void transpositionen();
};

// Kf6-f7 stalemates: neutral with even material, a loss a queen ahead, a rescue four pawns
// (260, beyond the 232 threshold) behind; the same where root moves are searched side by side.
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
    for (int i = 0; i < 6; ++i) {
        const Fall &fall = faelle[i % 3];
        auto s = durchsuche(QString::fromLatin1(fall.fen), 3, false, i / 3 + 1);
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

// The controller's legal-move list comes from this search at depth 3 (the PGN replay checks it
// on every game position); here on the perft positions.
void TestSuche::wurzellisteIstLegal()
{
    QFile datei(QStringLiteral(BRAKMOR_TESTDATA "/perft.epd"));
    QVERIFY(datei.open(QIODevice::ReadOnly | QIODevice::Text));
    int geprueft = 0;
    int schach = 0;
    while (!datei.atEnd()) {
        const QString fen = QString::fromUtf8(datei.readLine()).section(';', 0, 0).trimmed();
        bool schwarz;
        if (fenStellung().leseFen(fen, schwarz) != 0)
            continue;
        auto s = durchsuche(fen, 3);
        const QMap<QString, int32_t> liste = wurzelliste(*s);
        QCOMPARE(liste, erwarteteZuege(fen, *s));
        ++geprueft;
        schach += int(std::count_if(liste.begin(), liste.end(),
                                    [](int32_t flags) { return flags & ZUG_SCHACH; }));
    }
    QCOMPARE(geprueft, 163);
    QVERIFY(schach > 50);
}

// The engine's choices follow from the exact order of generation, pruning and scoring: these
// figures of a depth-5 search catch any change to that path meant to be a pure speed-up. The root
// list stays legal where the transposition table and the thinning come in.
void TestSuche::ergebnisseBleiben()
{
    const QString fen =
        QStringLiteral("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1");
    auto s = durchsuche(fen, 5, true);
    QCOMPARE(s->sucheAufrufe, quint64(1576165));
    QCOMPARE(wurzelliste(*s), erwarteteZuege(fen, *s));
    QStringList erste;
    for (int i = 0; i < 3; ++i) {
        const Zug &z = s->wurzelZuege[i];
        erste.append(QStringLiteral("%1 %2 0x%3").arg(text(z)).arg(z.wert).arg(z.flags, 0, 16));
    }
    QCOMPARE(erste.join(QLatin1String(", ")),
             QStringLiteral("e2a6 110 0x100, d5e6 91 0x100, c3b5 43 0x0"));
    // The report's moves per ply and best line, which nothing else in the job shows.
    QCOMPARE(zaehlerText(*s).section('\n', -2, -2),
             QStringLiteral("<tr align='right'><td>0</td><td>1.643</td><td>46.198</td>"
                            "<td>1.537.487</td><td>4.952.256</td><td>0</td><td>0</td><td>0</td>"
                            "<td>0</td></tr>"));
    QCOMPARE(minimaxText(*s).section('\n', 0, 0),
             QStringLiteral("<tr align='left'><td>110</td><td>E2A6 W=257 GM=147</td><td>B4C3 "
                            "W=292 GM=145</td><td>D2C3 W=125 GM=-30</td><td>H3G2 W=185 "
                            "GM=215</td><td>F3G2 W=215 GM=0</td></tr>"));
}

// Root moves searched side by side give what the serial search gives, to the last counter of the
// report, and so does the search without counters: depth 4, and depth 5 where the root moves
// share the transposition table, on random positions, with and without the closeness tables, and
// over a preset root list.
void TestSuche::threadsWieSeriell()
{
    QFile datei(QStringLiteral(BRAKMOR_TESTDATA "/perft.epd"));
    QVERIFY(datei.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList fens = QString::fromUtf8(datei.readAll()).split(QLatin1Char('\n'));
    QRandomGenerator zufall(14);
    for (int n = 0; n < 32; ++n) {
        const QString fen = fens.at(zufall.bounded(163)).section(';', 0, 0).trimmed();
        const Lage lage = zufallsLage(fen, zufall);
        const int tiefe = n % 2 == 0 ? 5 : 4;
        const bool naehe = n % 3 != 0;
        const bool vorgabe = n % 4 == 1;
        const QString seriell = suchspur(lage, tiefe, naehe, vorgabe, 1);
        QVERIFY2(suchspur(lage, tiefe, naehe, vorgabe, 2) == seriell, qPrintable(fen));
        // Without the counters the last ply before the leaves lists only what it searches.
        const QString ohneZaehler = seriell.section(QLatin1String("<tr align='right'>"), 0, 0);
        for (int threads : {1, 3})
            QVERIFY2(suchspur(lage, tiefe, naehe, vorgabe, threads, false) == ohneZaehler,
                     qPrintable(QStringLiteral("%1, %2 threads").arg(fen).arg(threads)));
    }
}

// Equal keys give the stored score, beyond the table's block too, and nothing outlives a clear,
// however many clears there have been.
void TestSuche::transpositionen()
{
    Transpositionen tabelle;
    const uint64_t anzahl = 300000;
    for (int runde = 0; runde < 2; ++runde) {
        for (uint64_t k = 0; k < anzahl; ++k)
            tabelle.speichere(k * 7919, int32_t(k) - runde);
        int32_t wert = 0;
        for (uint64_t k = 0; k < anzahl; k += 997) {
            QVERIFY(tabelle.finde(k * 7919, wert));
            QCOMPARE(wert, int32_t(k) - runde);
        }
        QVERIFY(!tabelle.finde(5, wert));
    }
    for (int i = 0; i < 70000; ++i)
        tabelle.leere();
    int32_t wert;
    QVERIFY(!tabelle.finde(0, wert) && !tabelle.finde(7919 * 42, wert));
    tabelle.speichere(42, -7);
    QVERIFY(tabelle.finde(42, wert) && wert == -7);
}

QTEST_MAIN(TestSuche)
#include "tst_suche.moc"

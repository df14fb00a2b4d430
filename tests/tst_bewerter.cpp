#include "core/felder.h"
#include "core/fen.h"
#include "core/stellung.h"
#include "engine/abbrechen.h"
#include "engine/bewerter.h"
#include "engine/zufall.h"

#include <QtTest>

#include <memory>

namespace {

struct Kandidat
{
    const char *zug;
    int32_t wert;
};

QString text(const Zug &zug)
{
    return (feldName(zug.von) + feldName(zug.nach)).toLower();
}

// Evaluates the named moves of the position as candidates with the given search scores. The
// flags come from a search of the position, as they would in the engine.
class Pass
{
public:
    explicit Pass(const QString &fen, quint32 keim = 1)
        : zufall(keim)
    {
        bool schwarz = false;
        if (fen.isEmpty() || position.leseFen(fen, schwarz) != 0)
            qFatal("test position not readable: %s", qPrintable(fen));
        seite = schwarz;
    }

    Bewerter &bewerte(std::initializer_list<Kandidat> kandidaten)
    {
        int32_t brett[BRETT_ZELLEN];
        position.holeBrett(brett);
        const Zug letzter = position.holeLetztenZug();
        auto s = std::make_unique<stellung>();
        s->abbruch = nullptr;
        s->setzeRochaderechte(position.holeRochaderechte());
        s->setzeBrett(brett);
        s->setzeWandlungsFigur(DAME);
        s->setzeLetztenZug(letzter.von, letzter.nach, letzter.wert, letzter.flags);
        bool koenigSchlagbar;
        int32_t wert;
        s->suche(seite, 0, koenigSchlagbar, wert);

        Zug liste[MAX_ZUEGE];
        int n = 0;
        for (const Kandidat &kandidat : kandidaten) {
            int i = 0;
            while (s->wurzelZuege[i].von != 0 && text(s->wurzelZuege[i]) != kandidat.zug)
                ++i;
            if (s->wurzelZuege[i].von == 0)
                qFatal("no legal move %s", kandidat.zug);
            liste[n] = s->wurzelZuege[i];
            liste[n++].wert = kandidat.wert;
        }
        liste[n] = Zug{};
        stellung::sortiereZugliste(liste);

        bewerter = std::make_unique<Bewerter>(kontext, zufall);
        bewerter->setzeIstVorschlag(false);
        bewerter->setzeRochaderechte(position.holeRochaderechte());
        bewerter->setzeLetztenZug(letzter);
        bewerter->setzeBrett(brett);
        bewerter->setzeWurzelZuege(liste);
        bewerter->bewerteAlle(false, QString(), QString());
        return *bewerter;
    }

    const BewertungsZeile &zeile(const char *zug) const
    {
        for (int i = 0; i < bewerter->anzahlZeilen(); ++i) {
            const BewertungsZeile &z = bewerter->zeilen()[i];
            if ((feldName(z.von) + feldName(z.nach)).toLower() == QLatin1String(zug))
                return z;
        }
        qFatal("no row for %s", zug);
    }

    QStringList ergebnis() const
    {
        Zug liste[MAX_KANDIDATEN];
        bewerter->holeWurzelZuege(liste);
        QStringList zuege;
        for (int i = 0; liste[i].von != 0; ++i)
            zuege << text(liste[i]);
        return zuege;
    }

    JobKontext kontext;

private:
    fenStellung position;
    bool seite = false;
    Zufall zufall;
    std::unique_ptr<Bewerter> bewerter;
};

const QString START = QString::fromLatin1(startFen);

int32_t summe(const BewertungsZeile &z)
{
    return z.schlage + z.schach + z.bewegl + z.zentrum + z.tausch + z.glinieFrei +
           z.zielRaumGegner + z.dameBeweg + z.gegKoeBeweg + z.gegKoeRand + z.sicherEigKoe +
           z.zugBauer + z.turmLoch + z.frequent + z.zufallsWert;
}

} // namespace

class TestBewerter : public QObject
{
    Q_OBJECT

private slots:
    void kandidaten();
    void springerAmRand();
    void eroeffnung();
    void schach();
    void gleicherTausch();
    void zufallsWert();
    void frequent();
    void endwertIstSumme();
    void phasen();
    void ohneKoenig();
    void abbruchLaesstPassGanz();
};

void TestBewerter::kandidaten()
{
    Pass pass(START);
    Bewerter &b = pass.bewerte({{"e2e4", 50}, {"d2d4", 0}, {"g1f3", -170}, {"b1c3", -180}});
    QCOMPARE(b.anzahlZeilen(), 3);
    QCOMPARE(pass.ergebnis().size(), 3);
    QVERIFY(!pass.ergebnis().contains(QStringLiteral("b1c3")));

    // However far behind, the second move is always a candidate.
    Pass zwei(START);
    QCOMPARE(zwei.bewerte({{"e2e4", 50}, {"d2d4", -300}, {"g1f3", -310}}).anzahlZeilen(), 2);
}

void TestBewerter::springerAmRand()
{
    Pass start(START);
    start.bewerte({{"b1c3", 0}, {"b1a3", 0}});
    QCOMPARE(start.zeile("b1c3").zentrum, 10); // leaving the edge
    QCOMPARE(start.zeile("b1a3").zentrum, 0);  // edge to edge

    Pass c3(QStringLiteral("rnbqkbnr/pppppppp/8/8/8/2N5/PPPPPPPP/R1BQKBNR w KQkq - 0 1"));
    c3.bewerte({{"c3a4", 0}, {"c3b5", 0}, {"c3e4", 0}});
    QCOMPARE(c3.zeile("c3a4").zentrum, -10); // onto the edge
    QCOMPARE(c3.zeile("c3b5").zentrum, 0);
    QCOMPARE(c3.zeile("c3e4").zentrum, 10); // into the centre, outside the opening only
    c3.kontext.eroeffnungsphase = true;
    c3.bewerte({{"c3a4", 0}, {"c3e4", 0}});
    QCOMPARE(c3.zeile("c3e4").zentrum, 0);
}

void TestBewerter::eroeffnung()
{
    Pass pass(START);
    pass.kontext.eroeffnungsphase = true;
    pass.bewerte({{"e2e4", 0},
                  {"e2e3", 0},
                  {"d2d4", 0},
                  {"d2d3", 0},
                  {"a2a3", 0},
                  {"b2b3", 0},
                  {"h2h4", 0},
                  {"g1f3", 0}});
    QCOMPARE(pass.zeile("e2e4").zugBauer, 15);
    QCOMPARE(pass.zeile("e2e3").zugBauer, 5);
    QCOMPARE(pass.zeile("d2d4").zugBauer, -10);
    QCOMPARE(pass.zeile("d2d3").zugBauer, 5);
    QCOMPARE(pass.zeile("a2a3").zugBauer, -10);
    QCOMPARE(pass.zeile("b2b3").zugBauer, 0);
    QCOMPARE(pass.zeile("h2h4").zugBauer, -10);
    QCOMPARE(pass.zeile("g1f3").glinieFrei, 9);
    QCOMPARE(pass.zeile("g1f3").zielRaumGegner, 0);

    Pass e4e5(QStringLiteral("rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq - 0 2"));
    e4e5.kontext.eroeffnungsphase = true;
    e4e5.bewerte({{"d1h5", 0}, {"f1c4", 0}});
    const BewertungsZeile &dame = e4e5.zeile("d1h5");
    QCOMPARE(dame.dameBeweg, -25);
    QCOMPARE(dame.zielRaumGegner, -10);
    QCOMPARE(dame.glinieFrei, 0); // the queen earns nothing for leaving home
    QCOMPARE(e4e5.zeile("f1c4").glinieFrei, 9);
    QCOMPARE(e4e5.zeile("f1c4").zielRaumGegner, -10);

    // Black's pawn terms mirror White's.
    Pass schwarz(QStringLiteral("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1"));
    schwarz.kontext.eroeffnungsphase = true;
    schwarz.bewerte({{"e7e5", 0}, {"d7d6", 0}, {"f7f6", 0}});
    QCOMPARE(schwarz.zeile("e7e5").zugBauer, 15);
    QCOMPARE(schwarz.zeile("d7d6").zugBauer, 5);
    QCOMPARE(schwarz.zeile("f7f6").zugBauer, -10);
}

void TestBewerter::schach()
{
    // Black keeps enough material that the king hunt does not scale the terms.
    const QString fen = QStringLiteral("7k/rr6/qb6/8/8/8/8/3RK3 w - - 0 1");
    Pass pass(fen);
    pass.bewerte({{"d1d8", 0}, {"d1d3", 0}, {"d1d2", 0}, {"e1d2", 0}});
    const BewertungsZeile &schach = pass.zeile("d1d8");
    const BewertungsZeile &a = pass.zeile("d1d3");
    const BewertungsZeile &b = pass.zeile("d1d2");
    const BewertungsZeile &c = pass.zeile("e1d2");
    QCOMPARE(schach.schach, 10);
    QCOMPARE(a.schach, 0);
    QCOMPARE(schach.bewegl, (a.bewegl + b.bewegl + c.bewegl) / 3);
    QCOMPARE(schach.gegKoeBeweg, (a.gegKoeBeweg + b.gegKoeBeweg + c.gegKoeBeweg) / 3);
    QCOMPARE(schach.sicherEigKoe, (a.sicherEigKoe + b.sicherEigKoe + c.sicherEigKoe) / 3);

    // Only checks: no mobility measured anywhere, so the averages are 0.
    Pass nurSchach(QStringLiteral("7k/rr6/qb6/8/8/8/8/3RK1R1 w - - 0 1"));
    nurSchach.bewerte({{"d1d8", 0}, {"g1g8", 0}});
    QCOMPARE(nurSchach.zeile("g1g8").schach, 10);
    QCOMPARE(nurSchach.zeile("g1g8").bewegl, 0);
    QCOMPARE(nurSchach.zeile("d1d8").gegKoeBeweg, 0);

    // In the opening a check by the queen or a bishop is frowned upon.
    Pass eroeffnung(QStringLiteral("rnbqkbnr/ppppp1pp/8/5p2/4P3/8/PPPP1PPP/RNBQKBNR w KQkq - 0 2"));
    eroeffnung.kontext.eroeffnungsphase = true;
    eroeffnung.bewerte({{"d1h5", 0}, {"e4f5", 0}});
    QCOMPARE(eroeffnung.zeile("d1h5").schach, -20);
}

void TestBewerter::gleicherTausch()
{
    Pass pass(QStringLiteral("k7/1r6/1b5q/8/4r3/3K4/8/4R3 w - - 0 1"));
    pass.bewerte({{"e1e4", 0}, {"e1e2", 0}, {"e1f1", 0}});
    const BewertungsZeile &tausch = pass.zeile("e1e4");
    // The rook lands next to its king (20) and barely nearer the enemy king (1).
    QCOMPARE(tausch.tausch, 19);
    QCOMPARE(tausch.zentrum, 1); // 10 for the centre, divided by 10
    QCOMPARE(pass.zeile("e1e2").tausch, 0);

    // Far from a good score, the exchange is not considered even.
    Pass schlecht(QStringLiteral("k7/1r6/1b5q/8/4r3/3K4/8/4R3 w - - 0 1"));
    schlecht.bewerte({{"e1e4", 100}, {"e1e2", 0}});
    QCOMPARE(schlecht.zeile("e1e4").tausch, 0);
    QCOMPARE(schlecht.zeile("e1e4").zentrum, 10);
}

void TestBewerter::zufallsWert()
{
    const std::initializer_list<Kandidat> alle = {
        {"a2a3", 0}, {"a2a4", 0}, {"b2b3", 0}, {"b2b4", 0}, {"c2c3", 0}, {"c2c4", 0}, {"d2d3", 0},
        {"d2d4", 0}, {"e2e3", 0}, {"e2e4", 0}, {"f2f3", 0}, {"f2f4", 0}, {"g2g3", 0}, {"g2g4", 0},
        {"h2h3", 0}, {"h2h4", 0}, {"b1a3", 0}, {"b1c3", 0}, {"g1f3", 0}, {"g1h3", 0}};
    Pass ohne(START, 7);
    ohne.kontext.zufall = 0;
    Bewerter &b = ohne.bewerte(alle);
    for (int i = 0; i < b.anzahlZeilen(); ++i)
        QCOMPARE(b.zeilen()[i].zufallsWert, 0);

    Pass voll(START, 7);
    voll.kontext.zufall = 100;
    Bewerter &v = voll.bewerte(alle);
    QSet<int32_t> werte;
    for (int i = 0; i < v.anzahlZeilen(); ++i) {
        QVERIFY(v.zeilen()[i].zufallsWert >= 0 && v.zeilen()[i].zufallsWert <= 20);
        werte.insert(v.zeilen()[i].zufallsWert);
    }
    QVERIFY(werte.size() > 3);

    // A value beyond the range from an edited ini file stays within 0..20.
    Pass zuViel(START, 7);
    zuViel.kontext.zufall = 1000;
    Bewerter &z = zuViel.bewerte(alle);
    for (int i = 0; i < z.anzahlZeilen(); ++i)
        QVERIFY(z.zeilen()[i].zufallsWert >= 0 && z.zeilen()[i].zufallsWert <= 20);
    Pass negativ(START, 7);
    negativ.kontext.zufall = -40;
    negativ.bewerte({{"e2e4", 0}, {"d2d4", 0}});
    QCOMPARE(negativ.zeile("e2e4").zufallsWert, 0);
}

void TestBewerter::frequent()
{
    const QString fen =
        QStringLiteral("r3k2r/ppp2ppp/2n5/3p4/3P4/2N2N2/PPP2PPP/R3K2R w KQkq - 0 10");
    Pass pass(fen);
    pass.kontext.currentIndex = 18;
    pass.kontext.standzeit[77] = 25; // Nf3 stood long
    pass.kontext.standzeit[92] = 45; // a rook in its corner may stay
    pass.kontext.standzeit[74] = 3;  // Nc3 came from b1 (92 + 1) three plies ago
    pass.kontext.herkunft[74] = 93;
    pass.bewerte({{"f3e5", 0}, {"a1b1", 0}, {"c3b1", 0}, {"c3e2", 0}});
    QCOMPARE(pass.zeile("f3e5").frequent, 10);
    QCOMPARE(pass.zeile("a1b1").frequent, 0);
    QCOMPARE(pass.zeile("c3b1").frequent, -14); // straight back
    QCOMPARE(pass.zeile("c3e2").frequent, 0);   // a knight may go on elsewhere

    Pass alt(fen);
    alt.kontext.standzeit[77] = 41;
    alt.bewerte({{"f3e5", 0}, {"f3g5", 0}});
    QCOMPARE(alt.zeile("f3e5").frequent, 14);
}

void TestBewerter::endwertIstSumme()
{
    Pass pass(
        QStringLiteral("r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 4 4"));
    Bewerter &b = pass.bewerte(
        {{"e1g1", 20}, {"d2d3", 10}, {"f3g5", 5}, {"b1c3", 0}, {"c4f7", -200}, {"d1e2", -20}});
    QCOMPARE(b.anzahlZeilen(), 6);
    for (int i = 0; i < b.anzahlZeilen(); ++i) {
        const BewertungsZeile &z = b.zeilen()[i];
        QCOMPARE(z.kleinGross, 0);
        QCOMPARE(z.endwert, summe(z));
        QVERIFY(z.bewegl != NICHT_BERECHNET && z.gegKoeBeweg != NICHT_BERECHNET &&
                z.sicherEigKoe != NICHT_BERECHNET);
    }
    // Sorted by the sum, best first.
    Zug liste[MAX_KANDIDATEN];
    b.holeWurzelZuege(liste);
    for (int i = 1; liste[i].von != 0; ++i)
        QVERIFY(liste[i - 1].wert >= liste[i].wert);
    QCOMPARE(liste[0].wert,
             std::max_element(b.zeilen(), b.zeilen() + 6,
                              [](const BewertungsZeile &x, const BewertungsZeile &y) {
                                  return x.endwert < y.endwert;
                              })
                 ->endwert);
}

void TestBewerter::phasen()
{
    Pass start(START);
    start.bewerte({{"e2e4", 0}, {"d2d4", 0}});
    QCOMPARE(start.bewerte({{"e2e4", 0}, {"d2d4", 0}}).phasenKennung(), QStringLiteral("M"));
    start.kontext.eroeffnungsphase = true;
    QCOMPARE(start.bewerte({{"e2e4", 0}, {"d2d4", 0}}).phasenKennung(), QStringLiteral("s"));
    start.kontext.fruehePhase = true;
    QCOMPARE(start.bewerte({{"e2e4", 0}, {"d2d4", 0}}).phasenKennung(), QStringLiteral("S"));

    // A pawn ending: the pawn move among the good ones makes it one.
    Pass bauern(QStringLiteral("8/8/4k3/8/8/4K3/3P4/8 w - - 0 1"));
    Bewerter &b = bauern.bewerte({{"e3e4", 0}, {"d2d4", -10}, {"e3f4", -60}});
    QVERIFY(b.istGegnerSchwach());
    QVERIFY(b.istBauernEndspiel());
    QCOMPARE(b.phasenKennung(), QStringLiteral("W"));

    // King and queen against king: Qa6 leaves the king only the back rank.
    Pass jagd(QStringLiteral("8/2k5/4K3/8/8/8/8/Q7 w - - 0 1"));
    Bewerter &j = jagd.bewerte({{"a1a6", 0}, {"a1a5", 0}, {"a1d4", 0}});
    QVERIFY(j.istGegnerSchwach());
    QVERIFY(j.istEndspiel());
    QVERIFY(!j.istBauernEndspiel());
    QVERIFY(j.istKoenigsJagd());
    QCOMPARE(j.phasenKennung(), QStringLiteral("R"));
    QCOMPARE(jagd.zeile("a1a6").gegKoeRand, 20); // not divided in a king hunt
    QCOMPARE(jagd.zeile("a1a5").gegKoeRand, -20);
    QCOMPARE(jagd.zeile("a1d4").zentrum, 10 / 4); // the other terms count a quarter
}

void TestBewerter::ohneKoenig()
{
    // A FEN may set up a side without a king; nothing around it is measured.
    Pass pass(QStringLiteral("8/8/8/8/8/8/4P3/4K3 w - - 0 1"));
    Bewerter &b = pass.bewerte({{"e2e4", 0}, {"e1d1", 0}});
    QCOMPARE(b.anzahlZeilen(), 2);
    QCOMPARE(pass.zeile("e2e4").gegKoeBeweg, 0);
}

// A stop asked while the pass runs does not cut its searches short.
void TestBewerter::abbruchLaesstPassGanz()
{
    const QString fen =
        QStringLiteral("r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 4 4");
    const std::initializer_list<Kandidat> kandidaten = {
        {"e1g1", 20}, {"d2d3", 10}, {"f3g5", 5}, {"b1c3", 0}, {"d1e2", -20}};
    Pass ruhig(fen);
    ruhig.bewerte(kandidaten);
    abbrechen = true;
    Pass gestoert(fen);
    gestoert.bewerte(kandidaten);
    abbrechen = false;
    QCOMPARE(gestoert.ergebnis(), ruhig.ergebnis());
    for (const Kandidat &k : kandidaten)
        QCOMPARE(gestoert.zeile(k.zug).endwert, ruhig.zeile(k.zug).endwert);
}

QTEST_MAIN(TestBewerter)
#include "tst_bewerter.moc"

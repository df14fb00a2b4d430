#include "core/felder.h"
#include "engine/abbrechen.h"
#include "engine/bewerter.h"
#include "engine/zufall.h"
#include "testhilfe.h"

#include <QtTest>

namespace {

QString text(int von, int nach)
{
    return (feldName(von) + feldName(nach)).toLower();
}

// Evaluates the named moves of the position ("e2e4:50 d2d4", all root moves if none are named) as
// candidates with the given search scores, 0 where none is given. The flags come from a search of
// the position, as they would in the engine.
class Pass
{
public:
    explicit Pass(const QString &fen, quint32 keim = 1)
        : fen(fen)
        , zufall(keim)
    {}

    Bewerter &bewerte(const QString &zuege = QString())
    {
        QMap<QString, int32_t> werte;
        for (const QString &zug : zuege.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            werte.insert(zug.section(QLatin1Char(':'), 0, 0),
                         zug.section(QLatin1Char(':'), 1, 1).toInt());
        bool schwarz;
        auto s = ladeTestStellung(fen, &schwarz);
        s->abbruch = nullptr;
        int32_t brett[BRETT_ZELLEN];
        s->holeBrett(brett);
        const Zug letzter = s->ebene[0].zug;
        const uint32_t rechte = s->holeRochaderechte();
        bool koenigSchlagbar;
        int32_t wert;
        s->suche(schwarz, 0, koenigSchlagbar, wert);

        Zug liste[MAX_ZUEGE];
        int n = 0;
        for (int i = 0; s->wurzelZuege[i].von != 0; ++i) {
            const QString zug = text(s->wurzelZuege[i].von, s->wurzelZuege[i].nach);
            if (!werte.isEmpty() && !werte.contains(zug))
                continue;
            liste[n] = s->wurzelZuege[i];
            liste[n++].wert = werte.value(zug);
        }
        liste[n] = Zug{};
        stellung::sortiereZugliste(liste);

        bewerter = std::make_unique<Bewerter>(kontext, zufall);
        bewerter->setzeIstVorschlag(false);
        bewerter->setzeRochaderechte(rechte);
        bewerter->setzeLetztenZug(letzter);
        bewerter->setzeBrett(brett);
        bewerter->setzeWurzelZuege(liste);
        bewerter->bewerteAlle(false, QString(), QString());
        return *bewerter;
    }

    const BewertungsZeile &zeile(const QString &zug) const
    {
        for (int i = 0; i < bewerter->anzahlZeilen(); ++i) {
            const BewertungsZeile &z = bewerter->zeilen()[i];
            if (text(z.von, z.nach) == zug)
                return z;
        }
        qFatal("no row for %s", qPrintable(zug));
    }

    QStringList ergebnis() const
    {
        Zug liste[MAX_KANDIDATEN];
        bewerter->holeWurzelZuege(liste);
        QStringList zuege;
        for (int i = 0; liste[i].von != 0; ++i)
            zuege << text(liste[i].von, liste[i].nach);
        return zuege;
    }

    JobKontext kontext;

private:
    QString fen;
    Zufall zufall;
    std::unique_ptr<Bewerter> bewerter;
};

const QString START = QString::fromLatin1(startFen);
const QString ITALIENISCH =
    QStringLiteral("r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 4 4");

int32_t summe(const BewertungsZeile &z)
{
    return z.schlage + z.schach + z.bewegl + z.zentrum + z.tausch + z.glinieFrei +
           z.zielRaumGegner + z.dameBeweg + z.gegKoeBeweg + z.gegKoeRand + z.sicherEigKoe +
           z.zugBauer + z.turmLoch + z.frequent + z.zufallsWert;
}

int32_t term(const BewertungsZeile &z, const QString &name)
{
    using Z = BewertungsZeile;
    static const QHash<QString, int32_t Z::*> terme = {
        {"schach", &Z::schach},         {"bewegl", &Z::bewegl},
        {"zentrum", &Z::zentrum},       {"tausch", &Z::tausch},
        {"glinieFrei", &Z::glinieFrei}, {"zielRaumGegner", &Z::zielRaumGegner},
        {"dameBeweg", &Z::dameBeweg},   {"gegKoeBeweg", &Z::gegKoeBeweg},
        {"gegKoeRand", &Z::gegKoeRand}, {"zugBauer", &Z::zugBauer}};
    return z.*terme.value(name);
}

} // namespace

class TestBewerter : public QObject
{
    Q_OBJECT

private slots:
    void kandidaten();
    void terme();
    void schach();
    void zufallsWert();
    void frequent();
    void endwertIstSumme();
    void phasen();
    void abbruchLaesstPassGanz();
};

void TestBewerter::kandidaten()
{
    Pass pass(START);
    QCOMPARE(pass.bewerte("e2e4:50 d2d4 g1f3:-170 b1c3:-180").anzahlZeilen(), 3);
    QCOMPARE(pass.ergebnis().size(), 3);
    QVERIFY(!pass.ergebnis().contains(QStringLiteral("b1c3")));

    // However far behind, the second move is always a candidate.
    QCOMPARE(pass.bewerte("e2e4:50 d2d4:-300 g1f3:-310").anzahlZeilen(), 2);
}

// Knights to and from the rim, the centre only after the opening, pawn steps, the early queen,
// checks without any mobility measured, an even exchange only near a good score, the king hunt.
void TestBewerter::terme()
{
    const char *const c3 = "rnbqkbnr/pppppppp/8/8/8/2N5/PPPPPPPP/R1BQKBNR w KQkq - 0 1";
    const char *const tausch = "k7/1r6/1b5q/8/4r3/3K4/8/4R3 w - - 0 1";
    const struct
    {
        const char *fen;
        bool eroeffnung;
        const char *zuege;
        const char *erwartet;
    } faelle[] = {
        {startFen, false, "b1c3 b1a3", "b1c3 zentrum 10, b1a3 zentrum 0"},
        {c3, false, "c3a4 c3b5 c3e4", "c3a4 zentrum -10, c3b5 zentrum 0, c3e4 zentrum 10"},
        {c3, true, "c3a4 c3e4", "c3e4 zentrum 0"},
        {startFen, true, "e2e4 e2e3 d2d4 d2d3 a2a3 b2b3 h2h4 g1f3",
         "e2e4 zugBauer 15, e2e3 zugBauer 5, d2d4 zugBauer -10, d2d3 zugBauer 5, "
         "a2a3 zugBauer -10, b2b3 zugBauer 0, h2h4 zugBauer -10, g1f3 glinieFrei 9, "
         "g1f3 zielRaumGegner 0"},
        {"rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1", true, "e7e5 d7d6 f7f6",
         "e7e5 zugBauer 15, d7d6 zugBauer 5, f7f6 zugBauer -10"},
        {"rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq - 0 2", true, "d1h5 f1c4",
         "d1h5 dameBeweg -25, d1h5 zielRaumGegner -10, d1h5 glinieFrei 0, f1c4 glinieFrei 9, "
         "f1c4 zielRaumGegner -10"},
        {"rnbqkbnr/ppppp1pp/8/5p2/4P3/8/PPPP1PPP/RNBQKBNR w KQkq - 0 2", true, "d1h5 e4f5",
         "d1h5 schach -20"},
        {"7k/rr6/qb6/8/8/8/8/3RK1R1 w - - 0 1", false, "d1d8 g1g8",
         "g1g8 schach 10, g1g8 bewegl 0, d1d8 gegKoeBeweg 0"},
        {tausch, false, "e1e4 e1e2 e1f1", "e1e4 tausch 19, e1e4 zentrum 1, e1e2 tausch 0"},
        {tausch, false, "e1e4:100 e1e2", "e1e4 tausch 0, e1e4 zentrum 10"},
        {"8/2k5/4K3/8/8/8/8/Q7 w - - 0 1", false, "a1a6 a1a5 a1d4",
         "a1a6 gegKoeRand 20, a1a5 gegKoeRand -20, a1d4 zentrum 2"},
        {"8/8/8/8/8/8/4P3/4K3 w - - 0 1", false, "e2e4 e1d1", "e2e4 gegKoeBeweg 0"},
    };
    for (const auto &fall : faelle) {
        Pass pass(QLatin1String(fall.fen));
        pass.kontext.eroeffnungsphase = fall.eroeffnung;
        pass.bewerte(QLatin1String(fall.zuege));
        QStringList angaben;
        for (const QString &angabe : QString::fromLatin1(fall.erwartet).split(", ")) {
            const QStringList teile = angabe.split(' ');
            angaben << QStringLiteral("%1 %2 %3")
                           .arg(teile.at(0), teile.at(1))
                           .arg(term(pass.zeile(teile.at(0)), teile.at(1)));
        }
        QCOMPARE(angaben.join(", "), QLatin1String(fall.erwartet));
    }
}

void TestBewerter::schach()
{
    // Black keeps enough material that the king hunt does not scale the terms; a check takes the
    // average of the other moves' mobility terms.
    Pass pass(QStringLiteral("7k/rr6/qb6/8/8/8/8/3RK3 w - - 0 1"));
    pass.bewerte("d1d8 d1d3 d1d2 e1d2");
    const BewertungsZeile &schach = pass.zeile("d1d8");
    const BewertungsZeile &a = pass.zeile("d1d3");
    const BewertungsZeile &b = pass.zeile("d1d2");
    const BewertungsZeile &c = pass.zeile("e1d2");
    QCOMPARE(schach.schach, 10);
    QCOMPARE(a.schach, 0);
    QCOMPARE(schach.bewegl, (a.bewegl + b.bewegl + c.bewegl) / 3);
    QCOMPARE(schach.gegKoeBeweg, (a.gegKoeBeweg + b.gegKoeBeweg + c.gegKoeBeweg) / 3);
    QCOMPARE(schach.sicherEigKoe, (a.sicherEigKoe + b.sicherEigKoe + c.sicherEigKoe) / 3);
}

// The random term stays within 0..20 whatever the setting, also from an edited ini file.
void TestBewerter::zufallsWert()
{
    for (const int einstellung : {0, 100, 1000, -40}) {
        Pass pass(START, 7);
        pass.kontext.zufall = einstellung;
        const Bewerter &b = pass.bewerte();
        QCOMPARE(b.anzahlZeilen(), 20);
        QSet<int32_t> werte;
        for (int i = 0; i < b.anzahlZeilen(); ++i) {
            QVERIFY(b.zeilen()[i].zufallsWert >= 0 && b.zeilen()[i].zufallsWert <= 20);
            werte.insert(b.zeilen()[i].zufallsWert);
        }
        if (einstellung > 0)
            QVERIFY(werte.size() > 3);
        else
            QCOMPARE(werte, QSet<int32_t>{0});
    }
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
    pass.bewerte("f3e5 a1b1 c3b1 c3e2");
    QCOMPARE(pass.zeile("f3e5").frequent, 10);
    QCOMPARE(pass.zeile("a1b1").frequent, 0);
    QCOMPARE(pass.zeile("c3b1").frequent, -14); // straight back
    QCOMPARE(pass.zeile("c3e2").frequent, 0);   // a knight may go on elsewhere

    Pass alt(fen);
    alt.kontext.standzeit[77] = 41;
    alt.bewerte("f3e5 f3g5");
    QCOMPARE(alt.zeile("f3e5").frequent, 14);
}

// Handed back sorted by the sum of the terms, best first, every mobility term measured.
void TestBewerter::endwertIstSumme()
{
    Pass pass(ITALIENISCH);
    Zug liste[MAX_KANDIDATEN];
    pass.bewerte("e1g1:20 d2d3:10 f3g5:5 b1c3 c4f7:-200 d1e2:-20").holeWurzelZuege(liste);
    for (int i = 0; i < 6; ++i) {
        const BewertungsZeile &z = pass.zeile(text(liste[i].von, liste[i].nach));
        QVERIFY(z.kleinGross == 0 && z.endwert == summe(z) && z.endwert == liste[i].wert);
        QVERIFY(z.bewegl != NICHT_BERECHNET && z.gegKoeBeweg != NICHT_BERECHNET &&
                z.sicherEigKoe != NICHT_BERECHNET);
        QVERIFY(i == 0 || liste[i].wert <= liste[i - 1].wert);
    }
    QCOMPARE(liste[6].von, 0);
}

// Middle game, opening, early opening, pawn ending (the pawn move among the good ones), king hunt.
void TestBewerter::phasen()
{
    const char *const jagd = "8/2k5/4K3/8/8/8/8/Q7 w - - 0 1";
    const char *const bauern = "8/8/4k3/8/8/4K3/3P4/8 w - - 0 1";
    const struct
    {
        const char *fen;
        int phase;
        const char *zuege;
    } faelle[] = {{startFen, 0, "e2e4 d2d4"},
                  {startFen, 1, "e2e4 d2d4"},
                  {startFen, 2, "e2e4 d2d4"},
                  {bauern, 0, "e3e4 d2d4:-10 e3f4:-60"},
                  {jagd, 0, "a1a6 a1a5 a1d4"}};
    QString kennungen;
    for (const auto &fall : faelle) {
        Pass pass(QLatin1String(fall.fen));
        pass.kontext.eroeffnungsphase = fall.phase > 0;
        pass.kontext.fruehePhase = fall.phase > 1;
        kennungen += pass.bewerte(QLatin1String(fall.zuege)).phasenKennung();
    }
    QCOMPARE(kennungen, QStringLiteral("MsSWR"));
}

// A stop asked while the pass runs does not cut its searches short.
void TestBewerter::abbruchLaesstPassGanz()
{
    const QString zuege = QStringLiteral("e1g1:20 d2d3:10 f3g5:5 b1c3 d1e2:-20");
    Pass ruhig(ITALIENISCH);
    ruhig.bewerte(zuege);
    abbrechen = true;
    Pass gestoert(ITALIENISCH);
    gestoert.bewerte(zuege);
    abbrechen = false;
    QCOMPARE(gestoert.ergebnis(), ruhig.ergebnis());
    for (const QString &zug : ruhig.ergebnis())
        QCOMPARE(gestoert.zeile(zug).endwert, ruhig.zeile(zug).endwert);
}

QTEST_MAIN(TestBewerter)
#include "tst_bewerter.moc"

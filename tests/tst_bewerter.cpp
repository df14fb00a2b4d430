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

int32_t term(const BewertungsZeile &z, const QString &name)
{
    using Z = BewertungsZeile;
    static const QHash<QString, int32_t Z::*> terme = {{"schach", &Z::schach},
                                                       {"bewegl", &Z::bewegl},
                                                       {"zentrum", &Z::zentrum},
                                                       {"tausch", &Z::tausch},
                                                       {"glinieFrei", &Z::glinieFrei},
                                                       {"zielRaumGegner", &Z::zielRaumGegner},
                                                       {"dameBeweg", &Z::dameBeweg},
                                                       {"gegKoeBeweg", &Z::gegKoeBeweg},
                                                       {"gegKoeRand", &Z::gegKoeRand},
                                                       {"zugBauer", &Z::zugBauer},
                                                       {"sicherEigKoe", &Z::sicherEigKoe}};
    return z.*terme.value(name);
}

} // namespace

class TestBewerter : public QObject
{
    Q_OBJECT

private slots:
    void kandidaten();
    void terme();
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

// Knights to the rim, the centre only after the opening, pawn steps, the early queen, checks
// without any mobility measured, an even exchange only near a good score, the king leaving its
// corner (three pieces are no endgame yet), the king hunt.
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
        {c3, false, "c3a4 c3e4", "c3a4 zentrum -10, c3e4 zentrum 10"},
        {c3, true, "c3a4 c3e4", "c3e4 zentrum 0"},
        {startFen, true, "e2e4 e2e3 d2d4 b2b3 g1f3",
         "e2e4 zugBauer 15, e2e3 zugBauer 5, d2d4 zugBauer -10, b2b3 zugBauer 0, "
         "g1f3 glinieFrei 9"},
        {"rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq - 0 2", true, "d1h5 f1c4",
         "d1h5 dameBeweg -25, d1h5 zielRaumGegner -10, d1h5 glinieFrei 0, f1c4 glinieFrei 9, "
         "f1c4 zielRaumGegner -10"},
        {"7k/rr6/qb6/8/8/8/8/3RK1R1 w - - 0 1", false, "d1d8 g1g8",
         "g1g8 schach 10, g1g8 bewegl 0, d1d8 gegKoeBeweg 0"},
        {tausch, false, "e1e4 e1e2 e1f1", "e1e4 tausch 19, e1e4 zentrum 1, e1e2 tausch 0"},
        {tausch, false, "e1e4:100 e1e2", "e1e4 tausch 0, e1e4 zentrum 10"},
        {"8/2k5/8/8/8/8/8/KBNR4 w - - 0 1", false, "a1b2 a1a2",
         "a1b2 sicherEigKoe 19, a1b2 gegKoeRand -20"},
        {"8/2k5/4K3/8/8/8/8/Q7 w - - 0 1", false, "a1a6 a1a5 a1d4",
         "a1a6 gegKoeRand 20, a1a5 gegKoeRand -20, a1d4 zentrum 2"},
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

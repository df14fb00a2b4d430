#include "engine/berechnezug.h"

#include "core/positionsblock.h"
#include "core/stellung.h"
#include "engine/bericht.h"
#include "engine/bewerter.h"
#include "engine/zufall.h"
#include "engine/zugwahl.h"

#include <QElapsedTimer>

#include <algorithm>

#include <memory>

namespace {

QString mindestensZweistellig(int zahl)
{
    return QStringLiteral("%1").arg(zahl, 2, 10, QLatin1Char('0'));
}

QString suchinfo(int tiefe, int anzahl)
{
    return QLatin1Char('T') + QString::number(tiefe) + QLatin1Char(' ') +
           mindestensZweistellig(anzahl);
}

QString zugfelder(const Zug &zug)
{
    if (zug.von == 0)
        return QStringLiteral("00|00|0");
    return QString::number(zug.von) + QLatin1Char('|') + QString::number(zug.nach) +
           QLatin1Char('|') + QString::number(zug.wert);
}

int laenge(const Zug *liste)
{
    int n = 0;
    while (liste[n].von != 0)
        ++n;
    return n;
}

// The block may come from anywhere; every walk over the board relies on an intact border.
void setzeRand(int32_t *brett)
{
    for (int feld = 0; feld < BRETT_ZELLEN; ++feld) {
        if (feld < 22 || feld > 99 || feld % 10 < 2)
            brett[feld] = RAND;
    }
}

struct Pass
{
    const Positionsblock &block;
    bool istVorschlag;
    const JobKontext &kontext;
    Zufall &zufall;
};

// Evaluates the candidates of `liste` and replaces it by them, best first. Returns the phase
// letter.
QString bewerte(const Pass &pass, Zug *liste, bool bericht, const QString &minimax,
                const QString &zaehler, quint64 &aufrufe)
{
    auto bewerter = std::make_unique<Bewerter>(pass.kontext, pass.zufall);
    bewerter->setzeIstVorschlag(pass.istVorschlag);
    bewerter->setzeRochaderechte(pass.block.rochaderechte.alsWort());
    bewerter->setzeLetztenZug(pass.block.letzterZug);
    bewerter->setzeBrett(pass.block.brett);
    bewerter->setzeWurzelZuege(liste);
    bewerter->bewerteAlle(bericht, minimax, zaehler);
    bewerter->holeWurzelZuege(liste);
    aufrufe += bewerter->sucheAufrufe();
    return bewerter->phasenKennung();
}

// The best root move and the replies under it. The plies next to the leaves are left out: there a
// move may be scored without ever being made, so it need not even be legal; and a reply taken from
// the transposition table has no line of its own under it.
QVector<Zug> besteLinie(const stellung &s)
{
    QVector<Zug> linie;
    const Zug &bester = s.wurzelZuege[0];
    if (bester.von == 0)
        return linie;
    linie << bester;
    for (int k = 0; k < MAX_ZUEGE && s.variante[k][1].zug.von != 0; ++k) {
        const Suchebene *v = s.variante[k];
        if (v[1].zug.von != bester.von || v[1].zug.nach != bester.nach)
            continue;
        for (int p = 2; p < s.maxTiefe - 1; ++p) {
            if (v[p].besterZug.von == 0 || v[p].blatt || (linie.last().flags & ZUG_HASHTREFFER))
                break;
            linie << v[p].besterZug;
        }
        break;
    }
    return linie;
}

Suchstand stand(const stellung &s, int tiefe, qint64 ms)
{
    return Suchstand{tiefe, ms, s.sucheAufrufe, s.wurzelZuege[0].wert, besteLinie(s)};
}

// The level's depth, or less when the caller limits it; never below the two plies the root
// needs to see the replies to its moves.
int begrenzteTiefe(int tiefe, const JobKontext &kontext)
{
    return kontext.vorgaben.tiefe > 0 ? std::min(tiefe, std::max(kontext.vorgaben.tiefe, 2))
                                      : tiefe;
}

// Searches from the root to the given depth, with the ply records reset to the last move.
void sucheBis(stellung &s, bool schwarzAmZug, const Zug &letzter, int tiefe)
{
    s.setzeMaxTiefe(tiefe);
    s.setzeLetztenZug(letzter.von, letzter.nach, letzter.wert, letzter.flags);
    bool koenigSchlagbar;
    int32_t wert;
    s.suche(schwarzAmZug, 0, koenigSchlagbar, wert);
}

} // namespace

JobErgebnis fuehreJobAus(bool schwarzAmZug, bool istVorschlag, const QByteArray &daten,
                         const JobKontext &kontext)
{
    JobErgebnis ergebnis;
    const int stufe = begrenzteStufe(kontext.schwierigkeit);
    Positionsblock block;
    if (!lesePositionsblock(daten, block)) {
        ergebnis.tiefe = suchtiefe(stufe, istVorschlag, false);
        ergebnis.text = QStringLiteral("00|00|0|00|00|0|") + suchinfo(ergebnis.tiefe, 0) +
                        QStringLiteral("|0|-");
        return ergebnis;
    }
    setzeRand(block.brett);
    Zufall zufall(kontext.zufallsKeim);
    const Pass pass{block, istVorschlag, kontext, zufall};
    const Zug &letzter = block.letzterZug;
    int tiefe = begrenzteTiefe(suchtiefe(stufe, istVorschlag, letzter.flags & ZUG_SCHACH), kontext);

    auto s = std::make_unique<stellung>();
    s->setzeRochaderechte(block.rochaderechte.alsWort());
    s->setzeBrett(block.brett);
    if (!kontext.eroeffnungsphase)
        s->berechneKoenigsnaehe();
    s->setzeWandlungsFigur(DAME);
    s->abbruch = kontext.abbruch;
    // A limit on the calls of suche counts them in one thread, so that it gives the same result
    // every time.
    s->threads = kontext.vorgaben.knoten != 0 ? 1 : kontext.threads;
    s->knotenGrenze = kontext.vorgaben.knoten;
    s->zaehler = kontext.htmlWertetabelle;
    s->wurzelZeitgrenze = kontext.ersteSuchzeit < 0;
    QElapsedTimer uhr;
    uhr.start();
    sucheBis(*s, schwarzAmZug, letzter, tiefe);
    qint64 ms = uhr.elapsed();
    Zug liste[MAX_ZUEGE];
    s->holeWurzelZuege(liste);
    const int ersteAnzahl = laenge(liste);
    QString info = suchinfo(tiefe, ersteAnzahl);
    ergebnis.stand = stand(*s, tiefe, ms);
    if (kontext.vorgaben.fortschritt)
        kontext.vorgaben.fortschritt(ergebnis.stand);

    // Once a stop is asked the job answers from the search it has: a deeper search would break
    // off at once and be dropped.
    const qint64 t = kontext.ersteSuchzeit >= 0 ? kontext.ersteSuchzeit : ms;
    Vertiefung vertiefung = s->anhaltenErbeten() ? Vertiefung{}
                                                 : pruefeVertiefung(stufe, kontext.fruehePhase,
                                                                    liste[0], ersteAnzahl, t);
    vertiefung.zusatz = begrenzteTiefe(tiefe + vertiefung.zusatz, kontext) - tiefe;
    if (vertiefung.aktiv && vertiefung.zusatz > 0) {
        Zug ersteListe[MAX_ZUEGE];
        std::copy(liste, liste + ersteAnzahl + 1, ersteListe);
        if (vertiefung.mitVorgabe)
            bewerte(pass, liste, false, QString(), QString(), ergebnis.sucheAufrufe);
        s->setzeSucheFort(vertiefung.mitVorgabe, schwarzAmZug, liste);
        if (kontext.vorVertiefung)
            kontext.vorVertiefung();
        s->verwerfbar = true;
        sucheBis(*s, schwarzAmZug, letzter, tiefe + vertiefung.zusatz);
        ms = uhr.elapsed();
        if (s->abgebrochen) {
            std::copy(ersteListe, ersteListe + ersteAnzahl + 1, liste);
        } else {
            tiefe += vertiefung.zusatz;
            s->holeWurzelZuege(liste);
            info = suchinfo(tiefe, laenge(liste)) + QLatin1Char('/') +
                   mindestensZweistellig(ersteAnzahl);
            ergebnis.stand = stand(*s, tiefe, ms);
            if (kontext.vorgaben.fortschritt)
                kontext.vorgaben.fortschritt(ergebnis.stand);
        }
    }

    // The two tables only go into the report.
    const QString minimax = kontext.htmlWertetabelle ? minimaxText(*s) : QString();
    const QString zaehler = kontext.htmlWertetabelle ? zaehlerText(*s) : QString();
    QString kennung = QStringLiteral("-");
    if (!s->anhaltenErbeten() && laenge(liste) >= 2)
        kennung = bewerte(pass, liste, true, minimax, zaehler, ergebnis.sucheAufrufe);

    int gewaehlt = 0;
    if (!istVorschlag && stufe == 1 && laenge(liste) >= 2 && zufall.zahl(0, 6) == 3) {
        info += QStringLiteral(" Z");
        gewaehlt = schwaechererZug(liste);
    }

    ergebnis.zug = liste[gewaehlt];
    ergebnis.tiefe = tiefe;
    ergebnis.ms = ms;
    ergebnis.sucheAufrufe += s->sucheAufrufe;
    const Zug zweiter = liste[0].von != 0 ? liste[1] : Zug{};
    ergebnis.text = zugfelder(ergebnis.zug) + QLatin1Char('|') + zugfelder(zweiter) +
                    QLatin1Char('|') + info + QLatin1Char('|') + QString::number(ms) +
                    QLatin1Char('|') + kennung;
    return ergebnis;
}

QString berechneZug(bool schwarzAmZug, bool istVorschlag, QByteArray daten, JobKontext kontext)
{
    return fuehreJobAus(schwarzAmZug, istVorschlag, daten, kontext).text;
}

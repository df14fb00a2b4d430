#include "engine/bewerter.h"

#include "core/richtungen.h"
#include "core/stellung.h"
#include "engine/bericht.h"

#include <QDateTime>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

constexpr int32_t KANDIDATEN_ABSTAND = 229;
constexpr int32_t SCHWACHER_GEGNER = 1391;
constexpr int32_t GUTER_ZUG = -39;

// The three terms a probe may leave uncomputed.
constexpr int32_t BewertungsZeile::*const UNSICHERE_TERME[3] = {
    &BewertungsZeile::bewegl, &BewertungsZeile::gegKoeBeweg, &BewertungsZeile::sicherEigKoe};

} // namespace

Bewerter::Bewerter(const JobKontext &kontext, Zufall &zufall)
    : kontext(kontext)
    , zufall(zufall)
{
    std::fill(std::begin(brett), std::end(brett), RAND);
    std::fill(std::begin(brettNachZug), std::end(brettNachZug), RAND);
    wurzelZuege[0] = Zug{};
    std::memset(tabelle, 0, sizeof tabelle);
}

Bewerter::~Bewerter() = default;

void Bewerter::setzeBrett(const int32_t *quelle)
{
    std::copy(quelle, quelle + BRETT_ZELLEN, brett);
}

void Bewerter::setzeWurzelZuege(const Zug *liste)
{
    int n = 0;
    while (n < MAX_KANDIDATEN - 1 && liste[n].von != 0 &&
           (n < 2 || liste[n].wert >= liste[0].wert - KANDIDATEN_ABSTAND)) {
        wurzelZuege[n] = liste[n];
        ++n;
    }
    wurzelZuege[n] = Zug{};
    anzahl = n;
    seite = (liste[0].flags & ZUG_SCHWARZ) != 0;
}

void Bewerter::holeWurzelZuege(Zug *ziel) const
{
    int i = 0;
    for (; wurzelZuege[i].von != 0; ++i)
        ziel[i] = wurzelZuege[i];
    ziel[i] = Zug{};
}

int Bewerter::eigeneBauernUm(const int32_t *b, int koenig) const
{
    if (koenig < 22 || koenig > 99)
        return 0;
    const int32_t bauer = seite ? BAUER : -BAUER;
    int n = 0;
    for (int r = 0; r < 8; ++r)
        n += b[koenig + RICHTUNGEN[r]] == bauer;
    return n;
}

void Bewerter::bereiteVor()
{
    gegnerKoenig = 0;
    eigenerKoenig = 0;
    int32_t gegnerMaterial = 0;
    int eigeneFiguren = 0;
    for (int feld = 22; feld <= 99; ++feld) {
        const int32_t code = brett[feld];
        if (uint32_t(code) <= 1)
            continue;
        const int32_t art = std::abs(code);
        if (art == KOENIG)
            (istEigen(code, seite) ? eigenerKoenig : gegnerKoenig) = feld;
        else if (istGegner(code, seite))
            gegnerMaterial += art;
        else if (art != BAUER)
            eigeneFiguren += art == DAME ? 2 : 1;
    }
    gegnerSchwach = gegnerMaterial < SCHWACHER_GEGNER;
    endspiel = gegnerSchwach && eigeneFiguren < 3;

    gegnerKoenigZeile = gegnerKoenig / 10;
    gegnerKoenigSpalte = gegnerKoenig % 10;
    int n = 0;
    // Without an enemy king (a FEN may lack one) there are no flight squares to attack.
    if (gegnerKoenig != 0) {
        for (int r = 0; r < 8; ++r) {
            const int feld = gegnerKoenig + RICHTUNGEN[r];
            if (brett[feld] != RAND)
                fluchtfelder[n++] = feld;
        }
    }
    fluchtfelder[n] = 0;

    bauernEndspiel = false;
    koenigsJagd = false;
    if (gegnerSchwach && anzahl > 0) {
        int32_t bester = -1000;
        for (int i = 0; i < anzahl; ++i)
            bester = std::max(bester, wurzelZuege[i].wert);
        const int32_t schwelle = std::min(bester, 0) + GUTER_ZUG;
        for (int i = 0; i < anzahl; ++i) {
            if (wurzelZuege[i].wert >= schwelle && std::abs(brett[wurzelZuege[i].von]) == BAUER)
                bauernEndspiel = true;
        }
    }
    bauernAmKoenig = eigeneBauernUm(brett, eigenerKoenig);
}

void Bewerter::bewerteAlle(bool bericht, const QString &minimaxText, const QString &zaehlerText)
{
    bereiteVor();
    std::memset(tabelle, 0, sizeof tabelle);

    // The moves as the search lists them, so that each candidate can be made with its flags.
    // A pass starts only when no stop was asked; its searches get no stop flag, since a stop
    // asked meanwhile would judge candidates on half a move list.
    auto s = std::make_unique<stellung>();
    s->setzeRochaderechte(rochaderechte.alsWort());
    s->setzeBrett(brett);
    s->setzeWandlungsFigur(DAME);
    s->setzeLetztenZug(letzterZug.von, letzterZug.nach, letzterZug.wert, letzterZug.flags);
    bool koenigSchlagbar;
    int32_t wert;
    s->suche(seite, 0, koenigSchlagbar, wert);

    const int32_t koenigVorher = eigenerKoenig;
    for (int i = 0; i < anzahl; ++i) {
        const Zug &kandidat = wurzelZuege[i];
        von = kandidat.von;
        nach = kandidat.nach;
        schlage = kandidat.wert;
        status = kandidat.flags;
        gezogen = brett[von];
        geschlagen = brett[nach];
        s->setzeRochaderechte(rochaderechte.alsWort());
        s->setzeBrett(brett);
        Zug zug = kandidat;
        s->fuehreZugAus(zug);
        s->holeBrett(brettNachZug);
        rochadeNachZug = Rochaderechte::ausWort(s->holeRochaderechte());
        eigenerKoenigOhneSchild = !s->hatBauernschild(seite);
        eigenerKoenig = std::abs(gezogen) == KOENIG ? nach : koenigVorher;
        bewerteZug(tabelle[i]);
    }
    eigenerKoenig = koenigVorher;
    aufrufe += s->sucheAufrufe;

    kombiniere();
    stellung::sortiereZugliste(wurzelZuege);
    if (bericht && kontext.htmlWertetabelle) {
        const BerichtInhalt inhalt{tabelle, anzahl, seite, istVorschlag, minimaxText, zaehlerText};
        schreibeBericht(berichtDateiname(kontext.datenordner, seite, istVorschlag),
                        berichtDokument(inhalt, QDateTime::currentDateTime()));
    }
}

void Bewerter::kombiniere()
{
    int32_t mittel[3];
    for (int k = 0; k < 3; ++k) {
        int32_t summe = 0;
        int32_t n = 0;
        for (int i = 0; i < anzahl; ++i) {
            const int32_t wert = tabelle[i].*UNSICHERE_TERME[k];
            if (wert != NICHT_BERECHNET) {
                summe += wert;
                ++n;
            }
        }
        mittel[k] = n ? summe / n : 0;
    }

    const bool gedaempft = bauernEndspiel || koenigsJagd;
    for (int i = 0; i < anzahl; ++i) {
        BewertungsZeile &z = tabelle[i];
        for (int k = 0; k < 3; ++k) {
            if (z.*UNSICHERE_TERME[k] == NICHT_BERECHNET)
                z.*UNSICHERE_TERME[k] = mittel[k];
        }
        // An even exchange is judged by the exchange term; the others would only blur it.
        if (z.tausch != 0) {
            z.zentrum /= 10;
            z.schach /= 10;
            z.zugBauer /= 10;
            for (int k = 0; k < 3; ++k)
                z.*UNSICHERE_TERME[k] = mittel[k];
        }
        // In a pawn ending or a king hunt only the terms that serve it keep their weight.
        if (gedaempft) {
            z.bewegl /= 4;
            z.frequent /= 4;
            z.gegKoeBeweg /= 4;
            z.schach /= 4;
            z.sicherEigKoe /= 4;
            z.turmLoch /= 4;
            z.zentrum /= 4;
            z.zufallsWert /= 4;
            if (!koenigsJagd)
                z.gegKoeRand /= 4;
            if (!bauernEndspiel)
                z.zugBauer /= 4;
        }
        z.endwert = z.schlage + z.schach + z.bewegl + z.zentrum + z.tausch + z.glinieFrei +
                    z.zielRaumGegner + z.dameBeweg + z.gegKoeBeweg + z.gegKoeRand + z.sicherEigKoe +
                    z.zugBauer + z.turmLoch + z.frequent + z.zufallsWert;
        wurzelZuege[i].wert = z.endwert;
    }
}

QString Bewerter::phasenKennung() const
{
    QChar kennung = QLatin1Char('M');
    if (kontext.eroeffnungsphase)
        kennung = QLatin1Char('s');
    if (kontext.fruehePhase)
        kennung = QLatin1Char('S');
    if (gegnerSchwach)
        kennung = QLatin1Char('E');
    if (koenigsJagd)
        kennung = QLatin1Char('R');
    if (bauernEndspiel)
        kennung = QLatin1Char('W');
    return QString(kennung);
}

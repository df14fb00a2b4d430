// The two depth-2 searches run on the position after each candidate: what the own side could do
// next, and how the opponent's king could answer.
#include "core/stellung.h"
#include "engine/bewerter.h"
#include "engine/feldmass.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

constexpr int PROBENTIEFE = 2;

int vorzeichen(int wert)
{
    return (wert > 0) - (wert < 0);
}

} // namespace

// Searches the position after the candidate with the given side to move. False when that side
// could capture the enemy king or has no move; otherwise its moves are in `liste`.
// One search object serves all probes of the pass: everything the search reads is set again
// here, and a fresh object would spend more time clearing its tables than the probe takes.
bool Bewerter::probe(bool schwarz, Zug *liste)
{
    if (!probenStellung)
        probenStellung = std::make_unique<stellung>();
    stellung *s = probenStellung.get();
    const quint64 vorher = s->sucheAufrufe;
    s->setzeRochaderechte(rochadeNachZug.alsWort());
    s->setzeBrett(brettNachZug);
    s->setzeWandlungsFigur(DAME);
    s->setzeMaxTiefe(PROBENTIEFE);
    s->setzeLetztenZug(0, 0, 0, 0);
    bool koenigSchlagbar;
    int32_t wert;
    s->suche(schwarz, 0, koenigSchlagbar, wert);
    aufrufe += s->sucheAufrufe - vorher;
    s->holeWurzelZuege(liste);
    return !koenigSchlagbar && liste[0].von != 0;
}

void Bewerter::folgeProbe(BewertungsZeile &z)
{
    Zug liste[MAX_ZUEGE];
    if (!probe(seite, liste)) {
        // The candidate gives check (or leaves nothing to move): the terms are not comparable.
        z.bewegl = NICHT_BERECHNET;
        if (!kontext.eroeffnungsphase)
            z.schach = 10;
        if (!kontext.fruehePhase) {
            z.gegKoeBeweg = NICHT_BERECHNET;
            z.sicherEigKoe = NICHT_BERECHNET;
        }
        return;
    }
    z.bewegl = beweglichkeit(liste);
    if (kontext.fruehePhase)
        return;
    z.gegKoeBeweg = fluchtfeldAngriff(liste);
    if (!(status & ZUG_ROCHADE))
        z.sicherEigKoe = koenigszugTerm(liste);
    if (kontext.eroeffnungsphase) {
        z.gegKoeBeweg /= 2;
        z.sicherEigKoe /= 2;
    }
}

void Bewerter::antwortProbe(BewertungsZeile &z)
{
    Zug liste[MAX_ZUEGE];
    if (probe(!seite, liste))
        z.gegKoeRand = randTerm(liste);
}

// Quiet moves of the pieces, with a bonus for every piece that has many of them.
int32_t Bewerter::beweglichkeit(const Zug *liste) const
{
    int32_t n = 0;
    int32_t bonus = 0;
    int felder[MAX_ZUEGE];
    int zuege[MAX_ZUEGE];
    int verschiedene = 0;
    for (int i = 0; liste[i].von != 0; ++i) {
        const int32_t art = std::abs(brettNachZug[liste[i].von]);
        if (art == BAUER || art == KOENIG || brettNachZug[liste[i].nach] != LEER)
            continue;
        ++n;
        int k = 0;
        while (k < verschiedene && felder[k] != liste[i].von)
            ++k;
        if (k == verschiedene) {
            felder[verschiedene] = liste[i].von;
            zuege[verschiedene++] = 0;
        }
        ++zuege[k];
    }
    for (int k = 0; k < verschiedene; ++k) {
        if (zuege[k] >= 7)
            bonus += 2;
        else if (zuege[k] >= 4)
            bonus += 1;
    }
    return n + 5 * bonus;
}

// Moves that reach the squares around the enemy king, an empty one counting double, and the
// number of pieces that do it.
int32_t Bewerter::fluchtfeldAngriff(const Zug *liste) const
{
    int32_t summe = 0;
    int angreifer[MAX_ZUEGE];
    int verschiedene = 0;
    for (int i = 0; liste[i].von != 0; ++i) {
        const int ziel = liste[i].nach;
        const int32_t *feld = fluchtfelder;
        while (*feld != 0 && *feld != ziel)
            ++feld;
        if (*feld == 0)
            continue;
        summe += brettNachZug[ziel] != LEER ? 1 : 2;
        if (std::find(angreifer, angreifer + verschiedene, liste[i].von) ==
            angreifer + verschiedene)
            angreifer[verschiedene++] = liste[i].von;
    }
    return 5 * summe + 10 * verschiedene;
}

// A king with fewer than three free squares to step to is in danger, unless it still may castle
// and has just stepped anyway.
int32_t Bewerter::koenigszugTerm(const Zug *liste) const
{
    if (eigenesRochaderecht() && std::abs(gezogen) == KOENIG)
        return 0;
    int n = 0;
    for (int i = 0; liste[i].von != 0; ++i) {
        if (std::abs(brettNachZug[liste[i].von]) == KOENIG && brettNachZug[liste[i].nach] == LEER &&
            !(liste[i].flags & ZUG_ROCHADE))
            ++n;
    }
    return n < 3 ? -20 : 0;
}

// Whether the candidate keeps the enemy king from moving away from its nearest edges.
int32_t Bewerter::randTerm(const Zug *liste)
{
    const int c = gegnerKoenigSpalte;
    const int r = gegnerKoenigZeile;
    const int ec = c < 6 ? 2 : 9;
    const int er = r < 6 ? 2 : 9;
    const int dc = std::abs(ec - c);
    const int dr = std::abs(er - r);
    int mc = 0;
    int mr = 0;
    for (int i = 0; liste[i].von != 0; ++i) {
        if (liste[i].von != gegnerKoenig || (liste[i].flags & ZUG_ILLEGAL))
            continue;
        mc = std::max(mc, std::abs(ec - spalteVon(liste[i].nach)));
        mr = std::max(mr, std::abs(er - zeileVon(liste[i].nach)));
    }
    int s = 0;
    if (dc <= dr)
        s += vorzeichen(dc - mc);
    if (dc >= dr)
        s += vorzeichen(dr - mr);
    if (s == 0)
        return 0;
    if (!gegnerSchwach)
        return 10 * s;
    if (s >= 1 && schlage >= -39)
        koenigsJagd = true;
    return 20 * s;
}

// The positional terms of one candidate move.
#include "core/richtungen.h"
#include "engine/bewerter.h"
#include "engine/feldmass.h"
#include "engine/zufall.h"

#include <algorithm>
#include <cstdlib>

namespace {

bool istZentrum(int feld)
{
    return feld == 55 || feld == 56 || feld == 65 || feld == 66;
}

bool istEcke(int feld)
{
    return feld == 22 || feld == 29 || feld == 92 || feld == 99;
}

// Straight lines 2, diagonals 4 and 5 (the two directions), anything else -1.
int linienKlasse(int abstand)
{
    if (abstand % 10 == 0)
        return 2;
    if (abstand % 9 == 0)
        return 4;
    if (abstand % 11 == 0)
        return 5;
    return -1;
}

} // namespace

void Bewerter::bewerteZug(BewertungsZeile &z)
{
    z.von = von;
    z.nach = nach;
    z.schlage = schlage;
    z.status = status;
    const int32_t art = std::abs(gezogen);

    z.zugBauer = art == BAUER ? bauernTerm() : 0;
    if (art == PFERD) {
        if (aufRand(nach))
            z.zentrum -= 10;
        if (aufRand(von))
            z.zentrum += 10;
    }
    z.frequent = frequentTerm();
    z.zufallsWert = zufall.zahl(0, std::clamp(kontext.zufall, 0, 100) / 5);
    z.tausch = tauschTerm();
    z.turmLoch = turmLochTerm();
    folgeProbe(z);

    if (!kontext.eroeffnungsphase) {
        antwortProbe(z);
        if (art != KOENIG) {
            if (istZentrum(nach))
                z.zentrum += 10;
            if (istZentrum(von))
                z.zentrum -= 10;
            return;
        }
        if (z.sicherEigKoe == 0)
            z.sicherEigKoe = koenigsschutzTerm();
        if (endspiel) {
            const int32_t d = abstand100(von, gegnerKoenig) - abstand100(nach, gegnerKoenig);
            if (d < 0)
                z.gegKoeRand -= 21;
            else if (d > 80)
                z.gegKoeRand += 21;
            else if (d > 0)
                z.gegKoeRand += 10;
        }
        return;
    }

    if (art != TURM && art != DAME && art != PFERD && art != LAEUFER)
        return;
    const bool weiss = !seite;
    if (weiss ? (von < 90 && nach > 90) : (von > 30 && nach < 30))
        z.glinieFrei = -9;
    else if (art != DAME && (weiss ? (von >= 91 && nach < 90) : (von <= 29 && nach > 30)))
        z.glinieFrei = 9;
    if ((status & ZUG_SCHACH) && (art == LAEUFER || art == DAME))
        z.schach = -20;
    if (geschlagen == 0 && (weiss ? nach <= 69 : nach >= 51))
        z.zielRaumGegner = -10;
    if (art == DAME)
        z.dameBeweg = -25;
}

int32_t Bewerter::bauernTerm() const
{
    const bool doppelschritt = std::abs(nach - von) == 20;
    if (kontext.eroeffnungsphase) {
        if (von == 86 || von == 36)
            return doppelschritt ? 15 : 5;
        if ((von == 85 || von == 35) && !doppelschritt)
            return 5;
        const int spalte = spalteVon(von);
        if (doppelschritt || spalte == 2 || spalte == 7 || spalte == 9)
            return -10;
        return 0;
    }

    bool frei = false;
    const int32_t probe = freibauernProbe(frei);
    if (frei)
        return doppelschritt ? int32_t(25 + 0.3 * 25) : 25;
    if (eigenerKoenigOhneSchild) {
        const int bauern = eigeneBauernUm(brettNachZug, eigenerKoenig);
        if (bauern > bauernAmKoenig)
            return 15;
        if (bauern < bauernAmKoenig)
            return -15;
    }
    if (!bauernEndspiel)
        return 0;
    int32_t v = int32_t(probe + 12.5);
    if (doppelschritt)
        v = int32_t(v + 0.3 * v);
    return v;
}

// 25 for a pawn that nothing can stop any more, 5 when enemy pieces stand on the files beside its
// way, 2 when one of them is a pawn, 0 when its own file is blocked.
int32_t Bewerter::freibauernProbe(bool &frei) const
{
    frei = false;
    const int schritt = seite ? 10 : -10;
    int feld = nach + schritt;
    while (brettNachZug[feld] == LEER)
        feld += schritt;
    if (brettNachZug[feld] != RAND)
        return 0;

    int32_t kleinster = KOENIG + 1;
    for (const int neben : {nach - 1, nach + 1}) {
        if (brettNachZug[neben] == RAND)
            continue;
        for (int f = neben + schritt; brettNachZug[f] != RAND; f += schritt) {
            if (istGegner(brettNachZug[f], seite))
                kleinster = std::min(kleinster, std::abs(brettNachZug[f]));
        }
        if (kleinster == BAUER)
            return 2;
    }
    if (kleinster <= KOENIG)
        return 5;
    frei = true;
    return 25;
}

// A piece left standing long should move; one that just came should not go back or along the
// same line again.
int32_t Bewerter::frequentTerm() const
{
    int32_t wert = 0;
    const int32_t alter = kontext.standzeit[von];
    const bool turmInEcke = (gezogen == TURM && (von == 22 || von == 29)) ||
                            (gezogen == -TURM && (von == 92 || von == 99));
    if (alter > 20 && !turmInEcke)
        wert = alter > 40 ? 14 : 10;
    if (alter != kontext.currentIndex && alter >= 1 && alter <= 8) {
        const int32_t herkunftsfeld = kontext.herkunft[von];
        if (nach == herkunftsfeld) {
            wert = -14;
        } else if (std::abs(gezogen) != PFERD) {
            const int d1 = std::abs(nach - von);
            const int d2 = std::abs(nach - herkunftsfeld);
            if (d1 < 8 && d2 < 8)
                wert = -10;
            if (d1 >= 8 && d2 >= 8 && linienKlasse(d1) == linienKlasse(d2))
                wert = -10;
        }
    }
    return wert;
}

// An exchange of equal pieces is welcome near the own king and when it brings the piece closer
// to the enemy king.
int32_t Bewerter::tauschTerm() const
{
    const int32_t summe = geschlagen + gezogen;
    if (geschlagen == 0 || summe < -1 || summe > 1)
        return 0;
    int32_t d = naehe(nach, gegnerKoenig) - naehe(von, gegnerKoenig);
    if (std::abs(gezogen) == DAME)
        d = int32_t(d * 1.2);
    d = d + d / 12;
    if (std::abs(schlage - d) > 47)
        return 0;
    const int32_t p = naehe(nach, eigenerKoenig);
    int32_t t = p >= 16 ? 20 : (p >= 11 ? 10 : -20);
    if (std::abs(geschlagen) == DAME)
        t = int32_t(t * 1.5);
    return t - d;
}

// A rook sliding along its home rank is worth more on a file open in front of it.
int32_t Bewerter::turmLochTerm() const
{
    if (std::abs(gezogen) != TURM || zeileVon(von) != zeileVon(nach) ||
        zeileVon(von) != (seite ? 2 : 9))
        return 0;
    const int vor = seite ? 10 : -10;
    if (brettNachZug[von + vor] == LEER && brettNachZug[von + 2 * vor] == LEER &&
        brettNachZug[von + 3 * vor] == LEER)
        return 0;
    int n = 0;
    int feld = nach + vor;
    while (brettNachZug[feld] == LEER) {
        ++n;
        feld += vor;
    }
    if (n <= 2)
        return 0;
    return std::abs(brettNachZug[feld]) == BAUER ? 4 * n : 4 * (n + 1);
}

bool Bewerter::eigenesRochaderecht() const
{
    return seite ? (rochadeNachZug.rochadeSchwarzGross || rochadeNachZug.rochadeSchwarzKlein)
                 : (rochadeNachZug.rochadeWeissGross || rochadeNachZug.rochadeWeissKlein);
}

// A king move outside the opening: away from the corner is good, into it bad; otherwise the
// pawns around it after the move decide.
int32_t Bewerter::koenigsschutzTerm() const
{
    if (istEcke(nach))
        return -19;
    if (istEcke(von))
        return 19;
    if (eigenesRochaderecht())
        return 0;
    const int bauern = eigeneBauernUm(brettNachZug, eigenerKoenig);
    if (bauern > bauernAmKoenig)
        return 14;
    if (bauern < bauernAmKoenig)
        return -14;
    return 0;
}

#include "core/richtungen.h"
#include "core/stellung.h"

#include <QtAlgorithms>

#include <cstdlib>
#include <utility>

namespace {

bool eckeMitRochaderecht(int feld, const Rochaderechte &r)
{
    switch (feld) {
    case 92: return r.rochadeWeissGross;
    case 99: return r.rochadeWeissKlein;
    case 22: return r.rochadeSchwarzGross;
    case 29: return r.rochadeSchwarzKlein;
    default: return false;
    }
}

} // namespace

bool stellung::istSchildbauer(int feld, bool schwarz) const
{
    for (const int32_t *s = schwarz ? bauernschildSchwarz : bauernschildWeiss; *s; ++s) {
        if (*s == feld)
            return true;
    }
    return false;
}

// Material won by a capture on the square; an advanced pawn, or one from the enemy's king
// shield, is worth more than its code.
int32_t stellung::geschlagenerWert(int feld) const
{
    const int32_t code = brett[feld];
    if (code == -BAUER) {
        if (feld < 42)
            return BAUER + 150;
        if (feld < 52)
            return BAUER + 60;
        if (feld < 62)
            return BAUER + 20;
        return (feld > 71 && istSchildbauer(feld, false)) ? BAUER + 20 : BAUER;
    }
    if (code == BAUER) {
        if (feld >= 80)
            return BAUER + 150;
        if (feld >= 70)
            return BAUER + 60;
        if (feld >= 60)
            return BAUER + 20;
        return (feld < 50 && istSchildbauer(feld, true)) ? BAUER + 20 : BAUER;
    }
    return std::abs(code);
}

void stellung::generiereZuege(bool &imSchach)
{
    koenigSchlagbar = false;
    imSchach = false;
    zugAnzahl = 0;
    naehe = schwarzAmZug ? naeheWeisserKoenig : naeheSchwarzerKoenig;
    enPassantZuege();

    int koenig = 0;
    for (int feld = 22; feld <= 99; ++feld) {
        const int32_t code = brett[feld];
        if (!istEigen(code, schwarzAmZug))
            continue;
        vonFeld = feld;
        switch (std::abs(code)) {
        case BAUER: bauernZuege(); break;
        case PFERD: springerZuege(); break;
        case LAEUFER: schiebeZuege(4, 7); break;
        case TURM: schiebeZuege(0, 3); break;
        case DAME: schiebeZuege(0, 7); break;
        case KOENIG:
            koenig = feld;
            koenigsZuege();
            break;
        default: break;
        }
        if (koenigSchlagbar)
            break;
    }

    // Without a king of its own a side cannot be in check and cannot castle.
    if (!koenigSchlagbar && koenig) {
        imSchach = feldAngegriffen(!schwarzAmZug, koenig);
        if (!imSchach) {
            if (!schwarzAmZug) {
                if (rochaderechte.rochadeWeissGross && brett[92] == -TURM)
                    rochade(92);
                if (rochaderechte.rochadeWeissKlein && brett[99] == -TURM)
                    rochade(99);
            } else {
                if (rochaderechte.rochadeSchwarzGross && brett[22] == TURM)
                    rochade(22);
                if (rochaderechte.rochadeSchwarzKlein && brett[29] == TURM)
                    rochade(29);
            }
        }
    }
    zugliste[zugAnzahl] = Zug{};
    if (tiefe < maxTiefe - 1)
        sortiereZuege();
}

void stellung::enPassantZuege()
{
    const Zug &vorher = ebene[tiefe > 0 ? tiefe - 1 : 0].zug;
    if (!(vorher.flags & ZUG_DOPPELSCHRITT) || vorher.nach < 22 || vorher.nach > 99)
        return;
    const int t = vorher.nach;
    const int32_t bauer = schwarzAmZug ? BAUER : -BAUER;
    const int ziel = schwarzAmZug ? t + 10 : t - 10;
    if (brett[t + 1] == bauer)
        fuegeHinzu(t + 1, ziel, 105, ZUG_ENPASSANT | ZUG_SCHLAGEN);
    if (brett[t - 1] == bauer)
        fuegeHinzu(t - 1, ziel, 105, ZUG_ENPASSANT | ZUG_SCHLAGEN);
}

void stellung::bauernZuege()
{
    const int von = vonFeld;
    const bool schwarz = schwarzAmZug;
    const int d = schwarz ? 10 : -10;
    const int rang = schwarz ? von / 10 - 1 : 10 - von / 10;

    int32_t basis = 0;
    int32_t wandlung = 0;
    if (rang == 7) {
        basis = 300;
        wandlung = ZUG_WANDLUNG;
    } else if (rang == 6) {
        basis = 100;
    } else if (rang == 5) {
        basis = 40;
    }
    // Pawns of the king's shield should stay where they are.
    int32_t schlagStrafe = 0;
    int32_t doppelStrafe = 0;
    int32_t schrittStrafe = 0;
    if ((rang == 2 || rang == 3) && istSchildbauer(von, schwarz)) {
        schlagStrafe = -30;
        doppelStrafe = -15;
        schrittStrafe = rang == 3 ? -15 : 0;
    }

    if (brett[von + d] == LEER) {
        fuegeHinzu(von, von + d, basis + schrittStrafe, wandlung);
        if (rang == 2 && brett[von + 2 * d] == LEER)
            fuegeHinzu(von, von + 2 * d, doppelStrafe, ZUG_DOPPELSCHRITT);
    }
    for (const int nach : {von + d + 1, von + d - 1}) {
        const int32_t code = brett[nach];
        if (!istGegner(code, schwarz))
            continue;
        if (code == KOENIG || code == -KOENIG)
            koenigSchlagbar = true;
        fuegeHinzu(von, nach, basis + schlagStrafe + geschlagenerWert(nach),
                   wandlung | ZUG_SCHLAGEN);
    }
}

void stellung::schiebeZuege(int ersteRichtung, int letzteRichtung)
{
    const int von = vonFeld;
    const bool schwarz = schwarzAmZug;
    const bool nah = tiefe <= 3;
    const bool schwarzeDame = brett[von] == DAME;
    // A piece on a corner whose castling right is still alive is better left there.
    const int32_t eckStrafe = (nah && eckeMitRochaderecht(von, rochaderechte)) ? 10 : 0;

    for (int r = ersteRichtung; r <= letzteRichtung; ++r) {
        const int schritt = RICHTUNGEN[r];
        for (int nach = von + schritt;; nach += schritt) {
            const int32_t code = brett[nach];
            const bool leer = code == LEER;
            if (!leer && !istGegner(code, schwarz))
                break;
            if (code == KOENIG || code == -KOENIG) {
                koenigSchlagbar = true;
                return;
            }
            int32_t naeheWert = 0;
            if (nah) {
                naeheWert = naeheDifferenz(von, nach);
                if (schwarzeDame)
                    naeheWert = int32_t(naeheWert * 1.2);
            }
            if (!leer) {
                fuegeHinzu(von, nach, naeheWert + geschlagenerWert(nach), ZUG_SCHLAGEN);
                break;
            }
            fuegeHinzu(von, nach, naeheWert - eckStrafe, 0);
        }
    }
}

void stellung::springerZuege()
{
    const int von = vonFeld;
    const bool schwarz = schwarzAmZug;
    const bool nah = tiefe <= 3;
    for (int r = 8; r < 16; ++r) {
        const int nach = von + RICHTUNGEN[r];
        const int32_t code = brett[nach];
        if (code == LEER) {
            fuegeHinzu(von, nach, nah ? naeheDifferenz(von, nach) : 0, 0);
        } else if (istGegner(code, schwarz)) {
            if (code == KOENIG || code == -KOENIG) {
                koenigSchlagbar = true;
                return;
            }
            const int32_t naeheWert = nah ? naeheDifferenz(von, nach) : 0;
            fuegeHinzu(von, nach, naeheWert + geschlagenerWert(nach), ZUG_SCHLAGEN);
        }
    }
}

void stellung::koenigsZuege()
{
    const int von = vonFeld;
    const bool schwarz = schwarzAmZug;
    // Near the root a king that may still castle should rather do that than step.
    int32_t bonus = 0;
    if (tiefe <= 3) {
        const bool darfRochieren =
            schwarz ? (rochaderechte.rochadeSchwarzGross || rochaderechte.rochadeSchwarzKlein)
                    : (rochaderechte.rochadeWeissGross || rochaderechte.rochadeWeissKlein);
        if (darfRochieren)
            bonus = -20;
    }
    for (int r = 0; r < 8; ++r) {
        const int nach = von + RICHTUNGEN[r];
        const int32_t code = brett[nach];
        if (code == LEER) {
            fuegeHinzu(von, nach, bonus, 0);
        } else if (istGegner(code, schwarz)) {
            if (code == KOENIG || code == -KOENIG) {
                koenigSchlagbar = true;
                return;
            }
            fuegeHinzu(von, nach, bonus + geschlagenerWert(nach), ZUG_SCHLAGEN);
        }
    }
}

// Castling towards the rook on the given corner. Deep in the search the passed square is not
// tested: the time goes into the main line, and a king landing in check is caught by the reply.
void stellung::rochade(int ecke)
{
    const int schritt = (ecke == 92 || ecke == 22) ? 1 : -1;
    int koenig = ecke + schritt;
    while (brett[koenig] == LEER)
        koenig += schritt;
    const int32_t eigenerKoenig = schwarzAmZug ? KOENIG : -KOENIG;
    if (brett[koenig] != eigenerKoenig || (koenig != 96 && koenig != 26))
        return;
    const int ueber = koenig - schritt;
    if (tiefe < 5) {
        if (feldAngegriffen(!schwarzAmZug, ueber))
            return;
        fuegeHinzu(koenig, ueber - schritt, tiefe < 3 ? 20 : 0, ZUG_ROCHADE);
    } else {
        fuegeHinzu(koenig, ueber - schritt, 0, ZUG_ROCHADE);
    }
}

namespace {

// The captures of one side, collected square by square. The side is a template parameter and each
// direction a constant: the leaves of the search call this more than anything else.
template<bool schwarz>
class Schlagsammler
{
public:
    Schlagsammler(const int32_t *brett, Zug *liste)
        : brett(brett)
        , liste(liste)
    {}

    // Returns the number of captures; a capture of the king is only reported.
    int sammle(bool &koenigSchlagbar)
    {
        for (int zeile = 20; zeile <= 90 && !koenigGefunden; zeile += 10) {
            // Which squares of the rank hold own pieces, computed without a branch per square:
            // the pattern is too irregular for the branch predictor.
            const int32_t *reihe = brett + zeile + 2;
            unsigned eigene = 0;
            for (int i = 0; i < 8; ++i)
                eigene |= unsigned(schwarz ? reihe[i] > 1 : reihe[i] < 0) << i;
            for (; eigene && !koenigGefunden; eigene &= eigene - 1)
                figur(zeile + 2 + int(qCountTrailingZeroBits(eigene)));
        }
        koenigSchlagbar = koenigGefunden;
        return anzahl;
    }

private:
    void figur(int feld)
    {
        switch (schwarz ? brett[feld] : -brett[feld]) {
        case BAUER:
            if (schwarz) {
                ziel(feld, feld + 11);
                ziel(feld, feld + 9);
            } else {
                ziel(feld, feld - 9);
                ziel(feld, feld - 11);
            }
            break;
        case PFERD:
            schritte(feld, std::integer_sequence<int, 8, 9, 10, 11, 12, 13, 14, 15>());
            break;
        case KOENIG: schritte(feld, std::integer_sequence<int, 0, 1, 2, 3, 4, 5, 6, 7>()); break;
        case LAEUFER: linien(feld, std::integer_sequence<int, 4, 5, 6, 7>()); break;
        case TURM: linien(feld, std::integer_sequence<int, 0, 1, 2, 3>()); break;
        case DAME: linien(feld, std::integer_sequence<int, 0, 1, 2, 3, 4, 5, 6, 7>()); break;
        default: break;
        }
    }

    void ziel(int von, int nach)
    {
        const int32_t code = brett[nach];
        if (!(schwarz ? code < 0 : code > 1))
            return;
        if (code == KOENIG || code == -KOENIG) {
            koenigGefunden = true;
            return;
        }
        if (anzahl < MAX_ZUEGE - 1)
            liste[anzahl++] = Zug{von, nach, schwarz ? -code : code, 0};
    }

    template<int... r>
    void schritte(int feld, std::integer_sequence<int, r...>)
    {
        (ziel(feld, feld + RICHTUNGEN[r]), ...);
    }

    template<int r>
    void linie(int feld)
    {
        constexpr int schritt = RICHTUNGEN[r];
        int nach = feld + schritt;
        while (brett[nach] == LEER)
            nach += schritt;
        ziel(feld, nach);
    }

    template<int... r>
    void linien(int feld, std::integer_sequence<int, r...>)
    {
        (linie<r>(feld), ...);
    }

    const int32_t *brett;
    Zug *liste;
    int anzahl = 0;
    bool koenigGefunden = false;
};

} // namespace

// Captures only, one per target square: the least valuable attacker's, which is what the exchange
// at the leaves starts with.
void stellung::generiereSchlagzuege()
{
    const int anzahl = schwarzAmZug ? Schlagsammler<true>(brett, zugliste).sammle(koenigSchlagbar)
                                    : Schlagsammler<false>(brett, zugliste).sammle(koenigSchlagbar);

    int behalten = 0;
    for (int i = 0; i < anzahl; ++i) {
        const Zug zug = zugliste[i];
        int j = 0;
        while (j < behalten && zugliste[j].nach != zug.nach)
            ++j;
        if (j == behalten)
            zugliste[behalten++] = zug;
        else if (std::abs(brett[zug.von]) < std::abs(brett[zugliste[j].von]))
            zugliste[j] = zug;
    }
    for (int i = 0; i < behalten; ++i) {
        Zug &zug = zugliste[i];
        if (brett[zug.nach] == BAUER) {
            if (zug.nach >= 82)
                zug.wert = 215;
            else if (zug.nach >= 72)
                zug.wert = 125;
            else if (zug.nach >= 62)
                zug.wert = 85;
        } else if (brett[zug.nach] == -BAUER) {
            if (zug.nach <= 39)
                zug.wert = 215;
            else if (zug.nach <= 49)
                zug.wert = 125;
            else if (zug.nach <= 59)
                zug.wert = 85;
        }
    }
    zugAnzahl = behalten;
    zugliste[behalten] = Zug{};
}

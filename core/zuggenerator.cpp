#include "core/bitbrett.h"
#include "core/richtungen.h"
#include "core/stellung.h"

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
    for (uint64_t eigene = farbe[schwarzAmZug]; eigene; eigene &= eigene - 1) {
        const int feld = bitbrett::TABELLEN.feld[bitbrett::niedrigstes(eigene)];
        const int32_t code = brett[feld];
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
    const Bauernwerte w = bauernwerte(von);
    const int d = w.schritt;
    if (brett[von + d] == LEER) {
        fuegeHinzu(von, von + d, w.basis + w.schrittStrafe, w.wandlung);
        if (w.rang == 2 && brett[von + 2 * d] == LEER)
            fuegeHinzu(von, von + 2 * d, w.doppelStrafe, ZUG_DOPPELSCHRITT);
    }
    for (const int nach : {von + d + 1, von + d - 1}) {
        const int32_t code = brett[nach];
        if (!istGegner(code, schwarzAmZug))
            continue;
        if (code == KOENIG || code == -KOENIG)
            koenigSchlagbar = true;
        fuegeHinzu(von, nach, w.basis + w.schlagStrafe + geschlagenerWert(nach),
                   w.wandlung | ZUG_SCHLAGEN);
    }
}

void stellung::schiebeZuege(int ersteRichtung, int letzteRichtung)
{
    using namespace bitbrett;
    const int von = vonFeld;
    const int b = TABELLEN.nummer[von];
    const bool nah = tiefe <= 3;
    const bool schwarzeDame = brett[von] == DAME;
    // A piece on a corner whose castling right is still alive is better left there.
    const int32_t eckStrafe = (nah && eckeMitRochaderecht(von, rochaderechte)) ? 10 : 0;
    const uint64_t belegt = farbe[0] | farbe[1];
    const uint64_t gegner = farbe[!schwarzAmZug];

    for (int r = ersteRichtung; r <= letzteRichtung; ++r) {
        const bool aufwaerts = RICHTUNGEN[r] > 0;
        const uint64_t strahl = TABELLEN.strahl[b][r];
        const uint64_t blocker = strahl & belegt;
        // The empty squares up to the first piece, walked outward from the piece.
        uint64_t leer = strahl;
        int ziel = 0;
        if (blocker) {
            const int erster = aufwaerts ? niedrigstes(blocker) : hoechstes(blocker);
            const uint64_t bit = uint64_t(1) << erster;
            leer &= aufwaerts ? bit - 1 : ~(bit | (bit - 1));
            if (gegner & bit)
                ziel = TABELLEN.feld[erster];
        }
        while (leer) {
            const int n = aufwaerts ? niedrigstes(leer) : hoechstes(leer);
            leer &= ~(uint64_t(1) << n);
            const int nach = TABELLEN.feld[n];
            int32_t naeheWert = 0;
            if (nah) {
                naeheWert = naeheDifferenz(von, nach);
                if (schwarzeDame)
                    naeheWert = int32_t(naeheWert * 1.2);
            }
            fuegeHinzu(von, nach, naeheWert - eckStrafe, 0);
        }
        if (!ziel)
            continue;
        if (brett[ziel] == KOENIG || brett[ziel] == -KOENIG) {
            koenigSchlagbar = true;
            return;
        }
        int32_t naeheWert = 0;
        if (nah) {
            naeheWert = naeheDifferenz(von, ziel);
            if (schwarzeDame)
                naeheWert = int32_t(naeheWert * 1.2);
        }
        fuegeHinzu(von, ziel, naeheWert + geschlagenerWert(ziel), ZUG_SCHLAGEN);
    }
}

void stellung::springerZuege()
{
    using namespace bitbrett;
    const int von = vonFeld;
    const bool nah = tiefe <= 3;
    // The jumps in table order reach their squares in the order of the board.
    const uint64_t gegner = farbe[!schwarzAmZug];
    for (uint64_t ziele = TABELLEN.springer[TABELLEN.nummer[von]] & ~farbe[schwarzAmZug]; ziele;
         ziele &= ziele - 1) {
        const int nach = TABELLEN.feld[niedrigstes(ziele)];
        const int32_t naeheWert = nah ? naeheDifferenz(von, nach) : 0;
        if (!(gegner & bitbrett::bit(nach))) {
            fuegeHinzu(von, nach, naeheWert, 0);
        } else if (brett[nach] == KOENIG || brett[nach] == -KOENIG) {
            koenigSchlagbar = true;
            return;
        } else {
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
bool stellung::rochadeZug(int ecke, Zug &zug) const
{
    const int schritt = (ecke == 92 || ecke == 22) ? 1 : -1;
    int koenig = ecke + schritt;
    while (brett[koenig] == LEER)
        koenig += schritt;
    const int32_t eigenerKoenig = schwarzAmZug ? KOENIG : -KOENIG;
    if (brett[koenig] != eigenerKoenig || (koenig != 96 && koenig != 26))
        return false;
    const int ueber = koenig - schritt;
    if (tiefe < 5 && feldAngegriffen(!schwarzAmZug, ueber))
        return false;
    zug = Zug{koenig, ueber - schritt, tiefe < 3 ? 20 : 0, ZUG_ROCHADE};
    return true;
}

void stellung::rochade(int ecke)
{
    Zug zug;
    if (rochadeZug(ecke, zug))
        fuegeHinzu(zug.von, zug.nach, zug.wert, zug.flags);
}

namespace {

using namespace bitbrett;

// The direction (index into RICHTUNGEN) of a king step or knight jump, by its step + 21.
struct Schrittrichtungen
{
    int8_t richtung[43];
};

constexpr Schrittrichtungen baueSchrittrichtungen()
{
    Schrittrichtungen t{};
    for (int r = 0; r < 16; ++r)
        t.richtung[RICHTUNGEN[r] + 21] = int8_t(r);
    return t;
}

constexpr Schrittrichtungen SCHRITTRICHTUNGEN = baueSchrittrichtungen();

// What taking the piece is worth: its value, more for a pawn that has come far.
int32_t schlagwert(int32_t code, int feld)
{
    if (code == BAUER)
        return feld >= 82 ? 215 : feld >= 72 ? 125 : feld >= 62 ? 85 : BAUER;
    if (code == -BAUER)
        return feld <= 39 ? 215 : feld <= 49 ? 125 : feld <= 59 ? 85 : BAUER;
    return code < 0 ? -code : code;
}

// The captures of one side, one per target. Kind by kind, cheapest first and each kind's pieces in
// the order of the board, so the first attacker found for a target is its least valuable one (the
// first on the board among equals). Each target remembers where the scan of the board, piece by
// piece and each piece's directions in table order, would have met it first. The side is a
// template parameter: the leaves of the search call this more than anything else.
template<bool schwarz>
class Schlagsammler
{
public:
    Schlagsammler(const int32_t *brett, const uint64_t *farbe, const uint64_t *arten, Zug *liste,
                  int16_t *stellen)
        : brett(brett)
        , farbe(farbe)
        , arten(arten)
        , gegner(farbe[!schwarz])
        , belegt(farbe[0] | farbe[1])
        , liste(liste)
        , stellen(stellen)
    {}

    // Returns the number of captures; a capture of the king is only reported.
    int sammle(bool &koenigSchlagbar)
    {
        bauern();
        springer();
        linien<LAEUFER_, 4, 5, 6, 7>();
        linien<TUERME, 0, 1, 2, 3>();
        linien<DAMEN, 0, 1, 2, 3, 4, 5, 6, 7>();
        koenig();
        koenigSchlagbar = (gesehen & arten[KOENIGE]) != 0;
        return anzahl;
    }

private:
    uint64_t eigene(int a) const { return arten[a] & farbe[schwarz]; }

    // An enemy piece on `nach`, reached in direction `richtung` of the piece on `von`.
    void ziel(int von, int nach, int richtung)
    {
        const uint64_t bit = TABELLEN.bit[nach];
        const int nummer = TABELLEN.nummer[nach];
        const int16_t stelle = int16_t(von * 16 + richtung);
        if (!(gesehen & bit)) {
            gesehen |= bit;
            platz[nummer] = int8_t(anzahl);
            stellen[anzahl] = stelle;
            liste[anzahl++] = Zug{von, nach, schlagwert(brett[nach], nach), 0};
        } else if (stelle < stellen[platz[nummer]]) {
            stellen[platz[nummer]] = stelle;
        }
    }

    // All pawns at once, first towards the first direction they capture in, then the second:
    // a target two pawns attack is found first from the earlier square.
    void bauern()
    {
        const uint64_t b = eigene(BAUERN);
        // Columns a and h, so no capture wraps around the board.
        constexpr uint64_t A = 0x0101010101010101ull;
        constexpr uint64_t H = A << 7;
        const uint64_t erste = schwarz ? (b & ~H) << 9 : (b & ~H) >> 7;
        const uint64_t zweite = schwarz ? (b & ~A) << 7 : (b & ~A) >> 9;
        const int schritt1 = schwarz ? 11 : -9;
        const int schritt2 = schwarz ? 9 : -11;
        for (uint64_t rest = erste & gegner; rest; rest &= rest - 1) {
            const int nach = TABELLEN.feld[niedrigstes(rest)];
            ziel(nach - schritt1, nach, 0);
        }
        for (uint64_t rest = zweite & gegner; rest; rest &= rest - 1) {
            const int nach = TABELLEN.feld[niedrigstes(rest)];
            ziel(nach - schritt2, nach, 1);
        }
    }

    template<int a>
    void sprunge(const uint64_t *ziele)
    {
        for (uint64_t rest = eigene(a); rest; rest &= rest - 1) {
            const int b = niedrigstes(rest);
            const int von = TABELLEN.feld[b];
            for (uint64_t z = ziele[b] & gegner; z; z &= z - 1) {
                const int nach = TABELLEN.feld[niedrigstes(z)];
                ziel(von, nach, SCHRITTRICHTUNGEN.richtung[nach - von + 21]);
            }
        }
    }

    void springer() { sprunge<PFERDE>(TABELLEN.springer); }
    void koenig() { sprunge<KOENIGE>(TABELLEN.koenig); }

    template<int a, int... r>
    void linien()
    {
        for (uint64_t rest = eigene(a); rest; rest &= rest - 1) {
            const int b = niedrigstes(rest);
            (linie<r>(b), ...);
        }
    }

    // Only a line with an enemy piece on it can end in a capture.
    template<int r>
    void linie(int b)
    {
        const uint64_t strahl = TABELLEN.strahl[b][r];
        if (!(strahl & gegner))
            return;
        const uint64_t blocker = strahl & belegt;
        const int n = RICHTUNGEN[r] > 0 ? niedrigstes(blocker) : hoechstes(blocker);
        if (gegner & (uint64_t(1) << n))
            ziel(TABELLEN.feld[b], TABELLEN.feld[n], r);
    }

    const int32_t *brett;
    const uint64_t *farbe;
    const uint64_t *arten;
    const uint64_t gegner;
    const uint64_t belegt;
    Zug *liste;
    int16_t *stellen;
    int anzahl = 0;
    uint64_t gesehen = 0;
    int8_t platz[64];
};

} // namespace

// Captures only, one per target square: the least valuable attacker's, which is what the exchange
// at the leaves starts with.
void stellung::generiereSchlagzuege(int16_t *stellen)
{
    int16_t eigeneStellen[64];
    int16_t *s = stellen ? stellen : eigeneStellen;
    const int anzahl =
        schwarzAmZug
            ? Schlagsammler<true>(brett, farbe, arten, zugliste, s).sammle(koenigSchlagbar)
            : Schlagsammler<false>(brett, farbe, arten, zugliste, s).sammle(koenigSchlagbar);
    zugAnzahl = anzahl;
    zugliste[anzahl] = Zug{};
    if (stellen || koenigSchlagbar)
        return;
    // Into the order in which the scan of the board first meets the targets.
    for (int i = 1; i < anzahl; ++i) {
        const Zug zug = zugliste[i];
        const int16_t stelle = s[i];
        int j = i;
        for (; j > 0 && s[j - 1] > stelle; --j) {
            zugliste[j] = zugliste[j - 1];
            s[j] = s[j - 1];
        }
        zugliste[j] = zug;
        s[j] = stelle;
    }
}

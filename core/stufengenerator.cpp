// The moves of a node deep in the tree in stages, for the search's last ply before the leaves:
// there most moves are never searched, so only the valuable ones are listed at once, the others
// piece by piece when they are reached. Values and order are those of generiereZuege at the same
// depth; a move's place says where that full list would have it.
#include "core/bitbrett.h"
#include "core/richtungen.h"
#include "core/stellung.h"

#include <cstdlib>
#include <utility>

using namespace bitbrett;

namespace {

// Places: en passant first, then the pieces by square, each piece's moves in its generator's
// order, the castlings last.
constexpr int32_t STUECKE = 10000;
constexpr int32_t ROCHADEN = 20000;

int32_t platz(int feld, int teil)
{
    return STUECKE + feld * 100 + teil;
}

} // namespace

int stellung::sammleWertvolle(Platzzug *wertvoll, int &anzahl, bool &imSchach)
{
    koenigSchlagbar = false;
    imSchach = false;
    anzahl = 0;
    int alle = 0;
    auto wertvoller = [&](int von, int nach, int32_t wert, int32_t flags, int32_t stelle) {
        wertvoll[anzahl++] = Platzzug{Zug{von, nach, wert, flags}, stelle};
        ++alle;
    };

    const Zug &vorher = ebene[tiefe - 1].zug;
    if ((vorher.flags & ZUG_DOPPELSCHRITT) && vorher.nach >= 22 && vorher.nach <= 99) {
        const int t = vorher.nach;
        const int32_t bauer = schwarzAmZug ? BAUER : -BAUER;
        const int ziel = schwarzAmZug ? t + 10 : t - 10;
        if (brett[t + 1] == bauer)
            wertvoller(t + 1, ziel, 105, ZUG_ENPASSANT | ZUG_SCHLAGEN, 0);
        if (brett[t - 1] == bauer)
            wertvoller(t - 1, ziel, 105, ZUG_ENPASSANT | ZUG_SCHLAGEN, 1);
    }

    const uint64_t eigene = farbe[schwarzAmZug];
    const uint64_t gegner = farbe[!schwarzAmZug];
    const uint64_t belegt = eigene | gegner;
    int koenig = 0;
    // Returns false for the enemy king: then the move that led here was illegal.
    auto schlag = [&](int von, int nach, int32_t wert, int32_t flags, int32_t stelle) {
        if (brett[nach] == KOENIG || brett[nach] == -KOENIG)
            return false;
        wertvoller(von, nach, wert + geschlagenerWert(nach), flags | ZUG_SCHLAGEN, stelle);
        return true;
    };
    for (uint64_t rest = eigene; rest; rest &= rest - 1) {
        const int b = niedrigstes(rest);
        const int feld = TABELLEN.feld[b];
        const int32_t code = brett[feld];
        switch (std::abs(code)) {
        case BAUER: {
            const Bauernwerte w = bauernwerte(feld);
            if (brett[feld + w.schritt] == LEER) {
                const int32_t wert = w.basis + w.schrittStrafe;
                if (wert > 0)
                    wertvoller(feld, feld + w.schritt, wert, w.wandlung, platz(feld, 0));
                else
                    ++alle;
                if (w.rang == 2 && brett[feld + 2 * w.schritt] == LEER)
                    ++alle;
            }
            for (const int seite : {1, -1}) {
                const int nach = feld + w.schritt + seite;
                if (istGegner(brett[nach], schwarzAmZug) &&
                    !schlag(feld, nach, w.basis + w.schlagStrafe, w.wandlung,
                            platz(feld, seite > 0 ? 2 : 3))) {
                    koenigSchlagbar = true;
                    return -1;
                }
            }
            break;
        }
        case PFERD:
        case KOENIG: {
            const bool springer = std::abs(code) == PFERD;
            if (!springer)
                koenig = feld;
            const uint64_t ziele = (springer ? TABELLEN.springer[b] : TABELLEN.koenig[b]) & ~eigene;
            alle += anzahlBits(ziele & ~gegner);
            for (uint64_t z = ziele & gegner; z; z &= z - 1) {
                const int n = niedrigstes(z);
                const int nach = TABELLEN.feld[n];
                // A knight's jumps reach their squares in the order of the board, a king's steps
                // go by direction.
                const int teil = springer ? nach - feld + 21 : TABELLEN.richtung[b][n];
                if (!schlag(feld, nach, 0, 0, platz(feld, teil))) {
                    koenigSchlagbar = true;
                    return -1;
                }
            }
            break;
        }
        case LAEUFER:
        case TURM:
        case DAME: {
            const int32_t art = std::abs(code);
            const int erste = art == LAEUFER ? 4 : 0;
            const int letzte = art == TURM ? 3 : 7;
            // All lines up to their first piece at once.
            uint64_t reichweite = 0;
            for (int r = erste; r <= letzte; ++r) {
                const uint64_t strahl = TABELLEN.strahl[b][r];
                const uint64_t blocker = strahl & belegt;
                if (!blocker) {
                    reichweite |= strahl;
                    continue;
                }
                const int n = RICHTUNGEN[r] > 0 ? niedrigstes(blocker) : hoechstes(blocker);
                reichweite |= strahl & ~TABELLEN.strahl[n][r];
            }
            alle += anzahlBits(reichweite & ~belegt);
            for (uint64_t z = reichweite & gegner; z; z &= z - 1) {
                const int n = niedrigstes(z);
                const int teil = TABELLEN.richtung[b][n] * 8 + TABELLEN.abstand[b][n];
                if (!schlag(feld, TABELLEN.feld[n], 0, 0, platz(feld, teil))) {
                    koenigSchlagbar = true;
                    return -1;
                }
            }
            break;
        }
        default: break;
        }
    }
    if (koenig) {
        imSchach = feldAngegriffen(!schwarzAmZug, koenig);
        if (!imSchach)
            alle += rochaden(nullptr);
    }
    return alle;
}

int stellung::stilleZuege(int feld, int32_t wert, Platzzug *ziel)
{
    int n = 0;
    auto still = [&](int von, int nach, int32_t flags, int32_t stelle) {
        ziel[n++] = Platzzug{Zug{von, nach, wert, flags}, stelle};
    };
    const int b = TABELLEN.nummer[feld];
    const int32_t code = brett[feld];
    const uint64_t belegt = farbe[0] | farbe[1];
    switch (std::abs(code)) {
    case BAUER: {
        const Bauernwerte w = bauernwerte(feld);
        if (brett[feld + w.schritt] != LEER)
            break;
        if (w.basis + w.schrittStrafe == wert)
            still(feld, feld + w.schritt, w.wandlung, platz(feld, 0));
        if (w.rang == 2 && brett[feld + 2 * w.schritt] == LEER && w.doppelStrafe == wert)
            still(feld, feld + 2 * w.schritt, ZUG_DOPPELSCHRITT, platz(feld, 1));
        break;
    }
    case PFERD:
        if (wert != 0)
            break;
        for (uint64_t z = TABELLEN.springer[b] & ~belegt; z; z &= z - 1) {
            const int nach = TABELLEN.feld[niedrigstes(z)];
            still(feld, nach, 0, platz(feld, nach - feld + 21));
        }
        break;
    case LAEUFER:
    case TURM:
    case DAME: {
        if (wert != 0)
            break;
        const int32_t art = std::abs(code);
        const int erste = art == LAEUFER ? 4 : 0;
        const int letzte = art == TURM ? 3 : 7;
        for (int r = erste; r <= letzte; ++r) {
            const int schritt = RICHTUNGEN[r];
            int entfernung = 1;
            for (int nach = feld + schritt; brett[nach] == LEER; nach += schritt)
                still(feld, nach, 0, platz(feld, r * 8 + entfernung++));
        }
        break;
    }
    case KOENIG:
        if (wert != 0)
            break;
        for (int r = 0; r < 8; ++r) {
            if (brett[feld + RICHTUNGEN[r]] == LEER)
                still(feld, feld + RICHTUNGEN[r], 0, platz(feld, r));
        }
        break;
    default: break;
    }
    return n;
}

int stellung::rochaden(Platzzug *ziel)
{
    static const int LANG[2] = {92, 22};
    static const int KURZ[2] = {99, 29};
    const Rochaderechte &r = rochaderechte;
    const bool lang = schwarzAmZug ? r.rochadeSchwarzGross : r.rochadeWeissGross;
    const bool kurz = schwarzAmZug ? r.rochadeSchwarzKlein : r.rochadeWeissKlein;
    const int32_t turm = schwarzAmZug ? TURM : -TURM;
    int n = 0;
    for (const auto &[ecke, recht] :
         {std::pair{LANG[schwarzAmZug], lang}, {KURZ[schwarzAmZug], kurz}}) {
        Zug zug;
        if (!recht || brett[ecke] != turm || !rochadeZug(ecke, zug))
            continue;
        if (ziel)
            ziel[n] = Platzzug{zug, ROCHADEN + n};
        ++n;
    }
    return n;
}

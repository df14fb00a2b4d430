#include "core/stellung.h"

#include <cstdlib>

namespace {

// A move typed or read as notation names its origin only as far as needed: nothing, the file
// (a column 2..9), the rank (a row times ten) or, when both are known, the square.
bool passtZumHinweis(int von, int hinweis)
{
    if (hinweis == 0)
        return true;
    if (hinweis >= 2 && hinweis <= 9)
        return von % 10 == hinweis;
    if (hinweis % 10 == 0)
        return von / 10 == hinweis / 10;
    return von == hinweis;
}

bool istWandlungsFigur(int32_t figur)
{
    return figur == DAME || figur == TURM || figur == LAEUFER || figur == PFERD;
}

} // namespace

// Only legal moves make a move ambiguous (a pinned piece does not); an ambiguous move stays
// unresolved and is refused. Without a legal candidate the first one is taken, to be refused as
// illegal.
void stellung::loeseNotationAuf(Zug &zug)
{
    if (zug.flags & ZUG_WANDLUNG) {
        wandlungsFigur = zug.wert;
        zug.wert = BAUER;
    }
    int erster = 0;
    int legal = 0;
    int legale = 0;
    for (const Zug *z = wurzelZuege; z->von != 0; ++z) {
        if (z->nach != zug.nach || std::abs(brett[z->von]) != zug.wert ||
            !passtZumHinweis(z->von, zug.von))
            continue;
        if (!erster)
            erster = z->von;
        if (!(z->flags & ZUG_ILLEGAL) && legal != z->von) {
            legal = z->von;
            ++legale;
        }
    }
    if (legale == 1)
        zug.von = legal;
    else if (legale == 0 && erster)
        zug.von = erster;
}

// A move from a corner or a capture on it ends the right of the rook that stood there; a king
// move ends both rights of its side.
void stellung::aktualisiereRochaderechte(const Zug &zug)
{
    Rochaderechte &r = rochaderechte;
    if (std::abs(brett[zug.von]) == KOENIG) {
        if (zug.flags & ZUG_SCHWARZ)
            r.rochadeSchwarzGross = r.rochadeSchwarzKlein = 0;
        else
            r.rochadeWeissGross = r.rochadeWeissKlein = 0;
    } else if (std::abs(brett[zug.von]) == TURM) {
        switch (zug.von) {
        case 92: r.rochadeWeissGross = 0; break;
        case 99: r.rochadeWeissKlein = 0; break;
        case 22: r.rochadeSchwarzGross = 0; break;
        case 29: r.rochadeSchwarzKlein = 0; break;
        default: break;
        }
    }
    if (std::abs(brett[zug.nach]) != TURM)
        return;
    switch (zug.nach) {
    case 92: r.rochadeWeissGross = 0; break;
    case 99: r.rochadeWeissKlein = 0; break;
    case 22: r.rochadeSchwarzGross = 0; break;
    case 29: r.rochadeSchwarzKlein = 0; break;
    default: break;
    }
}

bool stellung::fuehreZugAus(Zug &zug)
{
    if (zug.flags & ZUG_UNVOLLSTAENDIG)
        loeseNotationAuf(zug);

    const int32_t figur = brett[zug.von];
    int gefunden = -1;
    int32_t linien = 0;
    for (int i = 0; wurzelZuege[i].von != 0; ++i) {
        const Zug &z = wurzelZuege[i];
        if (z.von == zug.von && z.nach == zug.nach)
            gefunden = i;
        else if (z.nach == zug.nach && !(z.flags & ZUG_ILLEGAL) && brett[z.von] == figur)
            linien |= z.von % 10 != zug.von % 10 ? ZUG_ANDERE_LINIE : ZUG_GLEICHE_LINIE;
    }
    if (gefunden < 0 || (wurzelZuege[gefunden].flags & ZUG_ILLEGAL))
        return false;
    // The board has no piece code for a pawn promoted to anything else.
    if ((wurzelZuege[gefunden].flags & ZUG_WANDLUNG) && !istWandlungsFigur(wandlungsFigur))
        return false;

    zug.flags = wurzelZuege[gefunden].flags | linien | (zug.flags & ZUG_AUFGEGEBEN);
    aktualisiereRochaderechte(wurzelZuege[gefunden]);
    zugliste = wurzelZuege;
    macheZug(gefunden);
    return true;
}

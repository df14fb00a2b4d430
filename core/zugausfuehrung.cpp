#include "core/bitbrett.h"
#include "core/stellung.h"

using bitbrett::art;
using bitbrett::bit;

namespace {

// The rook of a castling move goes from its corner to the square the king passed.
struct Turmweg
{
    int von;
    int nach;
};

Turmweg turmwegDerRochade(const Zug &zug)
{
    const int ecke = zug.von >= 91 ? 92 : 22;
    return zug.nach < zug.von ? Turmweg{ecke, zug.nach + 1} : Turmweg{ecke + 7, zug.nach - 1};
}

} // namespace

void stellung::macheZug(int index)
{
    const Zug &zug = zugliste[index];
    const int32_t figur = brett[zug.von];
    const bool schwarz = figur > 0;
    const uint64_t von = bit(zug.von);
    const uint64_t nach = bit(zug.nach);
    arten[art(brett[zug.nach])] &= ~nach;
    arten[art(figur)] ^= von | nach;
    farbe[schwarz] ^= von | nach;
    farbe[!schwarz] &= ~nach;
    brett[zug.nach] = figur;
    brett[zug.von] = LEER;
    if (!(zug.flags & (ZUG_ROCHADE | ZUG_WANDLUNG | ZUG_ENPASSANT)))
        return;
    if (zug.flags & ZUG_ROCHADE) {
        const auto [turmVon, turmNach] = turmwegDerRochade(zug);
        brett[turmNach] = brett[turmVon];
        brett[turmVon] = LEER;
        farbe[schwarz] ^= bit(turmVon) | bit(turmNach);
        arten[bitbrett::TUERME] ^= bit(turmVon) | bit(turmNach);
    }
    if (zug.flags & ZUG_WANDLUNG) {
        brett[zug.nach] = schwarz ? wandlungsFigur : -wandlungsFigur;
        arten[art(figur)] &= ~nach;
        arten[art(wandlungsFigur)] |= nach;
    }
    if (zug.flags & ZUG_ENPASSANT) {
        const int bauer = schwarz ? zug.nach - 10 : zug.nach + 10;
        brett[bauer] = LEER;
        farbe[!schwarz] &= ~bit(bauer);
        arten[bitbrett::BAUERN] &= ~bit(bauer);
    }
}

void stellung::nimmZugZurueck(int index, int32_t geschlagen)
{
    const Zug &zug = zugliste[index];
    const int32_t figur = brett[zug.nach];
    const bool schwarz = figur > 0;
    const uint64_t von = bit(zug.von);
    const uint64_t nach = bit(zug.nach);
    const int32_t zurueck = (zug.flags & ZUG_WANDLUNG) ? (schwarz ? BAUER : -BAUER) : figur;
    arten[art(figur)] &= ~nach;
    arten[art(zurueck)] |= von;
    arten[art(geschlagen)] |= nach;
    farbe[schwarz] ^= von | nach;
    if (uint32_t(geschlagen) > 1)
        farbe[geschlagen > 0] |= nach;
    brett[zug.von] = zurueck;
    brett[zug.nach] = geschlagen;
    if (!(zug.flags & (ZUG_ROCHADE | ZUG_ENPASSANT)))
        return;
    if (zug.flags & ZUG_ROCHADE) {
        const auto [turmVon, turmNach] = turmwegDerRochade(zug);
        brett[turmVon] = brett[turmNach];
        brett[turmNach] = LEER;
        farbe[schwarz] ^= bit(turmVon) | bit(turmNach);
        arten[bitbrett::TUERME] ^= bit(turmVon) | bit(turmNach);
    }
    if (zug.flags & ZUG_ENPASSANT) {
        const int bauer = schwarz ? zug.nach - 10 : zug.nach + 10;
        brett[bauer] = schwarz ? -BAUER : BAUER;
        farbe[!schwarz] |= bit(bauer);
        arten[bitbrett::BAUERN] |= bit(bauer);
    }
}

// Selection by swapping, not a stable sort: the engine's choices depend on this exact order.
void stellung::sortiereZugliste(Zug *liste)
{
    int anzahl = 0;
    while (liste[anzahl].von != 0)
        ++anzahl;
    int schreiben = 0;
    for (int i = 0; i < anzahl; ++i) {
        if (liste[i].flags & ZUG_ILLEGAL)
            continue;
        int beste = i;
        int32_t besterWert = -10001;
        for (int j = i; j < anzahl; ++j) {
            if (!(liste[j].flags & ZUG_ILLEGAL) && liste[j].wert > besterWert) {
                beste = j;
                besterWert = liste[j].wert;
            }
        }
        const Zug zug = liste[beste];
        liste[beste] = liste[i];
        liste[schreiben++] = zug;
    }
    liste[schreiben] = Zug{};
}

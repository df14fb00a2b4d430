#include "core/stellung.h"

void stellung::macheZug(int index)
{
    const Zug &zug = zugliste[index];
    const int32_t figur = brett[zug.von];
    brett[zug.nach] = figur;
    brett[zug.von] = LEER;
    if (!(zug.flags & (ZUG_ROCHADE | ZUG_WANDLUNG | ZUG_ENPASSANT)))
        return;
    if (zug.flags & ZUG_ROCHADE) {
        const int ecke = zug.von >= 91 ? 92 : 22;
        if (zug.nach < zug.von) {
            brett[zug.nach + 1] = brett[ecke];
            brett[ecke] = LEER;
        } else {
            brett[zug.nach - 1] = brett[ecke + 7];
            brett[ecke + 7] = LEER;
        }
    }
    if (zug.flags & ZUG_WANDLUNG)
        brett[zug.nach] = figur > 0 ? wandlungsFigur : -wandlungsFigur;
    if (zug.flags & ZUG_ENPASSANT)
        brett[figur < 0 ? zug.nach + 10 : zug.nach - 10] = LEER;
}

void stellung::nimmZugZurueck(int index, int32_t geschlagen)
{
    const Zug &zug = zugliste[index];
    const int32_t figur = brett[zug.nach];
    brett[zug.von] = figur;
    brett[zug.nach] = geschlagen;
    if (!(zug.flags & (ZUG_ROCHADE | ZUG_WANDLUNG | ZUG_ENPASSANT)))
        return;
    if (zug.flags & ZUG_ROCHADE) {
        const int ecke = zug.von >= 91 ? 92 : 22;
        if (zug.nach < zug.von) {
            brett[ecke] = brett[zug.nach + 1];
            brett[zug.nach + 1] = LEER;
        } else {
            brett[ecke + 7] = brett[zug.nach - 1];
            brett[zug.nach - 1] = LEER;
        }
    }
    if (zug.flags & ZUG_WANDLUNG)
        brett[zug.von] = figur > 0 ? BAUER : -BAUER;
    if (zug.flags & ZUG_ENPASSANT)
        brett[figur < 0 ? zug.nach + 10 : zug.nach - 10] = figur < 0 ? BAUER : -BAUER;
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

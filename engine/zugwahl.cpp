#include "engine/zugwahl.h"

#include <algorithm>

namespace {

constexpr qint64 SCHNELL_MS = 50;
constexpr qint64 KURZ_MS = 201;
constexpr qint64 VORGABE_GRENZE_MS = 2000;
constexpr int32_t SCHWAECHUNG_ABSTAND = 231;

} // namespace

int begrenzteStufe(int schwierigkeit)
{
    return std::clamp(schwierigkeit, 1, 5);
}

int suchtiefe(int stufe, bool istVorschlag, bool schach)
{
    const int tiefe = (!istVorschlag && stufe <= 2) ? 3 : 5;
    return schach ? tiefe + 1 : tiefe;
}

Vertiefung pruefeVertiefung(int stufe, bool fruehePhase, const Zug &besterZug, int anzahl,
                            qint64 ms)
{
    Vertiefung v;
    if (fruehePhase || (besterZug.flags & ZUG_KEINE_ANTWORT) || anzahl < 2 || stufe < 3)
        return v;
    if (stufe == 4 && ms < VORGABE_GRENZE_MS)
        v.mitVorgabe = true;
    else if (ms >= KURZ_MS && stufe != 5)
        return v;
    v.aktiv = true;
    v.zusatz = (ms > SCHNELL_MS || stufe == 3) ? 1 : 2;
    return v;
}

int schwaechererZug(const Zug *liste)
{
    if (liste[0].von == 0)
        return 0;
    int i = 0;
    while (liste[i + 1].von != 0 && liste[i + 1].wert >= liste[0].wert - SCHWAECHUNG_ABSTAND)
        ++i;
    return i;
}

#include "core/transpositionen.h"

#include <algorithm>

Transpositionen::Transpositionen()
    : plaetze(new std::atomic<uint64_t>[GROESSE])
    , werte(new int32_t[GROESSE])
{
    for (uint64_t i = 0; i < GROESSE; ++i)
        plaetze[i].store(0, std::memory_order_relaxed);
}

void Transpositionen::leere()
{
    ++generation;
    if (generation >> GENERATION_BITS) {
        for (uint64_t i = 0; i < GROESSE; ++i)
            plaetze[i].store(0, std::memory_order_relaxed);
        generation = 1;
    }
    belegt.store(0, std::memory_order_relaxed);
    hatUeberlauf.store(false, std::memory_order_relaxed);
    ueberlauf.clear();
}

bool Transpositionen::finde(uint64_t schluessel, int32_t &wert) const
{
    const uint64_t gesucht = generation << SCHLUESSEL_BITS | schluessel;
    for (uint64_t i = start(schluessel);; i = (i + 1) & MASKE) {
        const uint64_t platz = plaetze[i].load(std::memory_order_acquire);
        if (platz == gesucht) {
            wert = werte[i];
            return true;
        }
        if (platz >> SCHLUESSEL_BITS != generation)
            break;
    }
    if (!hatUeberlauf.load(std::memory_order_acquire))
        return false;
    const std::lock_guard<std::mutex> sperre(ueberlaufSperre);
    const auto eintrag = ueberlauf.constFind(schluessel);
    if (eintrag == ueberlauf.constEnd())
        return false;
    wert = eintrag.value();
    return true;
}

void Transpositionen::speichere(uint64_t schluessel, int32_t wert)
{
    const uint64_t neu = generation << SCHLUESSEL_BITS | schluessel;
    for (uint64_t i = start(schluessel);; i = (i + 1) & MASKE) {
        uint64_t platz = plaetze[i].load(std::memory_order_relaxed);
        if (platz >> SCHLUESSEL_BITS == generation && platz != neu)
            continue;
        if (platz != neu) {
            // A free platz: the key is not in the block. Beyond three quarters the block is
            // full, and the key goes to the overflow.
            if (belegt.load(std::memory_order_relaxed) >= VOLL)
                break;
            if (plaetze[i].compare_exchange_strong(platz, neu, std::memory_order_acq_rel))
                belegt.fetch_add(1, std::memory_order_relaxed);
            else if (platz != neu)
                continue;
        }
        werte[i] = wert;
        return;
    }
    const std::lock_guard<std::mutex> sperre(ueberlaufSperre);
    ueberlauf.insert(schluessel, wert);
    hatUeberlauf.store(true, std::memory_order_release);
}

#pragma once

#include <QHash>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

// The search's transposition table: the scores stored under 48-bit keys, in one block allocated
// once. Clearing starts a new generation instead of touching the block. Several threads may store
// and look up at the same time, as long as every key is stored by one thread and read by others
// only after they have synchronised with it; the rare overflow beyond the block goes to a locked
// map, so the table never forgets an entry.
class Transpositionen
{
public:
    Transpositionen();

    void leere();
    bool finde(uint64_t schluessel, int32_t &wert) const;
    void speichere(uint64_t schluessel, int32_t wert);

private:
    static constexpr int BITS = 18;
    static constexpr uint64_t GROESSE = uint64_t(1) << BITS;
    static constexpr uint64_t MASKE = GROESSE - 1;
    static constexpr uint64_t VOLL = GROESSE / 4 * 3;
    static constexpr int GENERATION_BITS = 16;
    static constexpr int SCHLUESSEL_BITS = 64 - GENERATION_BITS;

    static uint64_t start(uint64_t schluessel)
    {
        return (schluessel * 0x9E3779B97F4A7C15ull) >> (64 - BITS);
    }

    // A place holds the generation that wrote it and the key; a place of an older generation is
    // free.
    std::unique_ptr<std::atomic<uint64_t>[]> plaetze;
    std::unique_ptr<int32_t[]> werte;
    std::atomic<uint64_t> belegt{0};
    uint64_t generation = 1;
    std::atomic<bool> hatUeberlauf{false};
    mutable std::mutex ueberlaufSperre;
    QHash<uint64_t, int32_t> ueberlauf;
};

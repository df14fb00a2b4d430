#pragma once

#include <cstdint>
#include <cstring>

// The four castling rights. Components hand them to each other as one 32-bit word, so the byte
// order below is part of every interface that carries them.
struct Rochaderechte
{
    uint8_t rochadeSchwarzGross;
    uint8_t rochadeSchwarzKlein;
    uint8_t rochadeWeissGross;
    uint8_t rochadeWeissKlein;

    uint32_t alsWort() const
    {
        uint32_t wort;
        std::memcpy(&wort, this, sizeof wort);
        return wort;
    }

    static Rochaderechte ausWort(uint32_t wort)
    {
        Rochaderechte rechte;
        std::memcpy(&rechte, &wort, sizeof rechte);
        return rechte;
    }
};

static_assert(sizeof(Rochaderechte) == 4, "castling rights travel as one 32-bit word");

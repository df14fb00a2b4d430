#pragma once

#include "core/richtungen.h"
#include "core/zug.h"

#include <array>
#include <cstdint>

// The 64 squares of the playing area as the bits of one word, in the order of the mailbox: a8 is
// bit 0, h8 bit 7, h1 bit 63. Walking the bits upwards walks the squares as the generators scan
// them, and a step to a higher square index is a step to a higher bit. The search keeps one word
// per colour beside the board, so the leaves find pieces and lines without walking the board.

namespace bitbrett {

constexpr bool imFeld(int feld)
{
    return feld >= 22 && feld <= 99 && feld % 10 >= 2;
}

constexpr int bitVonFeld(int feld)
{
    return (feld / 10 - 2) * 8 + feld % 10 - 2;
}

constexpr int feldVonBit(int bit)
{
    return (bit / 8 + 2) * 10 + bit % 8 + 2;
}

struct Tabellen
{
    uint64_t bit[BRETT_ZELLEN];  // the square's bit; 0 for the border
    int8_t nummer[BRETT_ZELLEN]; // the number of the square's bit
    int8_t feld[64];             // the square of a bit
    uint64_t strahl[64][8];      // the squares beyond a square in direction 0..7
    uint64_t springer[64];       // the knight jumps from a square
    uint64_t koenig[64];         // the king steps from a square
    uint64_t bauer[2][64];       // where a white (0) or black (1) pawn attacks the square from
    uint64_t schraeg[64];        // the diagonals through a square
    uint64_t gerade[64];         // the rank and the file through a square
    int8_t richtung[64][64];     // the direction 0..7 from one square to another on a line
    int8_t abstand[64][64];      // and how many steps it is
};

constexpr Tabellen baueTabellen()
{
    Tabellen t{};
    for (int feld = 0; feld < BRETT_ZELLEN; ++feld) {
        t.bit[feld] = imFeld(feld) ? uint64_t(1) << bitVonFeld(feld) : 0;
        t.nummer[feld] = int8_t(imFeld(feld) ? bitVonFeld(feld) : 0);
    }
    for (int b = 0; b < 64; ++b) {
        const int feld = feldVonBit(b);
        t.feld[b] = int8_t(feld);
        for (int r = 0; r < 8; ++r) {
            int schritte = 0;
            for (int ziel = feld + RICHTUNGEN[r]; imFeld(ziel); ziel += RICHTUNGEN[r]) {
                t.strahl[b][r] |= uint64_t(1) << bitVonFeld(ziel);
                t.richtung[b][bitVonFeld(ziel)] = int8_t(r);
                t.abstand[b][bitVonFeld(ziel)] = int8_t(++schritte);
            }
        }
        for (int r = 0; r < 8; ++r) {
            if (imFeld(feld + RICHTUNGEN[r]))
                t.koenig[b] |= uint64_t(1) << bitVonFeld(feld + RICHTUNGEN[r]);
            (r < 4 ? t.gerade[b] : t.schraeg[b]) |= t.strahl[b][r];
        }
        for (int r = 8; r < 16; ++r) {
            if (imFeld(feld + RICHTUNGEN[r]))
                t.springer[b] |= uint64_t(1) << bitVonFeld(feld + RICHTUNGEN[r]);
        }
        // White pawns capture towards lower indices, so they attack from below (+9, +11).
        for (const int schritt : {9, 11}) {
            if (imFeld(feld + schritt))
                t.bauer[0][b] |= uint64_t(1) << bitVonFeld(feld + schritt);
            if (imFeld(feld - schritt))
                t.bauer[1][b] |= uint64_t(1) << bitVonFeld(feld - schritt);
        }
    }
    return t;
}

inline constexpr Tabellen TABELLEN = baueTabellen();

// The kinds of pieces, cheapest first, for the words that hold each kind's squares; KEINE for
// everything that is not a piece.
enum Art { BAUERN, PFERDE, LAEUFER_, TUERME, DAMEN, KOENIGE, KEINE, ARTEN };

struct Artentabelle
{
    int8_t art[KOENIG + 1];
};

constexpr Artentabelle baueArten()
{
    Artentabelle t{};
    for (int32_t code = 0; code <= KOENIG; ++code)
        t.art[code] = KEINE;
    t.art[BAUER] = BAUERN;
    t.art[PFERD] = PFERDE;
    t.art[LAEUFER] = LAEUFER_;
    t.art[TURM] = TUERME;
    t.art[DAME] = DAMEN;
    t.art[KOENIG] = KOENIGE;
    return t;
}

inline constexpr Artentabelle ARTEN_TABELLE = baueArten();

inline int art(int32_t code)
{
    const uint32_t betrag = uint32_t(code < 0 ? -code : code);
    return betrag <= uint32_t(KOENIG) ? int(ARTEN_TABELLE.art[betrag]) : int(KEINE);
}

inline uint64_t bit(int feld)
{
    return TABELLEN.bit[feld];
}

// Counted by halves, quarters and so on: the compiler's builtin becomes a library call on
// processors without a counting instruction.
inline int anzahlBits(uint64_t wort)
{
    wort -= (wort >> 1) & 0x5555555555555555ull;
    wort = (wort & 0x3333333333333333ull) + ((wort >> 2) & 0x3333333333333333ull);
    wort = (wort + (wort >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    return int((wort * 0x0101010101010101ull) >> 56);
}

inline int niedrigstes(uint64_t wort)
{
    return __builtin_ctzll(wort);
}

inline int hoechstes(uint64_t wort)
{
    return 63 - __builtin_clzll(wort);
}

// The first occupied square from `feld` in direction r (0..7), or 0 when the line runs into the
// border.
template<int r>
inline int erstesFeld(uint64_t belegt, int feld)
{
    const uint64_t linie = belegt & TABELLEN.strahl[TABELLEN.nummer[feld]][r];
    if (!linie)
        return 0;
    return TABELLEN.feld[RICHTUNGEN[r] > 0 ? niedrigstes(linie) : hoechstes(linie)];
}

} // namespace bitbrett

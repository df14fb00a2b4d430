#pragma once

#include <cstdint>

// The move record shared by generator, search, game history and PGN: four int32 in a fixed order.
// Plain data on purpose: the search keeps whole lists of it on the stack and copies them by value.
struct Zug
{
    int32_t von;
    int32_t nach;
    int32_t wert;
    int32_t flags;
};

constexpr int32_t ZUG_SCHWARZ = 0x0001;
constexpr int32_t ZUG_WANDLUNG = 0x0002;
constexpr int32_t ZUG_ROCHADE = 0x0004;
constexpr int32_t ZUG_ILLEGAL = 0x0008;
constexpr int32_t ZUG_DOPPELSCHRITT = 0x0010;
constexpr int32_t ZUG_ENPASSANT = 0x0020;
constexpr int32_t ZUG_SCHACH = 0x0040;
constexpr int32_t ZUG_KEINE_ANTWORT = 0x0080;
constexpr int32_t ZUG_SCHLAGEN = 0x0100;
constexpr int32_t ZUG_GLEICHE_LINIE = 0x0200;
constexpr int32_t ZUG_ANDERE_LINIE = 0x0400;
constexpr int32_t ZUG_UNVOLLSTAENDIG = 0x0800;
constexpr int32_t ZUG_HASHTREFFER = 0x1000;
constexpr int32_t ZUG_PATT = 0x2000;
constexpr int32_t ZUG_REMIS = 0x4000;
constexpr int32_t ZUG_AUFGEGEBEN = 0x8000;

// Capacity of every move list, the terminating entry (von == 0) included. Real games stay far
// below 100 moves, but a FEN may set up every piece promotion can produce (up to nine queens a
// side), and the most moves known for such a position is 218; 256 holds them with room to spare.
constexpr int MAX_ZUEGE = 256;

// Piece codes: the absolute value is the material value, black pieces are positive.
constexpr int32_t LEER = 0;
constexpr int32_t RAND = 1;
constexpr int32_t BAUER = 65;
constexpr int32_t PFERD = 230;
constexpr int32_t LAEUFER = 231;
constexpr int32_t TURM = 330;
constexpr int32_t DAME = 600;
constexpr int32_t KOENIG = 1000;

// Cells of the 10 x 12 mailbox; the playing area is 22..99.
constexpr int BRETT_ZELLEN = 122;

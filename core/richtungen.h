#pragma once

#include <cstdint>

// Steps on the 10 x 12 board: rook directions 0..3, bishop 4..7, queen and king 0..7, knight 8..15.
// Generation order, and with it the engine's move order, follows this table.
constexpr int RICHTUNGEN[16] = {1, -1, 10, -10, 9, 11, -9, -11, -21, -19, -12, -8, 8, 12, 19, 21};

inline bool istEigen(int32_t code, bool schwarz)
{
    return schwarz ? code > 1 : code < 0;
}

inline bool istGegner(int32_t code, bool schwarz)
{
    return schwarz ? code < 0 : code > 1;
}

#pragma once

#include <cmath>
#include <cstdint>
#include <cstdlib>

// Distances between squares of the 10 x 12 board as the evaluation measures them.

inline int zeileVon(int feld)
{
    return feld / 10;
}

inline int spalteVon(int feld)
{
    return feld % 10;
}

inline bool aufRand(int feld)
{
    const int zeile = zeileVon(feld);
    const int spalte = spalteVon(feld);
    return zeile == 2 || zeile == 9 || spalte == 2 || spalte == 9;
}

// Closeness within four rows and columns: 30 on the square itself, falling with the distance.
inline int32_t naehe(int a, int b)
{
    const int dr = zeileVon(b) - zeileVon(a);
    const int dc = spalteVon(b) - spalteVon(a);
    if (std::abs(dr) > 4 || std::abs(dc) > 4)
        return 0;
    const int32_t wert = int32_t(30 - 5 * std::sqrt(double(dr * dr + dc * dc)));
    return wert < 0 ? 0 : wert;
}

// The distance times 100, in single precision.
inline int32_t abstand100(int a, int b)
{
    const int dr = zeileVon(b) - zeileVon(a);
    const int dc = spalteVon(b) - spalteVon(a);
    return int32_t(100.0f * std::sqrt(float(dr * dr + dc * dc)));
}

#include "core/bitbrett.h"
#include "core/richtungen.h"
#include "core/stellung.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <utility>

bool stellung::feldAngegriffen(bool schwarz, int feld) const
{
    return bitbrett::imFeld(feld) && schlaegtDirekt(schwarz, feld);
}

namespace {

// For every piece code, the directions (bits 0..7, as in RICHTUNGEN) in which the piece captures
// on a neighbouring square (low byte) and at any distance (high byte). Looked up for every piece
// a ray meets, so the exchange needs no case analysis per square.
constexpr int32_t GROESSTER_CODE = KOENIG;
using Schlagmasken = std::array<uint16_t, 2 * GROESSTER_CODE + 1>;

constexpr uint16_t schlagmaske(int32_t code)
{
    const int32_t art = code < 0 ? -code : code;
    switch (art) {
    case DAME: return 0xFFFF;
    case TURM: return 0x0F0F;
    case LAEUFER: return 0xF0F0;
    case KOENIG: return 0x00FF;
    // White pawns capture towards lower indices, so they attack from below (+9, +11).
    case BAUER: return code < 0 ? 0x0030 : 0x00C0;
    default: return 0;
    }
}

constexpr Schlagmasken baueSchlagmasken()
{
    Schlagmasken masken{};
    for (int32_t code = -GROESSTER_CODE; code <= GROESSTER_CODE; ++code)
        masken[code + GROESSTER_CODE] = schlagmaske(code);
    return masken;
}
constexpr Schlagmasken SCHLAGMASKEN = baueSchlagmasken();

inline uint16_t schlagmaskeVon(int32_t code)
{
    return uint32_t(code + GROESSTER_CODE) <= uint32_t(2 * GROESSTER_CODE)
               ? SCHLAGMASKEN[code + GROESSTER_CODE]
               : 0;
}

// The pieces that can capture on a square, by line: each line holds the pieces in the order
// they can join, the first being the nearest.
struct Angreifer
{
    int32_t strahl[16][7];
    int laenge[16];
    int strahlen = 0;
};

// One direction at a time, with its step known at compile time: the pieces on a line are found
// through the occupied squares, without walking the empty ones.
template<int r>
inline void sammleStrahl(const int32_t *brett, uint64_t belegt, int feld, Angreifer &a)
{
    constexpr uint16_t fern = uint16_t(0x100 << r);
    uint64_t linie = belegt & bitbrett::TABELLEN.strahl[bitbrett::TABELLEN.nummer[feld]][r];
    if (!linie)
        return;
    auto naechstes = [&linie] {
        const int b = RICHTUNGEN[r] > 0 ? bitbrett::niedrigstes(linie) : bitbrett::hoechstes(linie);
        linie &= ~(uint64_t(1) << b);
        return bitbrett::TABELLEN.feld[b];
    };
    int stelle = naechstes();
    int32_t code = brett[stelle];
    const uint16_t noetig = stelle == feld + RICHTUNGEN[r] ? uint16_t(1 << r) : fern;
    if (!(schlagmaskeVon(code) & noetig))
        return;
    // Behind the first piece only those that capture from afar can join.
    int n = 0;
    for (;;) {
        a.strahl[a.strahlen][n++] = code;
        if (!linie)
            break;
        code = brett[naechstes()];
        if (!(schlagmaskeVon(code) & fern))
            break;
    }
    a.laenge[a.strahlen++] = n;
}

template<int r>
inline void sammleSpringer(const int32_t *brett, int feld, Angreifer &a)
{
    const int32_t code = brett[feld + RICHTUNGEN[r]];
    if (code == PFERD || code == -PFERD) {
        a.strahl[a.strahlen][0] = code;
        a.laenge[a.strahlen++] = 1;
    }
}

template<int... r>
inline void sammleAlle(const int32_t *brett, uint64_t belegt, int feld, Angreifer &a,
                       std::integer_sequence<int, r...>)
{
    (sammleStrahl<r>(brett, belegt, feld, a), ...);
    (sammleSpringer<r + 8>(brett, feld, a), ...);
}

} // namespace

// Both sides recapture with their least valuable piece; pieces standing behind another on the same
// line join once the one in front has gone. Not a full exchange search: the engine only needs a
// cheap, pessimistic figure for the leaves.
// Whether a piece of the side captures on the square directly, not from behind another piece.
bool stellung::schlaegtDirekt(bool schwarz, int feld) const
{
    using namespace bitbrett;
    const int b = TABELLEN.nummer[feld];
    const uint64_t seite = farbe[schwarz];
    if (((TABELLEN.springer[b] & arten[PFERDE]) | (TABELLEN.koenig[b] & arten[KOENIGE]) |
         (TABELLEN.bauer[schwarz][b] & arten[BAUERN])) &
        seite)
        return true;
    const uint64_t schraeg = (arten[LAEUFER_] | arten[DAMEN]) & seite & TABELLEN.schraeg[b];
    const uint64_t gerade = (arten[TUERME] | arten[DAMEN]) & seite & TABELLEN.gerade[b];
    if (!schraeg && !gerade)
        return false;
    const uint64_t belegt = farbe[0] | farbe[1];
    auto trifft = [&](auto r, uint64_t schieber) {
        const int stelle = erstesFeld<decltype(r)::value>(belegt, feld);
        return stelle && (schieber & TABELLEN.bit[stelle]);
    };
    using std::integral_constant;
    return (gerade && (trifft(integral_constant<int, 0>(), gerade) ||
                       trifft(integral_constant<int, 1>(), gerade) ||
                       trifft(integral_constant<int, 2>(), gerade) ||
                       trifft(integral_constant<int, 3>(), gerade))) ||
           (schraeg && (trifft(integral_constant<int, 4>(), schraeg) ||
                        trifft(integral_constant<int, 5>(), schraeg) ||
                        trifft(integral_constant<int, 6>(), schraeg) ||
                        trifft(integral_constant<int, 7>(), schraeg)));
}

namespace {

// The first occupied square in direction r from the square of bit b, as a bit; 0 for none.
template<int r>
inline uint64_t ersterBit(uint64_t belegt, int b)
{
    const uint64_t linie = belegt & bitbrett::TABELLEN.strahl[b][r];
    if (!linie)
        return 0;
    return RICHTUNGEN[r] > 0 ? linie & (~linie + 1) : uint64_t(1) << bitbrett::hoechstes(linie);
}

template<int... r>
inline uint64_t ersteBits(uint64_t belegt, uint64_t figuren, std::integer_sequence<int, r...>)
{
    uint64_t ziele = 0;
    for (; figuren; figuren &= figuren - 1) {
        const int b = bitbrett::niedrigstes(figuren);
        ziele |= (ersterBit<r>(belegt, b) | ...);
    }
    return ziele;
}

} // namespace

int stellung::zaehleSchlaege(bool schwarz) const
{
    using namespace bitbrett;
    constexpr uint64_t A = 0x0101010101010101ull;
    constexpr uint64_t H = A << 7;
    const uint64_t eigene = farbe[schwarz];
    const uint64_t gegner = farbe[!schwarz];
    const uint64_t belegt = eigene | gegner;
    const uint64_t bauern = arten[BAUERN] & eigene;
    uint64_t ziele = schwarz ? ((bauern & ~H) << 9) | ((bauern & ~A) << 7)
                             : ((bauern & ~H) >> 7) | ((bauern & ~A) >> 9);
    for (uint64_t rest = (arten[PFERDE] | arten[KOENIGE]) & eigene; rest; rest &= rest - 1) {
        const int b = niedrigstes(rest);
        ziele |= (arten[PFERDE] >> b & 1) ? TABELLEN.springer[b] : TABELLEN.koenig[b];
    }
    const uint64_t damen = arten[DAMEN] & eigene;
    ziele |= ersteBits(belegt, (arten[LAEUFER_] & eigene) | damen,
                       std::integer_sequence<int, 4, 5, 6, 7>());
    ziele |= ersteBits(belegt, (arten[TUERME] & eigene) | damen,
                       std::integer_sequence<int, 0, 1, 2, 3>());
    ziele &= gegner;
    if (ziele & arten[KOENIGE])
        return 0;
    return anzahlBits(ziele);
}

int32_t stellung::tauschwert(int feld) const
{
    const int32_t ziel = brett[feld];
    if (uint32_t(ziel) <= 1)
        return 0;
    // Most pieces that have just captured stand where nothing can take them.
    if (!schlaegtDirekt(ziel < 0, feld))
        return 0;

    Angreifer angreifer;
    sammleAlle(brett, farbe[0] | farbe[1], feld, angreifer, std::make_integer_sequence<int, 8>());
    const auto &strahl = angreifer.strahl;
    const int *laenge = angreifer.laenge;
    const int strahlen = angreifer.strahlen;

    const bool zielSchwarz = ziel > 0;
    bool schlaegerSchwarz = !zielSchwarz;
    int32_t aufFeld = ziel;
    int32_t gewinn = 0;
    int vorne[16] = {};
    for (;;) {
        int beste = -1;
        int32_t besterBetrag = 0;
        bool gegenseite = false;
        for (int s = 0; s < strahlen; ++s) {
            if (vorne[s] == laenge[s])
                continue;
            const int32_t code = strahl[s][vorne[s]];
            if ((code > 0) != schlaegerSchwarz)
                gegenseite = true;
            else if (beste < 0 || std::abs(code) < besterBetrag) {
                beste = s;
                besterBetrag = std::abs(code);
            }
        }
        // A side with nothing left to capture with ends the exchange.
        if (beste < 0)
            break;
        gewinn += zielSchwarz ? aufFeld : -aufFeld;
        aufFeld = strahl[beste][vorne[beste]++];
        schlaegerSchwarz = !schlaegerSchwarz;
        const bool dahinter =
            vorne[beste] < laenge[beste] && (strahl[beste][vorne[beste]] > 0) == schlaegerSchwarz;
        if (!dahinter && !gegenseite)
            break;
    }
    return std::clamp(gewinn, 0, std::abs(ziel));
}

#include "core/richtungen.h"
#include "core/stellung.h"

#include <algorithm>
#include <cstdlib>

bool stellung::feldAngegriffen(bool schwarz, int feld) const
{
    if (feld < 22 || feld > 99)
        return false;
    const int32_t vorzeichen = schwarz ? 1 : -1;
    const int32_t dame = vorzeichen * DAME;
    const int32_t turm = vorzeichen * TURM;
    const int32_t laeufer = vorzeichen * LAEUFER;
    const int32_t koenig = vorzeichen * KOENIG;
    const int32_t bauer = vorzeichen * BAUER;

    for (int r = 0; r < 8; ++r) {
        const int schritt = RICHTUNGEN[r];
        int stelle = feld + schritt;
        while (brett[stelle] == LEER)
            stelle += schritt;
        const int32_t code = brett[stelle];
        if (code == dame || code == (r < 4 ? turm : laeufer))
            return true;
        if (stelle == feld + schritt) {
            if (code == koenig)
                return true;
            // White pawns capture towards lower indices, so they attack from below (+9, +11).
            if (code == bauer && (schwarz ? r >= 6 : (r == 4 || r == 5)))
                return true;
        }
    }
    const int32_t springer = vorzeichen * PFERD;
    for (int r = 8; r < 16; ++r) {
        if (brett[feld + RICHTUNGEN[r]] == springer)
            return true;
    }
    return false;
}

namespace {

// Whether a piece met at the given distance in direction r can take part in an exchange on the
// square the walk started from.
bool schlaegtMit(int32_t code, int r, int abstand)
{
    switch (std::abs(code)) {
    case DAME: return true;
    case TURM: return r < 4;
    case LAEUFER: return r >= 4;
    case KOENIG: return abstand == 1;
    case BAUER: return abstand == 1 && (code < 0 ? (r == 4 || r == 5) : r >= 6);
    default: return false;
    }
}

} // namespace

// Both sides recapture with their least valuable piece; pieces standing behind another on the same
// line join once the one in front has gone. Not a full exchange search: the engine only needs a
// cheap, pessimistic figure for the leaves.
int32_t stellung::tauschwert(int feld) const
{
    const int32_t ziel = brett[feld];
    if (uint32_t(ziel) <= 1)
        return 0;

    int32_t strahl[16][7];
    int laenge[16];
    int strahlen = 0;
    for (int r = 0; r < 8; ++r) {
        int n = 0;
        int abstand = 1;
        for (int stelle = feld + RICHTUNGEN[r];; stelle += RICHTUNGEN[r], ++abstand) {
            const int32_t code = brett[stelle];
            if (code == LEER)
                continue;
            if (code == RAND || !schlaegtMit(code, r, abstand))
                break;
            strahl[strahlen][n++] = code;
        }
        if (n)
            laenge[strahlen++] = n;
    }
    for (int r = 8; r < 16; ++r) {
        const int32_t code = brett[feld + RICHTUNGEN[r]];
        if (code == PFERD || code == -PFERD) {
            strahl[strahlen][0] = code;
            laenge[strahlen++] = 1;
        }
    }

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

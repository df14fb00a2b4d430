#include "core/stellung.h"

#include "core/bitbrett.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

void fuelleSchild(const int32_t *brett, const int *felder, int32_t bauer, int32_t *liste, int &n)
{
    for (int i = 0; i < 6; ++i) {
        if (brett[felder[i]] == bauer)
            liste[n++] = felder[i];
    }
}

void fuelleNaehe(int koenig, int32_t *tabelle)
{
    if (koenig < 22 || koenig > 99)
        return;
    const int r = koenig / 10;
    const int c = koenig % 10;
    for (int zeile = std::max(2, r - 4); zeile <= std::min(9, r + 4); ++zeile) {
        for (int spalte = std::max(2, c - 4); spalte <= std::min(9, c + 4); ++spalte) {
            const double abstand =
                std::sqrt(double((r - zeile) * (r - zeile) + (c - spalte) * (c - spalte)));
            tabelle[10 * zeile + spalte] = int32_t(30 - 5 * abstand);
        }
    }
}

} // namespace

stellung::stellung(QObject *parent)
    : QObject(parent)
    , rochaderechte{}
    , wandlungsFigur(DAME)
{
    // An empty board with its border, so that no walk can leave it before setzeBrett.
    for (int feld = 0; feld < BRETT_ZELLEN; ++feld)
        brett[feld] = (feld < 22 || feld > 99 || feld % 10 < 2) ? RAND : LEER;
    std::memset(ebene, 0, sizeof ebene);
    vorgabeZuege[0] = Zug{};
    wurzelZuege[0] = Zug{};
    std::memset(naeheSchwarzerKoenig, 0, sizeof naeheSchwarzerKoenig);
    std::memset(naeheWeisserKoenig, 0, sizeof naeheWeisserKoenig);
    std::memset(variante, 0, sizeof variante);
    bauernschildSchwarz[0] = 0;
    bauernschildWeiss[0] = 0;
}

void stellung::setzeBrett(const int32_t *quelle)
{
    std::copy(quelle, quelle + BRETT_ZELLEN, brett);
    // Every walk over the board stops at the border; a damaged border would let it run off.
    for (int feld = 0; feld < BRETT_ZELLEN; ++feld) {
        if (feld < 22 || feld > 99 || feld % 10 < 2)
            brett[feld] = RAND;
    }
    material = 0;
    koenigSchwarz = 0;
    koenigWeiss = 0;
    farbe[0] = farbe[1] = 0;
    std::fill(std::begin(arten), std::end(arten), 0);
    for (int feld = 22; feld <= 99; ++feld) {
        const int32_t code = brett[feld];
        if (uint32_t(code) <= 1)
            continue;
        farbe[code > 0] |= bitbrett::bit(feld);
        arten[bitbrett::art(code)] |= bitbrett::bit(feld);
        material += code;
        if (code == KOENIG)
            koenigSchwarz = feld;
        else if (code == -KOENIG)
            koenigWeiss = feld;
    }
    baueBauernschilde();
}

// The pawns in front of a king that has castled or still may castle to that wing; the generator
// and the evaluation treat them with care.
void stellung::baueBauernschilde()
{
    static const int SCHWARZ_LANG[6] = {32, 33, 34, 42, 43, 44};
    static const int SCHWARZ_KURZ[6] = {37, 38, 39, 47, 48, 49};
    static const int WEISS_LANG[6] = {72, 73, 74, 82, 83, 84};
    static const int WEISS_KURZ[6] = {77, 78, 79, 87, 88, 89};

    int n = 0;
    if (koenigSchwarz < 40) {
        const int c = koenigSchwarz % 10;
        if (c < 5 || rochaderechte.rochadeSchwarzGross)
            fuelleSchild(brett, SCHWARZ_LANG, BAUER, bauernschildSchwarz, n);
        if (c > 6 || rochaderechte.rochadeSchwarzKlein)
            fuelleSchild(brett, SCHWARZ_KURZ, BAUER, bauernschildSchwarz, n);
    }
    bauernschildSchwarz[n] = 0;

    n = 0;
    if (koenigWeiss > 81) {
        const int c = koenigWeiss % 10;
        if (c < 5 || rochaderechte.rochadeWeissGross)
            fuelleSchild(brett, WEISS_LANG, -BAUER, bauernschildWeiss, n);
        if (c > 6 || rochaderechte.rochadeWeissKlein)
            fuelleSchild(brett, WEISS_KURZ, -BAUER, bauernschildWeiss, n);
    }
    bauernschildWeiss[n] = 0;

    schild[0] = schild[1] = 0;
    for (const int32_t *f = bauernschildWeiss; *f; ++f)
        schild[0] |= bitbrett::bit(*f);
    for (const int32_t *f = bauernschildSchwarz; *f; ++f)
        schild[1] |= bitbrett::bit(*f);
}

// A missing king leaves its table at zero: there is nothing to approach.
void stellung::berechneKoenigsnaehe()
{
    fuelleNaehe(koenigSchwarz, naeheSchwarzerKoenig);
    fuelleNaehe(koenigWeiss, naeheWeisserKoenig);
}

// The ply records hold plies 0..MAX_EBENEN - 1, so no search may go deeper than that.
void stellung::setzeMaxTiefe(int32_t tiefe)
{
    maxTiefe = std::clamp(tiefe, 0, MAX_EBENEN - 1);
}

void stellung::setzeLetztenZug(int32_t von, int32_t nach, int32_t wert, int32_t flags)
{
    std::memset(ebene, 0, sizeof ebene);
    ebene[0].zug = Zug{von, nach, wert, flags};
}

void stellung::holeBrett(int32_t *ziel) const
{
    std::copy(brett, brett + BRETT_ZELLEN, ziel);
}

void stellung::holeWurzelZuege(Zug *ziel) const
{
    int i = 0;
    while (wurzelZuege[i].von != 0) {
        ziel[i] = wurzelZuege[i];
        ++i;
    }
    ziel[i] = wurzelZuege[i];
}

bool stellung::hatBauernschild(bool schwarz) const
{
    return (schwarz ? bauernschildSchwarz[0] : bauernschildWeiss[0]) != 0;
}

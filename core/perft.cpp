#include "core/perft.h"

#include "core/felder.h"
#include "core/fen.h"
#include "core/richtungen.h"
#include "core/stellung.h"

#include <array>

namespace {

// At this ply the generator spends no time on ordering scores and still tests the square the
// castling king passes, so it produces exactly the moves of chess.
constexpr int PERFT_EBENE = 4;
const int32_t WANDLUNGEN[4] = {DAME, TURM, LAEUFER, PFERD};

// For a square difference on the board, the step that leads along a line from the first square to
// the second, or 0 when they share no line.
constexpr int GROESSTER_ABSTAND = 77;
using Linien = std::array<int, 2 * GROESSTER_ABSTAND + 1>;

constexpr Linien baueLinien()
{
    Linien linien{};
    for (int r = 0; r < 8; ++r) {
        for (int k = 1; k <= 7; ++k)
            linien[GROESSTER_ABSTAND + k * RICHTUNGEN[r]] = RICHTUNGEN[r];
    }
    return linien;
}
constexpr Linien LINIEN = baueLinien();

int linie(int koenig, int feld)
{
    const int abstand = feld - koenig;
    if (abstand < -GROESSTER_ABSTAND || abstand > GROESSTER_ABSTAND)
        return 0;
    return LINIEN[GROESSTER_ABSTAND + abstand];
}

// Making a move leaves the castling rights alone (the game updates them), so the count keeps them.
Rochaderechte rechteNachZug(Rochaderechte r, const Zug &zug, int32_t figur)
{
    if (figur == -KOENIG)
        r.rochadeWeissGross = r.rochadeWeissKlein = 0;
    else if (figur == KOENIG)
        r.rochadeSchwarzGross = r.rochadeSchwarzKlein = 0;
    for (const int feld : {zug.von, zug.nach}) {
        switch (feld) {
        case 92: r.rochadeWeissGross = 0; break;
        case 99: r.rochadeWeissKlein = 0; break;
        case 22: r.rochadeSchwarzGross = 0; break;
        case 29: r.rochadeSchwarzKlein = 0; break;
        default: break;
        }
    }
    return r;
}

class Zaehler
{
public:
    explicit Zaehler(stellung &s)
        : s(s)
        , wandlungsFigur(s.wandlungsFigur)
    {
        for (int feld = 22; feld <= 99; ++feld) {
            if (s.brett[feld] == KOENIG)
                koenig[1] = feld;
            else if (s.brett[feld] == -KOENIG)
                koenig[0] = feld;
        }
    }

    ~Zaehler() { s.wandlungsFigur = wandlungsFigur; }

    // Calls besuche(zug, wandlung, knoten) for every legal move of the position.
    template<typename Besucher>
    void zaehle(bool schwarz, int rest, const Zug &vorher, Besucher besuche);

    quint64 knoten(bool schwarz, int rest, const Zug &vorher)
    {
        quint64 summe = 0;
        zaehle(schwarz, rest, vorher, [&](const Zug &, int32_t, quint64 n) { summe += n; });
        return summe;
    }

private:
    template<typename Besucher>
    static void zaehleBlatt(const Zug &zug, bool wandlung, Besucher &besuche)
    {
        if (!wandlung) {
            besuche(zug, 0, 1);
            return;
        }
        for (const int32_t figur : WANDLUNGEN)
            besuche(zug, figur, 1);
    }

    static constexpr int ALLES = 1000;
    int gefahr(bool schwarz, bool imSchach, const Zug &zug, int32_t figur) const;
    bool legal(bool schwarz, int gefahr) const;
    bool linieAngegriffen(bool schwarz, int feld, int schritt) const;

    stellung &s;
    const int32_t wandlungsFigur;
    int koenig[2] = {0, 0};
};

// Whether the first piece from the square along the step is a slider of the given side that
// attacks along that line.
bool Zaehler::linieAngegriffen(bool schwarz, int feld, int schritt) const
{
    int stelle = feld + schritt;
    while (s.brett[stelle] == LEER)
        stelle += schritt;
    const int32_t code = schwarz ? s.brett[stelle] : -s.brett[stelle];
    const bool gerade = schritt == 1 || schritt == -1 || schritt == 10 || schritt == -10;
    return code == DAME || code == (gerade ? TURM : LAEUFER);
}

// A side not in check can only expose its king by moving the king, by en passant (two squares
// emptied at once) or by taking a piece off a line to its king. Returns the step of that line,
// ALLES for a move that needs the full attack test, or 0 for a move that is legal as generated.
int Zaehler::gefahr(bool schwarz, bool imSchach, const Zug &zug, int32_t figur) const
{
    const int eigenerKoenig = koenig[schwarz];
    if (!eigenerKoenig)
        return 0;
    if (imSchach || figur == KOENIG || figur == -KOENIG || (zug.flags & ZUG_ENPASSANT))
        return ALLES;
    return linie(eigenerKoenig, zug.von);
}

// Called with the move made; on a line only the first piece behind the vacated square can check.
bool Zaehler::legal(bool schwarz, int gefahr) const
{
    if (!gefahr)
        return true;
    if (gefahr == ALLES)
        return !s.feldAngegriffen(!schwarz, koenig[schwarz]);
    return !linieAngegriffen(!schwarz, koenig[schwarz], gefahr);
}

template<typename Besucher>
void Zaehler::zaehle(bool schwarz, int rest, const Zug &vorher, Besucher besuche)
{
    Zug liste[MAX_ZUEGE];
    s.zugliste = liste;
    s.schwarzAmZug = schwarz;
    s.tiefe = PERFT_EBENE;
    s.ebene[PERFT_EBENE - 1].zug = vorher;
    bool imSchach;
    s.generiereZuege(imSchach);

    int &eigenerKoenig = koenig[schwarz];
    const Rochaderechte rechte = s.rochaderechte;
    for (int i = 0; liste[i].von != 0; ++i) {
        const Zug zug = liste[i];
        const int32_t geschlagen = s.brett[zug.nach];
        const int32_t figur = s.brett[zug.von];
        const int koenigVorher = eigenerKoenig;
        if (figur == (schwarz ? KOENIG : -KOENIG))
            eigenerKoenig = zug.nach;
        const bool wandlung = zug.flags & ZUG_WANDLUNG;
        const int pruefung = gefahr(schwarz, imSchach, zug, figur);
        if (rest == 1 && !pruefung) {
            zaehleBlatt(zug, wandlung, besuche);
            eigenerKoenig = koenigVorher;
            continue;
        }
        s.rochaderechte = rechteNachZug(rechte, zug, figur);
        // The last ply is counted without descending; a promotion's four pieces are alike there.
        const int varianten = (wandlung && rest > 1) ? 4 : 1;
        for (int v = 0; v < varianten; ++v) {
            s.wandlungsFigur = WANDLUNGEN[v];
            s.zugliste = liste;
            s.macheZug(i);
            if (legal(schwarz, pruefung)) {
                if (rest > 1)
                    besuche(zug, wandlung ? WANDLUNGEN[v] : 0, knoten(!schwarz, rest - 1, zug));
                else
                    zaehleBlatt(zug, wandlung, besuche);
            }
            s.zugliste = liste;
            s.nimmZugZurueck(i, geschlagen);
        }
        eigenerKoenig = koenigVorher;
    }
    s.rochaderechte = rechte;
}

} // namespace

void ladePosition(stellung &s, const fenStellung &fen)
{
    int32_t brett[BRETT_ZELLEN];
    fen.holeBrett(brett);
    s.setzeRochaderechte(fen.holeRochaderechte());
    s.setzeBrett(brett);
    s.setzeWandlungsFigur(DAME);
    const Zug letzter = fen.holeLetztenZug();
    s.setzeLetztenZug(letzter.von, letzter.nach, letzter.wert, letzter.flags);
}

quint64 perft(stellung &s, bool schwarzAmZug, int tiefe)
{
    if (tiefe < 1)
        return 1;
    return Zaehler(s).knoten(schwarzAmZug, tiefe, s.ebene[0].zug);
}

QVector<PerftZeile> perftJeZug(stellung &s, bool schwarzAmZug, int tiefe)
{
    QVector<PerftZeile> zeilen;
    if (tiefe < 1)
        return zeilen;
    Zaehler(s).zaehle(schwarzAmZug, tiefe, s.ebene[0].zug,
                      [&](const Zug &zug, int32_t figur, quint64 n) {
                          zeilen.append(PerftZeile{koordinatenZug(zug.von, zug.nach, figur), n});
                      });
    return zeilen;
}

#include "core/stellung.h"

#include "core/bitbrett.h"
#include "engine/wurzelteam.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int32_t ANFANGSWERT = -10000;
constexpr int32_t KOENIG_SCHLAGBAR = 2200;
constexpr int32_t MATT = 2200;
constexpr int32_t MATT_NAH = 3200;
constexpr int32_t GUTER_ZUG = -39;
constexpr int32_t RUHIGER_ZUG = 31;
constexpr int32_t PATT_AUSGLEICH = 231;
constexpr int32_t PATT_MATERIAL = 232;
constexpr int32_t AUSLESE_GRENZE = 170;
constexpr qint64 WURZEL_ZEIT_MS = 5001;

// What a node keeps of the line under its best move while it searches the others.
struct Linie
{
    Zug besterZug;
    int32_t besteAntwort;
    bool blatt;
};

int32_t wenigeGuteZuege(int ply, int guteZuege, int anzahl)
{
    const int q = guteZuege * 100 / anzahl;
    if (q <= 9)
        return ply == 2 ? 20 : 15;
    if (q <= 19)
        return ply == 2 ? 14 : 10;
    if (q <= 30)
        return ply == 2 ? 5 : 3;
    return 0;
}

// Deep in the tree a line of quiet, non-checking moves is not worth the capture search.
bool ruhig(const Zug &zug)
{
    return !(zug.flags & ZUG_SCHACH) && zug.wert <= RUHIGER_ZUG;
}

// The indices of a move list by the value of their moves, the largest first and the first in the
// list among equals. The few moves of positive value (captures, promotions, advanced pawns) are
// sorted at once; the others, mostly of one or two values, are found a value at a time when they
// are reached, which most nodes never do.
class Wertfolge
{
public:
    explicit Wertfolge(const Zug *liste)
        : liste(liste)
    {
        for (; liste[n].von != 0; ++n) {
            if (liste[n].wert > 0)
                positiv[anzahlPositiv++] = n;
        }
        for (int i = 1; i < anzahlPositiv; ++i) {
            const int index = positiv[i];
            int j = i;
            for (; j > 0 && liste[positiv[j - 1]].wert < liste[index].wert; --j)
                positiv[j] = positiv[j - 1];
            positiv[j] = index;
        }
    }

    int anzahl() const { return n; }

    // The next index; call at most anzahl() times.
    int naechster()
    {
        if (k < anzahlPositiv)
            return positiv[k++];
        for (;;) {
            while (stufeGefunden && ++j < n) {
                if (liste[j].wert == stufe)
                    return j;
            }
            // The largest value left below the last one.
            bool gefunden = false;
            int32_t neu = 0;
            for (int i = 0; i < n; ++i) {
                const int32_t wert = liste[i].wert;
                if (wert <= 0 && (!stufeGefunden || wert < stufe) && (!gefunden || wert > neu)) {
                    neu = wert;
                    gefunden = true;
                }
            }
            stufe = neu;
            stufeGefunden = true;
            j = -1;
        }
    }

private:
    const Zug *liste;
    int n = 0;
    int positiv[MAX_ZUEGE];
    int anzahlPositiv = 0;
    int k = 0;
    bool stufeGefunden = false;
    int32_t stufe = 0;
    int j = -1;
};

// The moves of a node before the leaves in the order of the search there: by value, the first in
// the full list among equals. The valuable ones are listed at once; the moves of value 0, then
// those of -15 (all the others have), come a piece at a time.
class Stufenfolge
{
public:
    Stufenfolge(stellung &s, bool seite)
        : s(s)
        , figuren(s.farbe[seite])
        , rest(figuren)
    {
        alle = s.sammleWertvolle(wertvoll, anzahlWertvoll, schach);
        for (int i = 1; i < anzahlWertvoll; ++i) {
            const stellung::Platzzug zug = wertvoll[i];
            int j = i;
            for (; j > 0 && vorher(zug, wertvoll[j - 1]); --j)
                wertvoll[j] = wertvoll[j - 1];
            wertvoll[j] = zug;
        }
    }

    static bool vorher(const stellung::Platzzug &a, const stellung::Platzzug &b)
    {
        return a.zug.wert > b.zug.wert || (a.zug.wert == b.zug.wert && a.platz < b.platz);
    }

    // The number of moves of the full list; -1 when the side can capture the enemy king.
    int anzahl() const { return alle; }
    bool imSchach() const { return schach; }

    // The next move, nullptr after the last.
    const stellung::Platzzug *naechster()
    {
        if (!stille) {
            if (k < anzahlWertvoll)
                return &wertvoll[k++];
            stille = true;
            k = ende = 0;
        }
        while (k == ende) {
            if (!fuelle())
                return nullptr;
        }
        return &puffer[k++];
    }

private:
    // The moves of the next piece (or the castlings) of the current value into the buffer; false
    // when there are none left.
    bool fuelle()
    {
        k = ende = 0;
        switch (phase) {
        case NULL_STUECKE:
            if (rest) {
                ende = s.stilleZuege(naechstesFeld(), 0, puffer);
                return true;
            }
            phase = ROCHADEN;
            [[fallthrough]];
        case ROCHADEN:
            phase = MINUS_STUECKE;
            rest = figuren;
            if (!schach)
                ende = s.rochaden(puffer);
            return true;
        case MINUS_STUECKE:
            if (rest) {
                ende = s.stilleZuege(naechstesFeld(), -15, puffer);
                return true;
            }
            return false;
        }
        return false;
    }

    int naechstesFeld()
    {
        const int feld = bitbrett::TABELLEN.feld[bitbrett::niedrigstes(rest)];
        rest &= rest - 1;
        return feld;
    }

    enum Phase { NULL_STUECKE, ROCHADEN, MINUS_STUECKE };

    stellung &s;
    const uint64_t figuren;
    stellung::Platzzug wertvoll[MAX_ZUEGE];
    int anzahlWertvoll = 0;
    int alle = 0;
    bool schach = false;
    stellung::Platzzug puffer[32];
    int k = 0;
    int ende = 0;
    Phase phase = NULL_STUECKE;
    bool stille = false;
    uint64_t rest;
};

} // namespace

bool stellung::ruhigeLinie(int ply) const
{
    return ruhig(ebene[ply - 1].zug) && ruhig(ebene[ply - 2].zug) && ruhig(ebene[ply - 3].zug);
}

// Two own moves in either order with the same reply between them reach the same position, unless
// the reply captured on a square one of them used.
bool stellung::transpositionsSchluessel(const Zug &zug, quint64 &schluessel) const
{
    const Zug &erster = ebene[1].zug;
    const Zug &antwort = ebene[2].zug;
    if ((antwort.flags & ZUG_SCHLAGEN) &&
        (antwort.nach == erster.von || antwort.nach == erster.nach || antwort.nach == zug.von ||
         antwort.nach == zug.nach))
        return false;
    const quint64 a = quint64(erster.von * 256 + erster.nach);
    const quint64 b = quint64(antwort.von * 256 + antwort.nach);
    const quint64 c = quint64(zug.von * 256 + zug.nach);
    schluessel = (std::min(a, c) << 32) + (b << 16) + std::max(a, c);
    return true;
}

// The opponent has no legal reply to the move: mate when it gives check, otherwise stalemate,
// which near the root is good for the side behind in material and bad for the side ahead.
void stellung::bewerteOhneAntwort(Zug &zug, int ply, bool seite) const
{
    zug.flags |= ZUG_KEINE_ANTWORT;
    if (zug.flags & ZUG_SCHACH) {
        zug.wert += ply <= 2 ? MATT_NAH : MATT;
        return;
    }
    if (ply >= 4)
        return;
    zug.flags |= ZUG_PATT;
    if (std::abs(material) >= PATT_MATERIAL) {
        const bool vorn = seite ? material >= PATT_MATERIAL : material <= -PATT_MATERIAL;
        zug.wert += vorn ? -PATT_AUSGLEICH : PATT_AUSGLEICH;
    }
}

// Once the forcing moves at the head of the list have found a good score, the quiet rest is only
// searched where it threatens something: check, or a capture of a bigger piece on a square the
// moves searched so far did not already reach.
void stellung::lichteAus(Zug *liste, int index)
{
    Zug schlaege[MAX_ZUEGE];
    int schreiben = index + 1;
    for (int j = index + 1; liste[j].von != 0; ++j) {
        const int32_t geschlagen = brett[liste[j].nach];
        zugliste = liste;
        macheZug(j);
        zugliste = schlaege;
        generiereSchlagzuege();
        bool behalten = koenigSchlagbar;
        for (int k = 0; !behalten && schlaege[k].von != 0; ++k) {
            const int nach = schlaege[k].nach;
            bool neu = true;
            for (int i = 0; neu && i <= index; ++i)
                neu = liste[i].nach != nach;
            behalten = neu && std::abs(brett[nach]) > std::abs(brett[schlaege[k].von]) + 2;
        }
        zugliste = liste;
        nimmZugZurueck(j, geschlagen);
        if (behalten)
            liste[schreiben++] = liste[j];
        else if (team && tiefe == 2 && maxTiefe >= 5)
            team->erledigt(wurzelNummer, liste[j]);
    }
    liste[schreiben] = Zug{};
}

// In a root team only an earlier root move can have stored the entry, as the ply-3 move of a line
// starting with it; its entry counts once it has passed the same reply.
bool stellung::findeTransposition(const Zug &zug, uint64_t schluessel, int32_t &wert)
{
    if (team) {
        const int frueher = team->wurzelIndex(zug.von, zug.nach);
        if (frueher < 0 || frueher >= wurzelNummer ||
            !team->warteAuf(frueher, ebene[2].zug, wurzelNummer))
            return false;
    }
    return transpositionen->finde(schluessel, wert);
}

// The root moves with the scores the loop below gives them, for the team's threads.
std::unique_ptr<Wurzelteam> stellung::bildeWurzelteam(const Zug *liste, bool seite)
{
    Zug zuege[MAX_ZUEGE];
    int n = 0;
    for (; liste[n].von != 0; ++n) {
        zuege[n] = liste[n];
        zuege[n].wert += std::min(zuege[n].wert / 12, 30);
    }
    return std::make_unique<Wurzelteam>(*this, zuege, n, seite, threads);
}

// The exchange on the target square stands in for the reply to a capture at the leaves.
int32_t stellung::tauschNach(const Zug &zug, bool seite)
{
    const int32_t ziel = brett[zug.nach];
    const uint64_t eigene = farbe[seite];
    const uint64_t gegner = farbe[!seite];
    brett[zug.nach] = brett[zug.von];
    brett[zug.von] = LEER;
    farbe[seite] ^= bitbrett::bit(zug.von) | bitbrett::bit(zug.nach);
    farbe[!seite] &= ~bitbrett::bit(zug.nach);
    const int32_t wert = tauschwert(zug.nach);
    brett[zug.von] = brett[zug.nach];
    brett[zug.nach] = ziel;
    farbe[seite] = eigene;
    farbe[!seite] = gegner;
    return wert;
}

// A leaf deep in the tree is worth its best capture, or nothing: the value of the capture minus
// the exchange that follows, the first on the board among equals (`stellen`, as the generator
// gives them). The exchange can only lower a capture's value, so the captures are taken from the
// most valuable down, and the exchange is computed only for one that can still beat the best so
// far, or equal it from an earlier square.
int32_t stellung::besterSchlag(const Zug *liste, const int16_t *stellen, int anzahl, bool seite)
{
    Suchebene &e = ebene[tiefe];
    int32_t bester = 0;
    int16_t besteStelle = INT16_MAX;
    uint64_t offen = anzahl == 64 ? ~uint64_t(0) : (uint64_t(1) << anzahl) - 1;
    while (offen) {
        // The most valuable capture left, the first on the board among equals.
        int i = bitbrett::niedrigstes(offen);
        for (uint64_t rest = offen & (offen - 1); rest; rest &= rest - 1) {
            const int j = bitbrett::niedrigstes(rest);
            if (liste[j].wert > liste[i].wert ||
                (liste[j].wert == liste[i].wert && stellen[j] < stellen[i]))
                i = j;
        }
        offen &= ~(uint64_t(1) << i);
        const Zug &zug = liste[i];
        if (zug.wert < bester)
            break;
        if (zug.wert == bester && (bester <= 0 || stellen[i] > besteStelle))
            continue;
        const int32_t antwort = tauschNach(zug, seite);
        const int32_t wert = zug.wert - antwort;
        if (wert > bester || (wert == bester && wert > 0 && stellen[i] < besteStelle)) {
            bester = wert;
            besteStelle = stellen[i];
            e.besterZug = Zug{zug.von, zug.nach, wert, zug.flags};
            e.besteAntwort = antwort;
        }
    }
    e.zugZaehler += anzahl;
    return bester;
}

// The last ply before the leaves, deep in the tree. A leaf is worth at least nothing, so a move
// scores at most its own value: the moves are taken from the most valuable down, and once a legal
// one has been found, a move that can no longer beat the best (nor equal it from earlier in the
// list) is not searched. Its leaf is counted as searched all the same, and where the report is
// wanted its captures go into the move counters as if it had been.
int32_t stellung::vorDenBlaettern(Zug *liste, bool seite)
{
    const int p = tiefe;
    Suchebene &e = ebene[p];
    Suchebene &kind = ebene[p + 1];
    const bool ruhigeKinder = ruhig(ebene[p - 1].zug) && ruhig(ebene[p - 2].zug);
    Wertfolge folge(liste);
    const int n = folge.anzahl();
    e.keinLegalerZug = true;
    int32_t bester = ANFANGSWERT;
    int besterIndex = n;
    Linie linie{};
    for (int gesehen = 0; gesehen < n; ++gesehen) {
        const int i = folge.naechster();
        const Zug &m = liste[i];
        if (!e.keinLegalerZug && (m.wert < bester || (m.wert == bester && i > besterIndex))) {
            // Neither this move nor any after it can matter.
            sucheAufrufe += n - gesehen;
            if (zaehler)
                zaehleRest(liste, n, m, ruhigeKinder, !seite);
            break;
        }
        e.zug = m;
        int32_t antwort = 0;
        bool koenigSchlagbar = false;
        if (ruhigeKinder && ruhig(m)) {
            ++sucheAufrufe;
            kind.alsRuhigesBlatt();
        } else {
            const int32_t geschlagen = brett[m.nach];
            macheZug(i);
            suche(!seite, p, koenigSchlagbar, antwort);
            zugliste = liste;
            schwarzAmZug = seite;
            tiefe = p;
            nimmZugZurueck(i, geschlagen);
        }
        if (koenigSchlagbar)
            continue;
        // The list keeps the move's own value: it still decides the order of the rest.
        const int32_t wert = m.wert - antwort;
        e.keinLegalerZug = false;
        if (wert >= GUTER_ZUG)
            ++e.guteZuege;
        if (wert > bester || (wert == bester && i < besterIndex)) {
            bester = wert;
            besterIndex = i;
            e.besterZug = Zug{m.von, m.nach, wert, m.flags};
            e.besteAntwort = antwort;
            linie = Linie{kind.besterZug, kind.besteAntwort, kind.blatt};
        }
    }
    e.zugZaehler += n;
    if (e.keinLegalerZug) {
        e.blatt = true;
        return 0;
    }
    kind.besterZug = linie.besterZug;
    kind.besteAntwort = linie.besteAntwort;
    kind.blatt = linie.blatt;
    return bester;
}

// The same without the move counters, which lets the moves that are never searched go unlisted:
// the valuable ones first, then the others a piece at a time (stellung::sammleWertvolle).
void stellung::vorDenBlaetternGestuft(bool seite, bool &koenigSchlagbarAus, int32_t &wertAus)
{
    const int p = tiefe;
    Suchebene &e = ebene[p];
    Suchebene &kind = ebene[p + 1];
    Stufenfolge folge(*this, seite);
    const int n = folge.anzahl();
    if (n < 0) {
        e.besterZug.wert = KOENIG_SCHLAGBAR;
        e.blatt = true;
        koenigSchlagbarAus = true;
        wertAus = KOENIG_SCHLAGBAR;
        return;
    }
    if (folge.imSchach())
        ebene[p - 1].zug.flags |= ZUG_SCHACH;
    if (n >= MAX_ZUEGE - 1) {
        // So long a list is cut short where the generator's list ends: take that one.
        Zug liste[MAX_ZUEGE];
        zugliste = liste;
        bool imSchach;
        generiereZuege(imSchach);
        wertAus = vorDenBlaettern(liste, seite);
        return;
    }
    const bool ruhigeKinder = ruhig(ebene[p - 1].zug) && ruhig(ebene[p - 2].zug);
    e.keinLegalerZug = true;
    int32_t bester = ANFANGSWERT;
    int32_t besterPlatz = INT32_MAX;
    Linie linie{};
    int gesehen = 0;
    for (const Platzzug *naechster; (naechster = folge.naechster()) != nullptr; ++gesehen) {
        const Zug &m = naechster->zug;
        if (!e.keinLegalerZug &&
            (m.wert < bester || (m.wert == bester && naechster->platz > besterPlatz))) {
            sucheAufrufe += n - gesehen;
            break;
        }
        e.zug = m;
        int32_t antwort = 0;
        bool koenigSchlagbar = false;
        if (ruhigeKinder && ruhig(m)) {
            ++sucheAufrufe;
            kind.alsRuhigesBlatt();
        } else {
            Zug zug[2] = {m, Zug{}};
            const int32_t geschlagen = brett[m.nach];
            zugliste = zug;
            macheZug(0);
            suche(!seite, p, koenigSchlagbar, antwort);
            zugliste = zug;
            schwarzAmZug = seite;
            tiefe = p;
            nimmZugZurueck(0, geschlagen);
        }
        if (koenigSchlagbar)
            continue;
        const int32_t wert = m.wert - antwort;
        e.keinLegalerZug = false;
        if (wert >= GUTER_ZUG)
            ++e.guteZuege;
        if (wert > bester || (wert == bester && naechster->platz < besterPlatz)) {
            bester = wert;
            besterPlatz = naechster->platz;
            e.besterZug = Zug{m.von, m.nach, wert, m.flags};
            e.besteAntwort = antwort;
            linie = Linie{kind.besterZug, kind.besteAntwort, kind.blatt};
        }
    }
    e.zugZaehler += n;
    if (e.keinLegalerZug) {
        e.blatt = true;
        wertAus = 0;
        return;
    }
    kind.besterZug = linie.besterZug;
    kind.besteAntwort = linie.besteAntwort;
    kind.blatt = linie.blatt;
    wertAus = bester;
}

// Puts into the move counters the captures of the leaves left out after `naechster`: the moves
// that come after it by value, and it.
void stellung::zaehleRest(const Zug *liste, int n, const Zug &naechster, bool ruhigeKinder,
                          bool schwarz)
{
    const int ab = int(&naechster - liste);
    for (int j = 0; j < n; ++j) {
        const bool danach =
            liste[j].wert < naechster.wert || (liste[j].wert == naechster.wert && j >= ab);
        if (danach && !(ruhigeKinder && ruhig(liste[j])))
            ebene[tiefe + 1].zugZaehler += schlaegeNach(j, schwarz);
    }
}

// How many captures the side has after the list entry is made, as its leaf would count them.
int stellung::schlaegeNach(int index, bool schwarz)
{
    const int32_t geschlagen = brett[zugliste[index].nach];
    macheZug(index);
    const int anzahl = zaehleSchlaege(schwarz);
    nimmZugZurueck(index, geschlagen);
    return anzahl;
}

void stellung::speichereWurzelzug(const Zug &zug, int32_t antwort, int &anzahl)
{
    wurzelZuege[anzahl] = zug;
    wurzelZuege[anzahl + 1] = Zug{};
    Suchebene *linie = variante[anzahl];
    linie[1] = Suchebene{};
    linie[1].zug = zug;
    linie[1].besterZug = zug;
    linie[1].besteAntwort = antwort;
    for (int p = 2; p <= maxTiefe; ++p) {
        linie[p] = ebene[p];
        ebene[p].zugZaehler = 0;
    }
    ++anzahl;
    if (anzahl < MAX_ZUEGE)
        variante[anzahl][1] = Suchebene{};
}

void stellung::suche(bool seite, int ply, bool &koenigSchlagbarAus, int32_t &wertAus)
{
    ++sucheAufrufe;
    const int p = ply + 1;
    schwarzAmZug = seite;
    tiefe = p;
    Suchebene &e = ebene[p];
    e.guteZuege = 0;
    e.besterZug = Zug{};
    e.keinLegalerZug = false;
    e.blatt = p >= maxTiefe;
    koenigSchlagbarAus = false;
    wertAus = 0;

    Zug liste[MAX_ZUEGE];
    zugliste = liste;
    int32_t bester;
    bool auslese = false;
    if (e.blatt) {
        if (p > 3 && ruhigeLinie(p))
            return;
        int16_t stellen[64];
        generiereSchlagzuege(p > 3 ? stellen : nullptr);
        if (koenigSchlagbar) {
            e.besterZug.wert = KOENIG_SCHLAGBAR;
            koenigSchlagbarAus = true;
            wertAus = KOENIG_SCHLAGBAR;
            return;
        }
        if (liste[0].von == 0)
            return;
        if (p > 3) {
            wertAus = besterSchlag(liste, stellen, zugAnzahl, seite);
            return;
        }
        bester = 0; // standing still is worth nothing
    } else {
        if (p == 1 && wurzelVorgabe) {
            std::copy(vorgabeZuege, vorgabeZuege + MAX_ZUEGE, liste);
            wurzelUhr.start();
        } else if (!zaehler && p > 3 && p + 1 == maxTiefe) {
            vorDenBlaetternGestuft(seite, koenigSchlagbarAus, wertAus);
            return;
        } else {
            bool imSchach;
            generiereZuege(imSchach);
            if (imSchach)
                ebene[p - 1].zug.flags |= ZUG_SCHACH;
            if (koenigSchlagbar) {
                e.besterZug.wert = KOENIG_SCHLAGBAR;
                e.blatt = true;
                koenigSchlagbarAus = true;
                wertAus = KOENIG_SCHLAGBAR;
                return;
            }
        }
        if (p > 3 && p + 1 == maxTiefe) {
            wertAus = vorDenBlaettern(liste, seite);
            return;
        }
        auslese = p >= 2 && p < maxTiefe - 1 && liste[0].wert > AUSLESE_GRENZE;
        bester = ANFANGSWERT;
    }
    // In a root team the replies of a root move tell the later ones how far it has got.
    const bool meldeAntworten = team && p == 2 && maxTiefe >= 5;
    if (meldeAntworten)
        team->veroeffentliche(wurzelNummer, liste);
    e.keinLegalerZug = true;

    int wurzelAnzahl = 0;
    bool legalGefunden = false;
    if (p == 1) {
        abgebrochen = false;
        unterbrochen = false;
        schnittErlaubt = verwerfbar;
        if (maxTiefe >= 5 && !transpositionen)
            transpositionen = std::make_shared<Transpositionen>();
        wurzelZuege[0] = Zug{};
        variante[0][1] = Suchebene{};
    }
    std::unique_ptr<Wurzelteam> wurzelteam;
    if (p == 1 && threads > 1 && !e.blatt && liste[0].von != 0 && liste[1].von != 0)
        wurzelteam = bildeWurzelteam(liste, seite);
    Linie linie[MAX_EBENEN];
    bool linieGemerkt = false;
    // Children at the depth limit after a quiet line end at once, before their move is even
    // made: only the move itself decides whether the line stays quiet.
    const bool ruhigeKinder = !e.blatt && p + 1 > 3 && p + 1 >= maxTiefe &&
                              ruhig(ebene[p - 1].zug) && ruhig(ebene[p - 2].zug);
    Transpositionen *tabelle =
        p == 3 && maxTiefe >= 5 && !e.blatt ? transpositionen.get() : nullptr;
    int anzahl = 0;
    for (int i = 0; liste[i].von != 0; ++i) {
        // A root move cut off by the team's root loop is searched no further.
        if (team && p <= 3 && team->verworfen(wurzelNummer))
            break;
        if ((p == 2 || p == 3) && darfUnterbrechen()) {
            unterbrochen = true;
            break;
        }
        ++anzahl;
        Zug &m = liste[i];
        if (p <= 2)
            m.wert += std::min(m.wert / 12, 30);
        e.zug = m;

        int32_t antwort = 0;
        bool illegal = false;
        quint64 schluessel = 0;
        const bool mitSchluessel = tabelle && transpositionsSchluessel(m, schluessel);
        if (mitSchluessel && findeTransposition(m, schluessel, antwort)) {
            m.flags |= ZUG_HASHTREFFER;
        } else if (e.blatt) {
            antwort = tauschNach(m, seite);
        } else if (ruhigeKinder && ruhig(m)) {
            ++sucheAufrufe;
            ebene[p + 1].alsRuhigesBlatt();
        } else {
            bool kindSchlaegtKoenig;
            if (wurzelteam) {
                wurzelteam->uebernimm(i, *this, kindSchlaegtKoenig, antwort);
            } else {
                const int32_t geschlagen = brett[m.nach];
                macheZug(i);
                suche(!seite, p, kindSchlaegtKoenig, antwort);
                zugliste = liste;
                schwarzAmZug = seite;
                tiefe = p;
                nimmZugZurueck(i, geschlagen);
            }
            if (p == 1 && unterbrochen) {
                abgebrochen = true;
                break;
            }
            m.flags |= e.zug.flags & ZUG_SCHACH;
            if (kindSchlaegtKoenig)
                illegal = true;
            else if (ebene[p + 1].keinLegalerZug)
                bewerteOhneAntwort(m, p, seite);
            else if (mitSchluessel && !(team && team->verworfen(wurzelNummer)))
                tabelle->speichere(schluessel, antwort);
        }

        if (meldeAntworten)
            team->erledigt(wurzelNummer, m);
        if (!illegal) {
            m.wert -= antwort;
            e.keinLegalerZug = false;
            if (m.wert >= GUTER_ZUG)
                ++e.guteZuege;
            if (m.wert > bester) {
                bester = m.wert;
                e.besterZug = m;
                e.besteAntwort = antwort;
                for (int q = p + 1; q <= maxTiefe; ++q)
                    linie[q] = Linie{ebene[q].besterZug, ebene[q].besteAntwort, ebene[q].blatt};
                linieGemerkt = p < maxTiefe;
            }
            if (auslese && liste[i + 1].von != 0 && liste[i + 1].wert <= AUSLESE_GRENZE &&
                bester > AUSLESE_GRENZE) {
                lichteAus(liste, i);
                auslese = false;
            }
        }

        if (p == 1) {
            if (seite)
                m.flags |= ZUG_SCHWARZ;
            if (illegal)
                m.flags |= ZUG_ILLEGAL;
            speichereWurzelzug(m, antwort, wurzelAnzahl);
            legalGefunden = legalGefunden || !illegal;
            if (legalGefunden && !schnittErlaubt) {
                schnittErlaubt = true;
                if (wurzelteam)
                    wurzelteam->erlaubeSchnitt();
            }
            // A stopped search still has to answer with a move it may play.
            if (legalGefunden && liste[i + 1].von != 0 && anhaltenErbeten()) {
                abgebrochen = true;
                break;
            }
            if (wurzelVorgabe && wurzelZeitgrenze && wurzelUhr.elapsed() >= WURZEL_ZEIT_MS)
                break;
        }
    }

    // The helpers stop where the root loop stopped.
    wurzelteam.reset();
    e.zugZaehler += anzahl;
    if (e.keinLegalerZug) {
        // Mate or stalemate here; the parent scores it, so the node itself is worth nothing.
        bester = 0;
        e.blatt = true;
    } else if (p <= 3 && anzahl > 0) {
        bester -= wenigeGuteZuege(p, e.guteZuege, anzahl);
    }
    if (p == 1)
        sortiereZugliste(wurzelZuege);
    if (linieGemerkt) {
        for (int q = p + 1; q <= maxTiefe; ++q) {
            ebene[q].besterZug = linie[q].besterZug;
            ebene[q].besteAntwort = linie[q].besteAntwort;
            ebene[q].blatt = linie[q].blatt;
        }
    }
    wertAus = bester;
}

bool stellung::anhaltenErbeten() const
{
    return (abbruch && abbruch->load(std::memory_order_relaxed)) ||
           (knotenGrenze != 0 && sucheAufrufe >= knotenGrenze);
}

bool stellung::darfUnterbrechen() const
{
    return (team ? team->schnittErlaubt() : schnittErlaubt) && anhaltenErbeten();
}

void stellung::setzeSucheFort(bool vorgabe, bool seite, const Zug *liste)
{
    wurzelVorgabe = vorgabe;
    tiefe = 1;
    schwarzAmZug = seite;
    if (transpositionen)
        transpositionen->leere();
    if (!vorgabe)
        return;

    Zug erzeugt[MAX_ZUEGE];
    zugliste = erzeugt;
    bool imSchach;
    generiereZuege(imSchach);
    int n = 0;
    for (; n < MAX_ZUEGE - 1 && liste[n].von != 0; ++n) {
        Zug zug = liste[n];
        for (int k = 0; erzeugt[k].von != 0; ++k) {
            if (erzeugt[k].von == zug.von && erzeugt[k].nach == zug.nach) {
                zug.wert = erzeugt[k].wert;
                zug.flags = erzeugt[k].flags;
                break;
            }
        }
        vorgabeZuege[n] = zug;
    }
    vorgabeZuege[n] = Zug{};
}

#include "core/stellung.h"

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

} // namespace

// Deep in the tree a line of quiet, non-checking moves is not worth the capture search.
bool stellung::ruhigeLinie(int ply) const
{
    for (int p = ply - 3; p < ply; ++p) {
        if ((ebene[p].zug.flags & ZUG_SCHACH) || ebene[p].zug.wert > RUHIGER_ZUG)
            return false;
    }
    return true;
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
    }
    liste[schreiben] = Zug{};
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
        generiereSchlagzuege();
        if (koenigSchlagbar) {
            e.besterZug.wert = KOENIG_SCHLAGBAR;
            koenigSchlagbarAus = true;
            wertAus = KOENIG_SCHLAGBAR;
            return;
        }
        if (liste[0].von == 0)
            return;
        bester = 0; // standing still is worth nothing
    } else {
        if (p == 1 && wurzelVorgabe) {
            std::copy(vorgabeZuege, vorgabeZuege + MAX_ZUEGE, liste);
            wurzelUhr.start();
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
        auslese = p >= 2 && p < maxTiefe - 1 && liste[0].wert > AUSLESE_GRENZE;
        bester = ANFANGSWERT;
    }
    e.keinLegalerZug = true;

    int wurzelAnzahl = 0;
    bool legalGefunden = false;
    if (p == 1) {
        abgebrochen = false;
        wurzelZuege[0] = Zug{};
        variante[0][1] = Suchebene{};
    }
    Linie linie[MAX_EBENEN];
    bool linieGemerkt = false;
    int anzahl = 0;
    for (int i = 0; liste[i].von != 0; ++i) {
        ++anzahl;
        Zug &m = liste[i];
        if (p <= 2)
            m.wert += std::min(m.wert / 12, 30);
        e.zug = m;

        int32_t antwort = 0;
        bool illegal = false;
        quint64 schluessel = 0;
        const bool mitSchluessel =
            p == 3 && maxTiefe >= 5 && !e.blatt && transpositionsSchluessel(m, schluessel);
        const auto treffer =
            mitSchluessel ? transpositionen.constFind(schluessel) : transpositionen.constEnd();
        if (treffer != transpositionen.constEnd()) {
            antwort = treffer.value();
            m.flags |= ZUG_HASHTREFFER;
        } else if (e.blatt) {
            // The exchange on the target square stands in for the reply.
            const int32_t ziel = brett[m.nach];
            brett[m.nach] = brett[m.von];
            brett[m.von] = LEER;
            antwort = tauschwert(m.nach);
            brett[m.von] = brett[m.nach];
            brett[m.nach] = ziel;
        } else {
            const int32_t geschlagen = brett[m.nach];
            macheZug(i);
            bool kindSchlaegtKoenig;
            suche(!seite, p, kindSchlaegtKoenig, antwort);
            zugliste = liste;
            schwarzAmZug = seite;
            tiefe = p;
            nimmZugZurueck(i, geschlagen);
            m.flags |= e.zug.flags & ZUG_SCHACH;
            if (kindSchlaegtKoenig)
                illegal = true;
            else if (ebene[p + 1].keinLegalerZug)
                bewerteOhneAntwort(m, p, seite);
            else if (mitSchluessel)
                transpositionen.insert(schluessel, antwort);
        }

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
            // A stopped search still has to answer with a move it may play.
            if (legalGefunden && liste[i + 1].von != 0 && abbruch &&
                abbruch->load(std::memory_order_relaxed)) {
                abgebrochen = true;
                break;
            }
            if (wurzelVorgabe && wurzelZeitgrenze && wurzelUhr.elapsed() >= WURZEL_ZEIT_MS)
                break;
        }
    }

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

void stellung::setzeSucheFort(bool vorgabe, bool seite, const Zug *liste)
{
    wurzelVorgabe = vorgabe;
    tiefe = 1;
    schwarzAmZug = seite;
    transpositionen.clear();
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

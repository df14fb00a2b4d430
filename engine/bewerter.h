#pragma once

#include "core/rochaderechte.h"
#include "core/zug.h"
#include "engine/jobkontext.h"

#include <QString>

#include <memory>

class Zufall;
class stellung;

// The terms of one candidate move, one column each in the evaluation report.
struct BewertungsZeile
{
    int32_t von;
    int32_t nach;
    int32_t schlage; // the search score
    int32_t status;  // the move's flags
    int32_t endwert;
    int32_t schach;
    int32_t bewegl;
    int32_t zentrum;
    int32_t tausch;
    int32_t kleinGross; // a column without a term behind it, kept for the report's layout
    int32_t glinieFrei;
    int32_t zielRaumGegner;
    int32_t dameBeweg;
    int32_t gegKoeBeweg;
    int32_t gegKoeRand;
    int32_t sicherEigKoe;
    int32_t zugBauer;
    int32_t turmLoch;
    int32_t frequent;
    int32_t zufallsWert;
};

// Marks a term a probe could not compute; the column average stands in for it.
constexpr int32_t NICHT_BERECHNET = 900;
// Candidates evaluated per pass, the terminating entry included.
constexpr int MAX_KANDIDATEN = 100;

// Re-scores the best root moves of a search with positional terms and sorts them by the sum.
// One object per evaluation pass.
class Bewerter
{
public:
    Bewerter(const JobKontext &kontext, Zufall &zufall);
    ~Bewerter();

    void setzeIstVorschlag(bool vorschlag) { istVorschlag = vorschlag; }
    void setzeRochaderechte(uint32_t wort) { rochaderechte = Rochaderechte::ausWort(wort); }
    void setzeLetztenZug(const Zug &zug) { letzterZug = zug; }
    void setzeBrett(const int32_t *quelle);
    // Takes the moves within reach of the best search score (at least two) from a sorted root
    // list; the side to evaluate is that of the first move.
    void setzeWurzelZuege(const Zug *liste);
    // Evaluates every candidate and sorts them; with `bericht` and the report setting on, the
    // report is written with the two search tables.
    void bewerteAlle(bool bericht, const QString &minimaxText, const QString &zaehlerText);
    void holeWurzelZuege(Zug *ziel) const;
    QString phasenKennung() const;

    const BewertungsZeile *zeilen() const { return tabelle; }
    int anzahlZeilen() const { return anzahl; }
    bool istGegnerSchwach() const { return gegnerSchwach; }
    bool istEndspiel() const { return endspiel; }
    bool istBauernEndspiel() const { return bauernEndspiel; }
    bool istKoenigsJagd() const { return koenigsJagd; }
    // Calls of the search made by this pass, for the engine benchmark.
    quint64 sucheAufrufe() const { return aufrufe; }

private:
    void bereiteVor();
    void bewerteZug(BewertungsZeile &z);
    void kombiniere();

    int32_t bauernTerm() const;
    int32_t freibauernProbe(bool &frei) const;
    int32_t frequentTerm() const;
    int32_t tauschTerm() const;
    int32_t turmLochTerm() const;
    int32_t koenigsschutzTerm() const;
    void folgeProbe(BewertungsZeile &z);
    void antwortProbe(BewertungsZeile &z);
    bool probe(bool schwarz, Zug *liste);
    int32_t beweglichkeit(const Zug *liste) const;
    int32_t fluchtfeldAngriff(const Zug *liste) const;
    int32_t koenigszugTerm(const Zug *liste) const;
    int32_t randTerm(const Zug *liste);
    bool eigenesRochaderecht() const;
    int eigeneBauernUm(const int32_t *b, int koenig) const;

    const JobKontext &kontext;
    Zufall &zufall;

    int32_t brett[BRETT_ZELLEN];
    Zug wurzelZuege[MAX_KANDIDATEN];
    Rochaderechte rochaderechte{};
    Zug letzterZug{};
    int32_t brettNachZug[BRETT_ZELLEN];
    Rochaderechte rochadeNachZug{};
    int32_t von = 0;
    int32_t nach = 0;
    int32_t schlage = 0;
    int32_t status = 0;
    bool istVorschlag = false;
    bool seite = false;
    int32_t geschlagen = 0;
    int32_t gezogen = 0;
    int32_t gegnerKoenig = 0;
    int32_t eigenerKoenig = 0;
    int32_t gegnerKoenigZeile = 0;
    int32_t gegnerKoenigSpalte = 0;
    int32_t fluchtfelder[9] = {};
    bool eigenerKoenigOhneSchild = false;
    int32_t bauernAmKoenig = 0;

    bool gegnerSchwach = false;
    bool endspiel = false;
    bool bauernEndspiel = false;
    bool koenigsJagd = false;

    BewertungsZeile tabelle[MAX_KANDIDATEN];
    int anzahl = 0;
    quint64 aufrufe = 0;
    std::unique_ptr<stellung> probenStellung;
};

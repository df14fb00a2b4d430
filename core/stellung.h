#pragma once

#include "core/bitbrett.h"
#include "core/rochaderechte.h"
#include "core/suchebene.h"
#include "core/transpositionen.h"
#include "core/zug.h"

#include <QElapsedTimer>
#include <QObject>

#include <atomic>
#include <memory>

class Wurzelteam;

// The engine's working position: generates, makes and takes back moves and runs the search on
// plain arrays. One object per job, probe or legality check; it is large, so always on the heap.
//
// The fields are public on purpose: the search, the evaluation and the report read and set them
// directly in their hot paths (callers point zugliste at their buffer and set tiefe and
// schwarzAmZug before generating).
class stellung : public QObject
{
    Q_OBJECT

public:
    explicit stellung(QObject *parent = nullptr);

    void setzeRochaderechte(uint32_t wort) { rochaderechte = Rochaderechte::ausWort(wort); }
    uint32_t holeRochaderechte() const { return rochaderechte.alsWort(); }
    void setzeBrett(const int32_t *quelle);
    void berechneKoenigsnaehe();
    void setzeWandlungsFigur(int32_t figur) { wandlungsFigur = figur; }
    void setzeMaxTiefe(int32_t tiefe);
    void setzeLetztenZug(int32_t von, int32_t nach, int32_t wert, int32_t flags);
    void holeBrett(int32_t *ziel) const;
    void holeWurzelZuege(Zug *ziel) const;
    bool hatBauernschild(bool schwarz) const;

    // Move generation (pseudo-legal; a move that would capture the enemy king is reported through
    // koenigSchlagbar instead of being listed).
    void generiereZuege(bool &imSchach);
    // With `stellen` (room for 64) the captures stay in the order found, and each entry's
    // number there says where the scan of the board meets its target (smaller: earlier).
    void generiereSchlagzuege(int16_t *stellen = nullptr);
    bool feldAngegriffen(bool schwarz, int feld) const;
    void macheZug(int index);
    void nimmZugZurueck(int index, int32_t geschlagen);
    void sortiereZuege() { sortiereZugliste(zugliste); }
    // What the opponents of the piece on the square can win by capturing there, 0..its value.
    int32_t tauschwert(int feld) const;
    // The number of enemy pieces the side can capture, 0 when one of them is the king.
    int zaehleSchlaege(bool schwarz) const;

    // Deep in the tree (tiefe > 3), the moves in stages for the search's last ply before the
    // leaves (core/stufengenerator.cpp), each with its place in the list generiereZuege would
    // make. sammleWertvolle lists the moves of positive value, sets imSchach and returns how many
    // moves the full list holds, -1 when the side can capture the enemy king. stilleZuege gives
    // those of the piece on `feld` whose value is `wert` (0 or below), rochaden the castlings.
    struct Platzzug
    {
        Zug zug;
        int32_t platz;
    };
    int sammleWertvolle(Platzzug *wertvoll, int &anzahl, bool &imSchach);
    int stilleZuege(int feld, int32_t wert, Platzzug *ziel);
    int rochaden(Platzzug *ziel);

    // Carries out one move of the game against wurzelZuege, which the search has just filled for
    // the mover: resolves a move given as notation, takes the listed flags, adds the bits that
    // tell which other piece could have gone to the same square, updates the castling rights and
    // makes the move. False, with board and rights untouched, for a move that is not legal.
    bool fuehreZugAus(Zug &zug);

    // Orders a zero-terminated list by wert, best first (the first of equal scores wins), and
    // drops the entries marked ZUG_ILLEGAL.
    static void sortiereZugliste(Zug *liste);

    // The search (engine/suche.cpp). Called with ply 0 for the root; leaves the root moves with
    // their scores and final flags, best first, in wurzelZuege.
    void suche(bool seite, int ply, bool &koenigSchlagbarAus, int32_t &wertAus);
    // Prepares a deeper search of the same position; with vorgabe the root moves are searched in
    // the order of liste, within the root time limit.
    void setzeSucheFort(bool vorgabe, bool seite, const Zug *liste);

    int32_t brett[BRETT_ZELLEN];
    // The squares of the white (0) and the black (1) pieces and of each kind of piece
    // (bitbrett::Art) as bits (core/bitbrett.h), kept in step with brett by setzeBrett and the
    // making and taking back of moves.
    uint64_t farbe[2] = {};
    uint64_t arten[8] = {};
    Zug *zugliste = nullptr;
    Rochaderechte rochaderechte;
    int32_t wandlungsFigur;
    int32_t maxTiefe = 3;
    // Per root move (in root-list order) the line found under it: record 1 is the root move with
    // its score and reply score, records 2..maxTiefe the copied ply records. An entry whose
    // record 1 has von 0 ends the store.
    Suchebene variante[MAX_ZUEGE][MAX_EBENEN];
    Suchebene ebene[MAX_EBENEN];
    bool wurzelVorgabe = false;
    Zug vorgabeZuege[MAX_ZUEGE];
    Zug wurzelZuege[MAX_ZUEGE];
    int32_t material = 0;
    int32_t koenigSchwarz = 0;
    int32_t koenigWeiss = 0;
    int32_t bauernschildSchwarz[9];
    int32_t bauernschildWeiss[10];
    uint64_t schild[2] = {}; // the same squares as bits, white (0) and black (1)
    int32_t *naehe = nullptr;
    int32_t naeheSchwarzerKoenig[100];
    int32_t naeheWeisserKoenig[100];
    bool schwarzAmZug = false;
    int32_t tiefe = 0;
    int32_t vonFeld = 0;
    bool koenigSchlagbar = false;
    int32_t zugAnzahl = 0;
    // Created by the first search deep enough to use it.
    std::shared_ptr<Transpositionen> transpositionen;
    QElapsedTimer wurzelUhr;
    // Whether the preset root list stops at the root time limit; off only where a test pins the
    // result.
    bool wurzelZeitgrenze = true;
    // The stop request the root loop answers to, set by whoever runs the search; without one
    // (the controller's legality searches, the evaluation's probes) the search always runs to
    // the end. A stopped root loop keeps at least one legal move and sets abgebrochen.
    const std::atomic<bool> *abbruch = nullptr;
    bool abgebrochen = false;
    // Calls of suche since construction, for the engine benchmark and the front ends.
    quint64 sucheAufrufe = 0;
    // The root loop stops as on abbruch once sucheAufrufe has reached it; 0: no limit.
    quint64 knotenGrenze = 0;
    // A stop may also break off the search under a root move, at plies 2 and 3, so that it takes
    // effect soon even where one root move takes long; that move is then left out and abgebrochen
    // set. This happens once the root loop has a legal move to answer with, or at once when the
    // caller drops a stopped search's result anyway (verwerfbar).
    bool verwerfbar = false;
    bool unterbrochen = false;
    // Asked to stop, or out of the calls of suche it was given.
    bool anhaltenErbeten() const;
    // Whether the move counters of the report (zugZaehler) are kept; without them the search
    // leaves out work that only they would show.
    bool zaehler = true;
    // How many threads may search the root moves (engine/wurzelteam.h); one searches them in
    // order on the calling thread.
    int threads = 1;
    // Set in the search objects of a root team: the team and the root move being searched.
    Wurzelteam *team = nullptr;
    int wurzelNummer = 0;

private:
    bool darfUnterbrechen() const;

    bool schnittErlaubt = false;

    void baueBauernschilde();
    void loeseNotationAuf(Zug &zug);
    void aktualisiereRochaderechte(const Zug &zug);
    bool istSchildbauer(int feld, bool schwarz) const
    {
        return (schild[schwarz] & bitbrett::bit(feld)) != 0;
    }
    bool schlaegtDirekt(bool schwarz, int feld) const;
    int32_t geschlagenerWert(int feld) const;
    int32_t naeheDifferenz(int von, int nach) const { return naehe[nach] - naehe[von]; }
    // Promotions in the search can put more queens on the board than a FEN may hold, which
    // brings the list close to its capacity; it never runs past its terminator.
    void fuegeHinzu(int von, int nach, int32_t wert, int32_t flags)
    {
        if (zugAnzahl < MAX_ZUEGE - 1)
            zugliste[zugAnzahl++] = Zug{von, nach, wert, flags};
    }
    // A pawn's step and the values of its moves, by how far it has come and whether it shields
    // the king.
    struct Bauernwerte
    {
        int schritt = 0;
        int rang = 0;
        int32_t basis = 0;
        int32_t wandlung = 0;
        int32_t schlagStrafe = 0;
        int32_t doppelStrafe = 0;
        int32_t schrittStrafe = 0;
    };
    Bauernwerte bauernwerte(int von) const
    {
        // Worth by the rank the pawn has reached, counted from its own side.
        static constexpr int32_t BASIS[9] = {0, 0, 0, 0, 0, 40, 100, 300, 0};
        Bauernwerte w;
        const bool schwarz = schwarzAmZug;
        const int zeile = (von / 10) - 2; // 0 is rank 8
        w.schritt = schwarz ? 10 : -10;
        w.rang = schwarz ? zeile + 1 : 8 - zeile;
        w.basis = BASIS[w.rang];
        if (w.rang == 7)
            w.wandlung = ZUG_WANDLUNG;
        // Pawns of the king's shield should stay where they are.
        if ((w.rang == 2 || w.rang == 3) && istSchildbauer(von, schwarz)) {
            w.schlagStrafe = -30;
            w.doppelStrafe = -15;
            w.schrittStrafe = w.rang == 3 ? -15 : 0;
        }
        return w;
    }
    bool rochadeZug(int ecke, Zug &zug) const;
    void bauernZuege();
    void schiebeZuege(int ersteRichtung, int letzteRichtung);
    void springerZuege();
    void koenigsZuege();
    void rochade(int ecke);
    void enPassantZuege();

    bool ruhigeLinie(int ply) const;
    bool transpositionsSchluessel(const Zug &zug, quint64 &schluessel) const;
    void bewerteOhneAntwort(Zug &zug, int ply, bool seite) const;
    void lichteAus(Zug *liste, int index);
    int32_t tauschNach(const Zug &zug, bool seite);
    bool findeTransposition(const Zug &zug, uint64_t schluessel, int32_t &wert);
    std::unique_ptr<Wurzelteam> bildeWurzelteam(const Zug *liste, bool seite);
    int32_t besterSchlag(const Zug *liste, const int16_t *stellen, int anzahl, bool seite);
    int32_t vorDenBlaettern(Zug *liste, bool seite);
    void vorDenBlaetternGestuft(bool seite, bool &koenigSchlagbarAus, int32_t &wertAus);
    int schlaegeNach(int index, bool schwarz);
    void zaehleRest(const Zug *liste, int n, const Zug &naechster, bool ruhigeKinder, bool schwarz);
    void speichereWurzelzug(const Zug &zug, int32_t antwort, int &anzahl);
};

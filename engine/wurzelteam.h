#pragma once

#include "core/suchebene.h"
#include "core/zug.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class stellung;

// The root moves of one search, shared out among threads of their own. The root moves
// are searched without bounds from one another; all they share is the transposition table, whose
// ply-3 entries a root move stores for later ones. A thread that could find such an entry waits
// until the earlier root move has passed the reply in question, so it finds exactly what the
// serial order would have left in the table. The search at the root takes the results in order,
// as if it had searched each move itself.
class Wurzelteam
{
public:
    // `liste` holds the root moves with the scores they are searched with.
    Wurzelteam(const stellung &wurzel, const Zug *liste, int anzahl, bool seite, int threads);
    ~Wurzelteam();

    // Waits for the result of root move i and hands it over as its own search would have left it:
    // the ply records 1..maxTiefe of the root's search object and the child's answer.
    void uebernimm(int i, stellung &wurzel, bool &koenigSchlagbar, int32_t &antwort);
    // The root loop has stopped after `anzahl` moves; the rest is not searched any further.
    void schneide(int anzahl);
    // From now on a stop may break off the root moves under way (stellung::verwerfbar).
    void erlaubeSchnitt() { schnittFrei.store(true, std::memory_order_relaxed); }
    bool schnittErlaubt() const { return schnittFrei.load(std::memory_order_relaxed); }

    // For the searching threads.
    // The index of a root move by its squares; -1 for none.
    int wurzelIndex(int von, int nach) const { return index[von * 128 + nach]; }
    // Waits until root move `wurzel` has searched or dropped the reply `antwort`; false when the
    // asking root move no longer counts.
    bool warteAuf(int wurzel, const Zug &antwort, int fragender);
    void veroeffentliche(int wurzel, const Zug *antworten);
    void erledigt(int wurzel, const Zug &antwort);
    bool verworfen(int wurzel) const { return wurzel >= schnitt.load(std::memory_order_relaxed); }

private:
    struct Fortschritt;
    struct Ergebnis;

    void arbeite(stellung &helfer);
    bool entschieden(int wurzel, int antwort) const;
    void melde();

    std::vector<Zug> zuege;
    bool seite;
    int maxTiefe;
    std::vector<int16_t> index;
    std::unique_ptr<Fortschritt[]> fortschritt;
    std::unique_ptr<Ergebnis[]> ergebnisse;
    std::atomic<int> naechster{0};
    std::atomic<int> schnitt;
    std::atomic<bool> schnittFrei;
    std::mutex sperre;
    std::condition_variable signal;
    std::vector<std::thread> helfer;
};

#include "engine/wurzelteam.h"

#include "core/stellung.h"
#include "engine/jobkontext.h"

#include <QThread>

#include <algorithm>

namespace {

int zugNummer(const Zug &zug)
{
    return zug.von * 256 + zug.nach;
}

// A search object that searches root moves of `wurzel`: the same position, depth and table.
std::unique_ptr<stellung> helferFuer(const stellung &wurzel, Wurzelteam *team)
{
    auto h = std::make_unique<stellung>();
    std::copy(std::begin(wurzel.brett), std::end(wurzel.brett), h->brett);
    std::copy(std::begin(wurzel.farbe), std::end(wurzel.farbe), h->farbe);
    std::copy(std::begin(wurzel.arten), std::end(wurzel.arten), h->arten);
    h->rochaderechte = wurzel.rochaderechte;
    h->wandlungsFigur = wurzel.wandlungsFigur;
    h->maxTiefe = wurzel.maxTiefe;
    h->material = wurzel.material;
    h->koenigSchwarz = wurzel.koenigSchwarz;
    h->koenigWeiss = wurzel.koenigWeiss;
    std::copy(std::begin(wurzel.bauernschildSchwarz), std::end(wurzel.bauernschildSchwarz),
              h->bauernschildSchwarz);
    std::copy(std::begin(wurzel.bauernschildWeiss), std::end(wurzel.bauernschildWeiss),
              h->bauernschildWeiss);
    std::copy(std::begin(wurzel.schild), std::end(wurzel.schild), h->schild);
    std::copy(std::begin(wurzel.naeheSchwarzerKoenig), std::end(wurzel.naeheSchwarzerKoenig),
              h->naeheSchwarzerKoenig);
    std::copy(std::begin(wurzel.naeheWeisserKoenig), std::end(wurzel.naeheWeisserKoenig),
              h->naeheWeisserKoenig);
    h->ebene[0] = wurzel.ebene[0];
    h->transpositionen = wurzel.transpositionen;
    h->zaehler = wurzel.zaehler;
    h->abbruch = wurzel.abbruch;
    h->team = team;
    return h;
}

} // namespace

// What a root move has done so far with its replies (ply 2): 0 nothing yet, 1 replies
// published, 2 finished.
struct Wurzelteam::Fortschritt
{
    std::atomic<int> stand{0};
    int anzahl = 0;
    int antworten[MAX_ZUEGE];
    std::atomic<bool> erledigt[MAX_ZUEGE];
};

struct Wurzelteam::Ergebnis
{
    bool fertig = false;
    bool illegal = false;
    bool unterbrochen = false;
    int32_t schach = 0;
    int32_t antwort = 0;
    quint64 aufrufe = 0;
    Suchebene linie[MAX_EBENEN];
};

Wurzelteam::Wurzelteam(const stellung &wurzel, const Zug *liste, int anzahl, bool seite,
                       int threads)
    : zuege(liste, liste + anzahl)
    , seite(seite)
    , maxTiefe(wurzel.maxTiefe)
    , index(128 * 128, -1)
    , fortschritt(new Fortschritt[anzahl])
    , ergebnisse(new Ergebnis[anzahl])
    , schnitt(anzahl)
    , schnittFrei(wurzel.verwerfbar)
{
    for (int i = 0; i < anzahl; ++i)
        index[liste[i].von * 128 + liste[i].nach] = int16_t(i);
    // Threads of its own: the job runs on Qt's global pool, and must not wait for work queued
    // behind itself there.
    for (int t = std::min(threads, anzahl); t > 0; --t)
        helfer.emplace_back([this, h = helferFuer(wurzel, this)] { arbeite(*h); });
}

Wurzelteam::~Wurzelteam()
{
    schneide(0);
    for (std::thread &t : helfer)
        t.join();
}

void Wurzelteam::arbeite(stellung &h)
{
    for (;;) {
        const int k = naechster.fetch_add(1);
        if (k >= int(zuege.size()) || verworfen(k))
            break;
        Zug zug[2] = {zuege[k], Zug{}};
        h.wurzelNummer = k;
        h.ebene[1].zug = zug[0];
        for (int q = 2; q <= maxTiefe; ++q)
            h.ebene[q].zugZaehler = 0;
        const quint64 vorher = h.sucheAufrufe;
        h.unterbrochen = false;
        const int32_t geschlagen = h.brett[zug[0].nach];
        h.zugliste = zug;
        h.macheZug(0);
        bool koenigSchlagbar;
        int32_t antwort;
        h.suche(!seite, 1, koenigSchlagbar, antwort);
        h.zugliste = zug;
        h.nimmZugZurueck(0, geschlagen);

        Ergebnis &e = ergebnisse[k];
        e.illegal = koenigSchlagbar;
        e.unterbrochen = h.unterbrochen;
        e.antwort = antwort;
        e.schach = h.ebene[1].zug.flags & ZUG_SCHACH;
        e.aufrufe = h.sucheAufrufe - vorher;
        std::copy(h.ebene + 2, h.ebene + maxTiefe + 1, e.linie + 2);
        // A root move broken off by a stop has not stored all its entries: the later ones that
        // wait for them no longer count, and store nothing.
        if (h.unterbrochen)
            schneide(k);
        {
            const std::lock_guard<std::mutex> gesperrt(sperre);
            e.fertig = true;
            fortschritt[k].stand.store(2, std::memory_order_release);
        }
        signal.notify_all();
    }
}

void Wurzelteam::uebernimm(int i, stellung &wurzel, bool &koenigSchlagbar, int32_t &antwort)
{
    const Ergebnis &e = ergebnisse[i];
    {
        std::unique_lock<std::mutex> warte(sperre);
        signal.wait(warte, [&e] { return e.fertig; });
    }
    wurzel.ebene[1].zug.flags |= e.schach;
    std::copy(e.linie + 2, e.linie + maxTiefe + 1, wurzel.ebene + 2);
    wurzel.sucheAufrufe += e.aufrufe;
    wurzel.unterbrochen = e.unterbrochen;
    koenigSchlagbar = e.illegal;
    antwort = e.antwort;
}

void Wurzelteam::schneide(int anzahl)
{
    {
        const std::lock_guard<std::mutex> gesperrt(sperre);
        schnitt.store(std::min(schnitt.load(), anzahl));
    }
    signal.notify_all();
}

bool Wurzelteam::entschieden(int wurzel, int antwort) const
{
    const Fortschritt &f = fortschritt[wurzel];
    const int stand = f.stand.load(std::memory_order_acquire);
    if (stand != 1)
        return stand == 2;
    for (int j = 0; j < f.anzahl; ++j) {
        if (f.antworten[j] == antwort)
            return f.erledigt[j].load(std::memory_order_acquire);
    }
    return true; // never among its replies
}

bool Wurzelteam::warteAuf(int wurzel, const Zug &antwort, int fragender)
{
    const int nummer = zugNummer(antwort);
    if (entschieden(wurzel, nummer))
        return true;
    std::unique_lock<std::mutex> warte(sperre);
    signal.wait(warte, [&] { return entschieden(wurzel, nummer) || verworfen(fragender); });
    return !verworfen(fragender);
}

void Wurzelteam::veroeffentliche(int wurzel, const Zug *antworten)
{
    Fortschritt &f = fortschritt[wurzel];
    int n = 0;
    for (; antworten[n].von != 0; ++n) {
        f.antworten[n] = zugNummer(antworten[n]);
        f.erledigt[n].store(false, std::memory_order_relaxed);
    }
    f.anzahl = n;
    f.stand.store(1, std::memory_order_release);
    melde();
}

void Wurzelteam::erledigt(int wurzel, const Zug &antwort)
{
    Fortschritt &f = fortschritt[wurzel];
    const int nummer = zugNummer(antwort);
    for (int j = 0; j < f.anzahl; ++j) {
        if (f.antworten[j] == nummer) {
            f.erledigt[j].store(true, std::memory_order_release);
            break;
        }
    }
    melde();
}

// Wakes the threads that wait for progress; the lock makes sure none of them is between testing
// and starting to wait.
void Wurzelteam::melde()
{
    {
        const std::lock_guard<std::mutex> gesperrt(sperre);
    }
    signal.notify_all();
}

int suchThreads(int einstellung)
{
    return std::clamp(einstellung > 0 ? einstellung : QThread::idealThreadCount(), 1,
                      MAX_SUCH_THREADS);
}

#include "engine/jobkontext.h"

#include "app/einstellungen.h"
#include "game/history.h"
#include "game/spielzustand.h"

#include <QRandomGenerator>
#include <QThread>

#include <algorithm>

int suchThreads(int einstellung)
{
    return std::clamp(einstellung > 0 ? einstellung : QThread::idealThreadCount(), 1,
                      MAX_SUCH_THREADS);
}

JobKontext erfasseJobKontext()
{
    JobKontext kontext;
    kontext.schwierigkeit = einstellungen.schwierigkeit;
    kontext.zufall = einstellungen.zufall;
    kontext.htmlWertetabelle = einstellungen.htmlWertetabelle;
    kontext.startEnde = einstellungen.startEnde;
    kontext.eroeffnungsphase = eroeffnungsphase;
    kontext.fruehePhase = fruehePhase;
    std::copy(std::begin(standzeit), std::end(standzeit), kontext.standzeit);
    std::copy(std::begin(herkunft), std::end(herkunft), kontext.herkunft);
    kontext.currentIndex = currentIndex;
    kontext.datenordner = appVerzeichnis;
    kontext.zufallsKeim = QRandomGenerator::global()->generate();
    kontext.threads = suchThreads(einstellungen.threads);
    return kontext;
}

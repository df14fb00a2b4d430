#include "game/jobauftrag.h"

#include "app/einstellungen.h"
#include "core/positionsblock.h"
#include "game/controller.h"
#include "game/history.h"
#include "game/spielzustand.h"

#include <QRandomGenerator>

#include <algorithm>

namespace {

JobKontext schnappschuss()
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

} // namespace

JobAuftrag erstelleAuftrag(const Controller &controller, bool istVorschlag)
{
    Positionsblock block;
    std::copy(controller.brett(), controller.brett() + BRETT_ZELLEN, block.brett);
    block.letzterZug = controller.letzterZug();
    block.rochaderechte = Rochaderechte::ausWort(controller.rochaderechte());

    JobAuftrag auftrag;
    auftrag.index = lastIndex;
    auftrag.fen = controller.verlauf()->entry(lastIndex).fen;
    auftrag.schwarzAmZug = controller.schwarzAmZug();
    auftrag.istVorschlag = istVorschlag;
    auftrag.daten = schreibePositionsblock(block);
    auftrag.kontext = schnappschuss();
    return auftrag;
}

#include "game/history.h"

#include <algorithm>

int32_t currentIndex = 0;
int32_t lastIndex = 0;

history::history(QObject *parent)
    : QObject(parent)
{}

void history::clear()
{
    eintraege.clear();
    currentIndex = 0;
    lastIndex = 0;
}

void history::addEntry(int32_t zugnummer, int32_t halbzugZaehler, int32_t listenZeile,
                       const Zug &zug)
{
    HistoryEntry eintrag;
    eintrag.von = zug.von;
    eintrag.nach = zug.nach;
    eintrag.wert = zug.wert;
    eintrag.flags = zug.flags;
    eintrag.zugnummer = zugnummer;
    eintrag.halbzugZaehler = halbzugZaehler;
    eintrag.listenZeile = listenZeile;
    eintraege.append(eintrag);
}

void history::appendMove(const HistoryEntry &eintrag)
{
    eintraege.erase(eintraege.begin() + std::min(currentIndex + 1, eintraege.size()),
                    eintraege.end());
    eintraege.append(eintrag);
    currentIndex = lastIndex = lastEntryIndex();
}

void history::setLastFen(const QString &fen)
{
    if (!eintraege.isEmpty())
        eintraege.last().fen = fen;
}

HistoryEntry history::entry(int i) const
{
    return eintraege.value(i);
}

QList<HistoryEntry> history::entries() const
{
    return eintraege;
}

int32_t history::halfMoveClockAtCurrent() const
{
    return entry(currentIndex).halbzugZaehler;
}

int history::lastEntryIndex() const
{
    return eintraege.size() - 1;
}

// The new position and the three before it must be found again as a block of four consecutive
// earlier entries: once gives the warning, twice the draw. Only the piece placement counts. The
// reference is the entry the board shows, because a move made while reviewing discards the later
// entries.
bool history::checkRepetition(const QString &fen, bool &warnung) const
{
    warnung = false;
    const int letzter = currentIndex;
    if (letzter < 8)
        return false;

    const QString block[4] = {placementKey(fen), placementKey(entry(letzter).fen),
                              placementKey(entry(letzter - 1).fen),
                              placementKey(entry(letzter - 2).fen)};
    int folge = 0;
    int wiederholungen = 0;
    int schritte = 0;
    for (int i = letzter - 3; i >= 0 && schritte <= 19; --i) {
        const QString schluessel = placementKey(entry(i).fen);
        if (std::find(std::begin(block), std::end(block), schluessel) == std::end(block)) {
            folge = 0;
            ++schritte;
        } else if (++folge == 4) {
            ++wiederholungen;
            folge = 0;
            schritte = 1;
        } else {
            ++schritte;
        }
    }
    warnung = wiederholungen == 1;
    return wiederholungen >= 2;
}

QString history::placementKey(const QString &fen)
{
    const int leerzeichen = fen.indexOf(QLatin1Char(' '), std::max(fen.lastIndexOf('/'), 0));
    return leerzeichen < 0 ? fen : fen.left(leerzeichen);
}

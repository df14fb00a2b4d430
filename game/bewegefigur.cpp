#include "game/controller.h"

#include "app/einstellungen.h"
#include "core/richtungen.h"
#include "core/stellung.h"
#include "game/history.h"
#include "game/spielzustand.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

// Validates the move with a fresh depth-3 search, plays it, updates the castling rights, tests
// for a draw, writes the notation into a new history entry with the FEN after the move and
// rebuilds the tables the engine reads. The clock of the mover is charged only for a move that
// is played, so a refused attempt leaves everything as it was.
bool Controller::bewegeFigur(Zug &zug, int32_t wandlungsFigur, int listenZeile, QString &meldung,
                             QString &zugText, bool &spielEnde)
{
    const bool schwarz = zug.flags & ZUG_SCHWARZ;
    const qint64 jetzt = zeitquelle();
    auto s = std::make_unique<stellung>();
    ladeSuche(*s, wandlungsFigur);
    bool koenigSchlagbar;
    int32_t wert;
    // Two moves in a row by one side would leave history, numbers and FEN out of step.
    if (schwarz == amZug)
        s->suche(schwarz, 0, koenigSchlagbar, wert);
    if (schwarz != amZug || !s->fuehreZugAus(zug)) {
        meldung =
            QStringLiteral("Error: Controller::bewegeFigur() %1-%2").arg(zug.von).arg(zug.nach);
        return false;
    }

    if (lastIndex >= 1 && currentIndex == lastIndex)
        zeit[schwarz] += jetzt - uhrMarke;
    uhrMarke = jetzt;
    // Read before the board is replaced; the target of en passant is empty, so nothing is taken.
    const int32_t bewegteFigur = spielBrett[zug.von];
    const int32_t geschlagen = spielBrett[zug.nach];
    s->holeBrett(spielBrett);
    berechneMaterialBilanz();
    rechte = Rochaderechte::ausWort(s->holeRochaderechte());
    amZug = !schwarz;

    // Mate ends the game as a win, whatever the draw rules would say of the position.
    const bool matt = (zug.flags & ZUG_KEINE_ANTWORT) && !(zug.flags & ZUG_PATT);
    remisDroht = false;
    if (!matt && pruefeRemis(bewegteFigur, geschlagen))
        zug.flags |= ZUG_REMIS;
    schreibeNotation(zug, spielBrett[zug.nach], geschlagen, listenZeile);
    currentIndex = lastIndex = historie->lastEntryIndex();
    baueStandzeiten(amZug);
    letzter = zug;
    historie->setLastFen(aktuelleFen(amZug));

    const HistoryEntry eintrag = historie->entry(lastIndex);
    meldung = eintrag.meldung;
    zugText = eintrag.zugText;
    fruehePhase = eintrag.zugnummer <= einstellungen.startEnde / 2;
    eroeffnungsphase = eintrag.zugnummer <= einstellungen.startEnde;
    pgnPartie.setzeErgebnis(zug.flags);
    spielEnde = zug.flags & (ZUG_KEINE_ANTWORT | ZUG_REMIS | ZUG_AUFGEGEBEN);
    return true;
}

// For each piece of the side to move other than pawns and kings: how many half-moves ago it
// arrived on its square and where from. A piece that never moved counts from the start.
void Controller::baueStandzeiten(bool schwarzAmZug)
{
    std::fill(std::begin(standzeit), std::end(standzeit), 0);
    std::fill(std::begin(herkunft), std::end(herkunft), 0);
    const QList<HistoryEntry> eintraege = historie->entries();
    const int n = eintraege.size() - 1;
    for (int feld = 22; feld <= 99; ++feld) {
        const int32_t code = spielBrett[feld];
        if (!istEigen(code, schwarzAmZug) || std::abs(code) == BAUER || std::abs(code) == KOENIG)
            continue;
        int k = n;
        while (k >= 1 && eintraege[k].nach != feld)
            --k;
        standzeit[feld] = n - k;
        herkunft[feld] = eintraege[k].von;
    }
}

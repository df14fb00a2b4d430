#include "game/controller.h"

#include "app/einstellungen.h"
#include "app/languages.h"
#include "app/programm.h"
#include "app/rueckfragen.h"
#include "core/fen.h"
#include "core/stellung.h"
#include "game/fenpruefung.h"
#include "game/history.h"
#include "game/spielzustand.h"

#include <QElapsedTimer>
#include <QTime>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

qint64 monotoneZeit()
{
    static QElapsedTimer uhr;
    if (!uhr.isValid())
        uhr.start();
    return uhr.elapsed();
}

// The history keeps the number of the move itself; a FEN counts one more once Black has moved.
int32_t fenZugnummer(const HistoryEntry &eintrag, int index)
{
    return index > 0 && (eintrag.flags & ZUG_SCHWARZ) ? eintrag.zugnummer + 1 : eintrag.zugnummer;
}

} // namespace

Controller::Controller(QObject *parent)
    : QObject(parent)
    , historie(new history(this))
    , uebersetzer(Languages::instance(this))
    , zeitquelle(monotoneZeit)
{
    ladeEinstellungen();
    legal[0] = Zug{};
    stellungAusFen(QString::fromLatin1(startFen));
}

QString Controller::titel(bool mitPartieTitel) const
{
    QString text = QLatin1String(PROGRAMM_NAME) + QLatin1Char(' ') + PROGRAMM_VERSION;
    if (mitPartieTitel && !titelDerPartie.isEmpty())
        text += QLatin1String(" ;   ") + titelDerPartie;
    return text;
}

void Controller::starteSpiel(int listenZeile)
{
    titelDerPartie.clear();
    std::fill(std::begin(standzeit), std::end(standzeit), 0);
    std::fill(std::begin(herkunft), std::end(herkunft), 0);
    remisDroht = false;
    historie->clear();

    // The custom start is read again: the board may have moved on since it was imported.
    const QString start =
        startFenDerPartie.isEmpty() ? QString::fromLatin1(startFen) : startFenDerPartie;
    uebernimmFen(start);

    historie->addEntry(zugnummer, halbzugZaehler, listenZeile, letzter);
    fruehePhase = zugnummer <= einstellungen.startEnde / 2;
    eroeffnungsphase = zugnummer <= einstellungen.startEnde;
    historie->setLastFen(start);
    zeit[0] = zeit[1] = 0;
}

void Controller::ladeHistoryStellung(Zug &zug, int &listenZeile, QString &zugText)
{
    const HistoryEntry eintrag = historie->entry(currentIndex);
    uebernimmFen(eintrag.fen);
    // Moves are picked from this list, so it must belong to the position on the board.
    legaleZuegeErmitteln(amZug);
    zug = Zug{eintrag.von, eintrag.nach, eintrag.wert, eintrag.flags};
    listenZeile = eintrag.listenZeile;
    zugText = eintrag.zugText;
}

int Controller::historyIndexForRow(int listenZeile) const
{
    for (int i = 0; i <= lastIndex; ++i) {
        if (historie->entry(i).listenZeile >= listenZeile)
            return i;
    }
    return lastIndex;
}

void Controller::ladeSuche(stellung &s, int32_t wandlungsFigur) const
{
    // A stop request meant for a running engine job must not cut the legal-move list short.
    s.abbruch = nullptr;
    s.setzeRochaderechte(rechte.alsWort());
    s.setzeBrett(spielBrett);
    s.setzeWandlungsFigur(wandlungsFigur);
    s.setzeLetztenZug(letzter.von, letzter.nach, letzter.wert, letzter.flags);
}

// The search at its default depth of three plies marks each root move illegal, checking, mating
// or stalemating and drops the illegal ones.
bool Controller::legaleZuegeErmitteln(bool schwarz)
{
    auto s = std::make_unique<stellung>();
    ladeSuche(*s, DAME);
    bool koenigSchlagbar;
    int32_t wert;
    s->suche(schwarz, 0, koenigSchlagbar, wert);
    s->holeWurzelZuege(legal);
    return legal[0].von != 0;
}

QList<int> Controller::zielFelder(int von) const
{
    QList<int> felder;
    for (const Zug *z = legal; z->von != 0; ++z) {
        if (z->von == von)
            felder.append(z->nach);
    }
    if (!felder.isEmpty())
        felder.append(von);
    return felder;
}

bool Controller::istLegalerZug(int von, int nach) const
{
    for (const Zug *z = legal; z->von != 0; ++z) {
        if (z->von == von && z->nach == nach)
            return true;
    }
    return false;
}

bool Controller::istWandlung(int von, int nach) const
{
    return std::abs(spielBrett[von]) == BAUER && (nach < 30 || nach > 91);
}

int Controller::stellungAusFen(const QString &text, QString *meldung)
{
    fenStellung fen;
    bool schwarz = false;
    QString grund;
    const int ergebnis = pruefeFen(text, fen, schwarz, grund);
    if (meldung)
        *meldung = grund;
    if (ergebnis == 0)
        uebernimmStellung(fen, schwarz);
    return ergebnis;
}

void Controller::setzeEigeneStartFen(const QString &fen)
{
    fenStellung gelesen;
    bool schwarz = false;
    QString grund;
    startFenDerPartie.clear();
    if (fen.isEmpty() || pruefeFen(fen, gelesen, schwarz, grund) != 0)
        return;
    int32_t brett[BRETT_ZELLEN];
    gelesen.holeBrett(brett);
    const Zug z = gelesen.holeLetztenZug();
    startFenDerPartie =
        fenStellung::schreibeFen(brett, schwarz, gelesen.holeRochaderechte(), z.von, z.nach, z.wert,
                                 z.flags, gelesen.holeHalbzugZaehler(), gelesen.holeZugnummer());
}

// The program's own texts, the history's and the stored start, were checked when they came in.
void Controller::uebernimmFen(const QString &text)
{
    fenStellung fen;
    bool schwarz = false;
    if (fen.leseFen(text, schwarz, fenStellung::eigenerText) == 0)
        uebernimmStellung(fen, schwarz);
}

void Controller::uebernimmStellung(const fenStellung &fen, bool schwarz)
{
    amZug = schwarz;
    rechte = Rochaderechte::ausWort(fen.holeRochaderechte());
    letzter = fen.holeLetztenZug();
    halbzugZaehler = fen.holeHalbzugZaehler();
    zugnummer = fen.holeZugnummer();
    fen.holeBrett(spielBrett);
    berechneMaterialBilanz();
}

void Controller::berechneMaterialBilanz()
{
    materialBilanz = 0;
    for (int feld = 22; feld <= 99; ++feld) {
        if (uint32_t(spielBrett[feld]) > 1)
            materialBilanz += spielBrett[feld];
    }
}

QString Controller::aktuelleFen(bool schwarz) const
{
    const HistoryEntry eintrag = historie->entry(currentIndex);
    return fenStellung::schreibeFen(spielBrett, schwarz, rechte.alsWort(), letzter.von,
                                    letzter.nach, letzter.wert, letzter.flags,
                                    eintrag.halbzugZaehler, fenZugnummer(eintrag, currentIndex));
}

void Controller::uhrStarten()
{
    uhrMarke = zeitquelle();
}

void Controller::uhrAnhalten()
{
    const qint64 jetzt = zeitquelle();
    if (lastIndex >= 1)
        zeit[amZug] += jetzt - uhrMarke;
    uhrMarke = jetzt;
}

// The clock of the side to move runs only while the last position of a game in progress is shown.
bool Controller::uhrText(bool schwarz, QString &text) const
{
    if (lastIndex < 1 || currentIndex != lastIndex)
        return false;
    constexpr qint64 tag = 24 * 3600 * 1000;
    const qint64 ms = zeit[schwarz] + (schwarz == amZug ? zeitquelle() - uhrMarke : 0);
    text = QTime(0, 0).addMSecs(int(ms % tag)).toString(QStringLiteral("hh:mm:ss"));
    return true;
}

void Controller::fehlerMeldung(const QString &text) const
{
    rueckfragen().kritisch(QStringLiteral("Error"), text);
}

QString Controller::text(int id, const char *deutsch) const
{
    const Languages *tabelle = uebersetzer ? uebersetzer.data() : Languages::instance();
    return tabelle->text(id, QString::fromUtf8(deutsch));
}

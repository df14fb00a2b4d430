#include "game/spielablauf.h"

#include "app/einstellungen.h"
#include "app/languages.h"
#include "app/programm.h"
#include "app/rueckfragen.h"
#include "core/felder.h"
#include "core/fen.h"
#include "engine/jobtext.h"
#include "game/ablaufdienste.h"
#include "game/controller.h"
#include "game/history.h"
#include "game/koordinaten.h"
#include "game/spielzustand.h"
#include "game/wiedergabe.h"

#include <QDateTime>
#include <QDebug>
#include <QRandomGenerator>

#include <algorithm>
#include <utility>

class Spielablauf::Schritt
{
public:
    explicit Schritt(Spielablauf &ablauf)
        : ablauf(ablauf)
    {
        ++ablauf.schrittTiefe;
    }
    ~Schritt()
    {
        if (--ablauf.schrittTiefe == 0)
            ablauf.fuehreWartendeAus();
    }
    Schritt(const Schritt &) = delete;
    Schritt &operator=(const Schritt &) = delete;

private:
    Spielablauf &ablauf;
};

Spielablauf::Dialog::Dialog(Spielablauf &ablauf)
    : ablauf(ablauf)
{
    ++ablauf.dialogTiefe;
}

// A dialog of the front end's own ends outside any command: what waited is taken up now.
Spielablauf::Dialog::~Dialog()
{
    if (--ablauf.dialogTiefe == 0 && ablauf.schrittTiefe == 0)
        ablauf.fuehreWartendeAus();
}

Spielablauf::Spielablauf(Controller &controller, Ablaufdienste &dienste, QObject *parent)
    : QObject(parent)
    , controller(controller)
    , dienste(dienste)
    , zufall(QRandomGenerator::global()->generate())
    , eroeffnungen{{86, 66}, {85, 65}, {84, 64}}
    , eroeffnungsIndex(int(zufall.bounded(3)))
{
    controller.setzeZeitquelle([&dienste] { return dienste.jetzt(); });
    fensterTitel = controller.titel(false);
    initNeuesSpiel(false);
}

// Whatever the job still computes belongs to nobody once the flow is gone.
Spielablauf::~Spielablauf()
{
    if (engineLaeuft()) {
        stoppeJob();
        dienste.verwirfJob();
    }
}

void Spielablauf::setzeDarstellung(bool animiert, int pauseMs)
{
    mitAnimation = animiert;
    zugPauseMs = pauseMs;
}

void Spielablauf::setzeSpieler(Spieler weissSpieler, Spieler schwarzSpieler)
{
    weissAnfang = weissSpieler;
    schwarzAnfang = schwarzSpieler;
}

void Spielablauf::setzeKeim(quint32 keim)
{
    zufall.seed(keim);
    eroeffnungsIndex = int(zufall.bounded(3));
}

bool Spielablauf::computerAmZug() const
{
    return (amZugFlag ? schwarz : weiss) == Computer;
}

bool Spielablauf::vorKnopfZugVor() const
{
    return currentIndex < lastIndex || vorschlagAngezeigt;
}

bool Spielablauf::vorKnopfAktiv() const
{
    return !spielEndeFlag && (currentIndex < lastIndex || vorschlagZug.von != 0);
}

bool Spielablauf::aufgabeMoeglich() const
{
    return weiss != schwarz && !spielEndeFlag && currentIndex == lastIndex;
}

bool Spielablauf::denkt() const
{
    return laufenderJob && !laufenderJob->istVorschlag;
}

QString Spielablauf::denkText() const
{
    if (!denkt())
        return QString();
    const qint64 sekunden = (dienste.jetzt() - jobBeginn) / 1000;
    return text(560, "Brakmor denkt nach:") + QLatin1Char(' ') + QString::number(sekunden) +
           QLatin1String(" s");
}

bool Spielablauf::istWandlung(int von, int nach) const
{
    return controller.istWandlung(von, nach);
}

// Commands that change the game wait for a running engine job, which is asked to stop, for a
// running animation and for an open dialog; they run afterwards in the order they came.
bool Spielablauf::beschaeftigt(Befehl befehl, const QString &daten)
{
    if (!engineLaeuft() && !animationLaeuftFlag && dialogTiefe == 0 && wartend.isEmpty())
        return false;
    if (engineLaeuft())
        stoppeJob();
    wartend.append({befehl, daten});
    return true;
}

void Spielablauf::fuehreAus(Befehl befehl, const QString &daten)
{
    switch (befehl) {
    case Befehl::NeuesSpiel: starteNeuesSpiel(); break;
    case Befehl::Seitenwechsel: fuehreSeitenwechselAus(); break;
    case Befehl::FenImport: fuehreFenImportAus(daten); break;
    case Befehl::ZugZurueck: springeZurueck(); break;
    case Befehl::Listensprung: springeZuZeile(daten.toInt(), true); break;
    case Befehl::SichernLaden:
        if (ungespeichertFlag)
            speichereOderLade();
        else
            ladePartie(3);
        break;
    case Befehl::Computerzug: pruefeComputerzug(); break;
    case Befehl::PartieLaden: ladePartie(3); break;
    case Befehl::PartieSpeichern:
        if (ungespeichertFlag)
            speichereOderLade();
        break;
    case Befehl::Aufgabe: fuehreAufgabeAus(); break;
    }
}

// Takes up, once nothing runs, a result held back during a dialog and the waiting commands, and
// makes sure the computer moves when it is its turn.
void Spielablauf::fuehreWartendeAus()
{
    if (arbeitetAb || beendet)
        return;
    arbeitetAb = true;
    while (dialogTiefe == 0) {
        if (gehalten) {
            const auto ergebnis = *std::exchange(gehalten, std::nullopt);
            verarbeiteJob(ergebnis.first, ergebnis.second);
            continue;
        }
        if (engineLaeuft() || animationLaeuftFlag || wartend.isEmpty())
            break;
        const auto befehl = wartend.takeFirst();
        fuehreAus(befehl.first, befehl.second);
    }
    pruefeComputerzug();
    arbeitetAb = false;
}

// The one rule that starts the computer's move: whenever it is its turn at the end of a game
// that goes on, and nothing else is under way, the move timer runs.
void Spielablauf::pruefeComputerzug()
{
    if (beendet || dialogTiefe > 0 || spielEndeFlag || !computerAmZug() ||
        currentIndex != lastIndex || verweigertBei == lastIndex)
        return;
    if (engineLaeuft()) {
        // A suggestion for the human is of no use once the computer is to move.
        if (laufenderJob->istVorschlag)
            stoppeJob();
        return;
    }
    if (!wartend.isEmpty() || gehalten || dienste.zugTimerLaeuft())
        return;
    dienste.starteZugTimer(zugPauseMs, [this] { zugTimerAbgelaufen(); });
}

void Spielablauf::initNeuesSpiel(bool ausFen)
{
    dienste.stoppeZugTimer();
    // The old game's job may still report; its result no longer fits.
    if (engineLaeuft())
        stoppeJob();
    ++partieNummer;
    gehalten.reset();
    verweigertBei = -1;
    ungespeichertFlag = geladenFlag = false;
    imSchachFlag = false;
    vorschlagZug = Zug{};
    vorschlagAngezeigt = false;
    aufgabeGefragt = false;
    aufgegebenBei = -1;
    weiss = weissAnfang;
    schwarz = schwarzAnfang;
    ausFenFlag = ausFen;
    if (!ausFen)
        controller.setzeEigeneStartFen(QString());
    amZugFlag = ausFen && controller.schwarzAmZug();
    // The human takes the side to move.
    if (amZugFlag && weiss != schwarz) {
        weissUntenFlag = false;
        std::swap(weiss, schwarz);
    }

    meldungText = text(355, "Willkommen zu Brakmor");
    fuelleSpielbeginn(ausFen);
    controller.starteSpiel(zeilen.size() - 1);
    std::copy(controller.brett(), controller.brett() + BRETT_ZELLEN, brett);
    letzteMarken = {0, 0};
    spielEndeFlag = !controller.legaleZuegeErmitteln(amZugFlag);

    uhr[0] = uhr[1] = QStringLiteral("00:00:00");
    status[0].clear();
    status[1].clear();
    status[2] = rochadeText(controller.rochaderechte());
    status[3] = schwierigkeitsName(einstellungen.schwierigkeit);
    emit protokollNeu();
    emit stellungNeu();
    emit anzeigeGeaendert();
}

// The welcome lines and either the start of a new game or the information of a loaded one.
void Spielablauf::fuelleSpielbeginn(bool ausFen)
{
    zeilen =
        QStringList{text(355, "Willkommen zu Brakmor"),
                    text(9400, "Version") + QLatin1Char(' ') + QLatin1String(PROGRAMM_VERSION)};
    const QStringList info = std::exchange(geladeneInfo, QStringList());
    if (info.isEmpty()) {
        zeilen << text(369, "Spielstart:") + QLatin1Char(' ') +
                      QDateTime::currentDateTime().toString(QStringLiteral("dd.MM.yyyy hh:mm"))
               << text(384, "Schwierigkeit:") + QLatin1Char(' ') +
                      schwierigkeitsName(einstellungen.schwierigkeit)
               << (ausFen ? text(387, "FEN Startbrett geladen")
                          : text(385, "Sie haben weiß und fangen an."));
    } else {
        zeilen << QString() << text(313, "Partie geladen") << info;
    }
    zeilen << QString();
}

// Engine against engine there is no human whose game could be lost.
bool Spielablauf::datenverlustBestaetigt()
{
    if (!ungespeichertFlag || geladenFlag || (weiss == Computer && schwarz == Computer))
        return true;
    const QString frage = text(609, "Achtung: Datenverlust!") + QLatin1String("\n\n") +
                          text(610, "Sie haben Ihr laufendes Spiel nicht gespeichert!") +
                          QLatin1Char('\n') + text(611, "Trotzdem fortfahren?");
    const Dialog dialog(*this);
    return rueckfragen().frage(QStringLiteral("Brakmor"), frage);
}

// A game the user began before this (a FEN imported in the first second) is not replaced.
void Spielablauf::starteSitzung()
{
    const Schritt schritt(*this);
    if (partieNummer > 1 || lastIndex > 0)
        return;
    bool partieDa = false;
    if (pgnStartDatei.isEmpty()) {
        if (einstellungen.pgnAutoLaden && ladePartie(1))
            ungespeichertFlag = geladenFlag = partieDa = true;
    } else if (ladePartie(2)) {
        partieDa = true;
        if (einstellungen.pgnLadeDateiname.isEmpty()) {
            einstellungen.pgnLadeDateiname = pgnStartDatei;
            speichereEinstellungen();
        }
    }
    if (!partieDa) {
        weissUntenFlag = true;
        initNeuesSpiel(false);
        starteVorschlag();
    }
    emit anzeigeGeaendert();
}

void Spielablauf::neuesSpiel()
{
    const Schritt schritt(*this);
    if (!beschaeftigt(Befehl::NeuesSpiel))
        starteNeuesSpiel();
}

void Spielablauf::starteNeuesSpiel()
{
    if (!datenverlustBestaetigt())
        return;
    fensterTitel = controller.titel(false);
    weissUntenFlag = true;
    initNeuesSpiel(false);
    starteVorschlag();
}

void Spielablauf::seitenwechsel()
{
    const Schritt schritt(*this);
    if (!beschaeftigt(Befehl::Seitenwechsel))
        fuehreSeitenwechselAus();
}

// The board turns; at the end of a game the computer takes over the human's side to move.
void Spielablauf::fuehreSeitenwechselAus()
{
    weissUntenFlag = !weissUntenFlag;
    emit auswahlAufgehoben();
    if (currentIndex == lastIndex) {
        zeigeMeldung(text(74, "Figurentausch"), true);
        if (!spielEndeFlag && !computerAmZug() && weiss != schwarz) {
            std::swap(weiss, schwarz);
            starteZugberechnung();
        }
    }
    emit stellungNeu();
    emit anzeigeGeaendert();
}

// The data-loss question comes first, so the answer is given for the game the user sees.
void Spielablauf::importiereFen(const QString &fen)
{
    const Schritt schritt(*this);
    if (datenverlustBestaetigt() && !beschaeftigt(Befehl::FenImport, fen))
        fuehreFenImportAus(fen);
}

void Spielablauf::fuehreFenImportAus(const QString &fen)
{
    if (controller.stellungAusFen(fen) != 0)
        return;
    controller.setzeEigeneStartFen(fen);
    fensterTitel = controller.titel(false) + QLatin1String(" ;   FEN Import");
    weissUntenFlag = true;
    initNeuesSpiel(true);
    starteVorschlag();
}

void Spielablauf::zugZurueck()
{
    const Schritt schritt(*this);
    if (!beschaeftigt(Befehl::ZugZurueck))
        springeZurueck();
}

void Spielablauf::springeZurueck()
{
    if (currentIndex < 1)
        return;
    verlasseEnde();
    --currentIndex;
    zeigeHistoryStellung(true);
}

// In review one step forward; at the end the first press shows the suggestion, the second
// plays it.
void Spielablauf::zugVor()
{
    const Schritt schritt(*this);
    if (currentIndex < lastIndex) {
        ++currentIndex;
        zeigeHistoryStellung(true);
        return;
    }
    if (vorschlagZug.von == 0 || spielEndeFlag || computerAmZug())
        return;
    if (!vorschlagAngezeigt) {
        vorschlagAngezeigt = true;
        const QString hinweis =
            text(532, "Vorschlag") + QLatin1String(": ") + zugNotation(vorschlagZug);
        meldungText = hinweis;
        fuegeListenzeileHinzu(hinweis);
        emit vorschlagGezeigt(vorschlagZug);
        emit anzeigeGeaendert();
        return;
    }
    const Zug zug = vorschlagZug;
    emit auswahlAufgehoben();
    zieheZug(zug.von, zug.nach, zug.wert, zug.flags, DAME);
}

void Spielablauf::waehleZeile(int zeile)
{
    const Schritt schritt(*this);
    if (zeile < 0 || (zeile == zeilen.size() - 1 && currentIndex == lastIndex) ||
        controller.historyIndexForRow(zeile) == currentIndex)
        return;
    if (!beschaeftigt(Befehl::Listensprung, QString::number(zeile)))
        springeZuZeile(zeile, false);
}

void Spielablauf::springeZuZeile(int zeile, bool zeileWaehlen)
{
    const int index = controller.historyIndexForRow(zeile);
    if (index == currentIndex)
        return;
    verlasseEnde();
    currentIndex = index;
    zeigeHistoryStellung(zeileWaehlen);
}

// The running clock is charged when the user leaves the end of the game, so the time thought
// there is kept while the game stands.
void Spielablauf::verlasseEnde()
{
    if (currentIndex == lastIndex)
        controller.uhrAnhalten();
}

void Spielablauf::sichernOderLaden()
{
    const Schritt schritt(*this);
    if (!beschaeftigt(Befehl::SichernLaden))
        fuehreAus(Befehl::SichernLaden, QString());
}

void Spielablauf::ladeBefehl()
{
    const Schritt schritt(*this);
    if (!beschaeftigt(Befehl::PartieLaden))
        ladePartie(3);
}

void Spielablauf::speichereBefehl()
{
    const Schritt schritt(*this);
    if (ungespeichertFlag && !beschaeftigt(Befehl::PartieSpeichern))
        speichereOderLade();
}

// A running job keeps the level it was started with; the next one takes the new level.
void Spielablauf::setzeSchwierigkeit(int stufe)
{
    einstellungen.schwierigkeit = stufe;
    status[3] = schwierigkeitsName(stufe);
    speichereEinstellungen();
    zeigeMeldung(text(384, "Schwierigkeit:") + QLatin1Char(' ') + status[3], true);
    controller.pgn().siteLoeschen();
}

// The question comes first, so the answer is given for the game the user sees; like any command
// the resignation then waits for a job under way, and a computer move it brings is still played.
void Spielablauf::aufgeben()
{
    const Schritt schritt(*this);
    if (!aufgabeMoeglich())
        return;
    bool ja = false;
    {
        const Dialog dialog(*this);
        ja = rueckfragen().frage(QStringLiteral("Brakmor"),
                                 text(672, "Möchten Sie die Partie aufgeben?"));
    }
    if (ja && !beschaeftigt(Befehl::Aufgabe))
        fuehreAufgabeAus();
}

// Giving up is no move: the game's result and a row in the move list record it, in the words
// the computer's resignation uses, and the game stays over at this position.
void Spielablauf::fuehreAufgabeAus()
{
    if (!aufgabeMoeglich())
        return;
    dienste.stoppeZugTimer();
    if (lastIndex == 0)
        controller.pgn().neuePartie(weiss, schwarz, controller.eigeneStartFen());
    const bool menschSchwarz = schwarz == Mensch;
    controller.pgn().setzeErgebnis(ZUG_AUFGEGEBEN | (menschSchwarz ? ZUG_SCHWARZ : 0));
    spielEndeFlag = true;
    aufgegebenBei = lastIndex;
    ungespeichertFlag = true;
    vorschlagZug = Zug{};
    vorschlagAngezeigt = false;
    emit auswahlAufgehoben();
    zeigeMeldung(text(9025, "Aufgegeben") + QLatin1String(", ") +
                     (menschSchwarz ? text(9021, "Weiß gewinnt") : text(9022, "Schwarz gewinnt")),
                 true);
}

bool Spielablauf::menschenzug(int von, int nach, int32_t wandlungsFigur)
{
    const Schritt schritt(*this);
    if (spielEndeFlag || computerAmZug() || !controller.istLegalerZug(von, nach))
        return false;
    int32_t flags = amZugFlag ? ZUG_SCHWARZ : 0;
    if (istWandlung(von, nach))
        flags |= ZUG_WANDLUNG;
    if (!zieheZug(von, nach, 0, flags, wandlungsFigur))
        return false;
    if (!spielEndeFlag && computerAmZug() && engineLaeuft()) {
        stoppeJob();
        wartend.append({Befehl::Computerzug, QString()});
    }
    return true;
}

void Spielablauf::zeigeMeldung(const QString &meldung, bool auchInListe)
{
    meldungText = meldung;
    if (auchInListe && currentIndex == lastIndex)
        fuegeListenzeileHinzu(meldung);
    emit anzeigeGeaendert();
}

bool Spielablauf::zieheZug(int32_t von, int32_t nach, int32_t wert, int32_t flags, int32_t figur)
{
    if (lastIndex == 0)
        controller.pgn().neuePartie(weiss, schwarz, controller.eigeneStartFen());
    // In review the move replaces the rest of the game, and the rows that showed it.
    const bool inRueckschau = currentIndex < lastIndex;
    const int zeile =
        inRueckschau ? controller.verlauf()->entry(currentIndex).listenZeile + 1 : zeilen.size();
    Zug zug{von, nach, wert, flags};
    QString meldung;
    QString zugText;
    bool ende = false;
    if (!controller.bewegeFigur(zug, figur, zeile, meldung, zugText, ende)) {
        meldungText = meldung;
        emit auswahlAufgehoben();
        emit anzeigeGeaendert();
        return false;
    }
    if (inRueckschau) {
        zeilen.erase(zeilen.begin() + zeile, zeilen.end());
        emit zeilenEntfernt(zeile);
    }
    spielEndeFlag = ende;
    animationLaeuftFlag = mitAnimation;
    ungespeichertFlag = true;
    vorschlagZug = Zug{};
    vorschlagAngezeigt = false;
    imSchachFlag = zug.flags & ZUG_SCHACH;
    verweigertBei = aufgegebenBei = -1;
    fuegeListenzeileHinzu(zugText);
    std::copy(controller.brett(), controller.brett() + BRETT_ZELLEN, brett);
    amZugFlag = controller.schwarzAmZug();
    letzteMarken = {zug.von, zug.nach};
    status[2] = rochadeText(controller.rochaderechte());
    meldungText = meldung;
    aktualisiereUhren();
    emit zugGespielt(zug, figur);
    emit anzeigeGeaendert();
    return true;
}

void Spielablauf::animationFertig()
{
    const Schritt schritt(*this);
    animationLaeuftFlag = false;
}

void Spielablauf::zeigeHistoryStellung(bool zeileWaehlen)
{
    dienste.stoppeZugTimer();
    if (currentIndex == lastIndex) {
        vorschlagAngezeigt = false;
        controller.uhrStarten();
    }
    emit auswahlAufgehoben();

    Zug zug;
    int zeile = 0;
    QString zugText;
    controller.ladeHistoryStellung(zug, zeile, zugText);
    // A game that ended in mate or by resignation stays over when its last position is shown
    // again, as one drawn does.
    spielEndeFlag = (zug.flags & (ZUG_REMIS | ZUG_AUFGEGEBEN)) ||
                    controller.legaleZuege()[0].von == 0 || aufgegebenBei == currentIndex;
    imSchachFlag = zug.flags & ZUG_SCHACH;
    if (zeileWaehlen)
        emit zeileGewaehlt(zeile);
    meldungText = zugText;
    std::copy(controller.brett(), controller.brett() + BRETT_ZELLEN, brett);
    amZugFlag = controller.schwarzAmZug();
    letzteMarken = {currentIndex > 0 ? zug.von : 0, zug.nach};
    status[2] = rochadeText(controller.rochaderechte());
    emit stellungNeu();
    uebergibSeiteAmZug();
    emit anzeigeGeaendert();
}

// Whoever steps to a position plays the side to move there.
void Spielablauf::uebergibSeiteAmZug()
{
    if (weiss != schwarz) {
        weiss = amZugFlag ? Computer : Mensch;
        schwarz = amZugFlag ? Mensch : Computer;
        if (currentIndex == lastIndex && vorschlagZug.von == 0 && !spielEndeFlag)
            starteVorschlag();
    } else if (weiss == Computer) {
        spielEndeFlag = !controller.legaleZuegeErmitteln(amZugFlag);
    }
}

void Spielablauf::fuegeListenzeileHinzu(const QString &zeile)
{
    zeilen.append(zeile);
    emit zeileAngefuegt(zeile);
}

// Both clocks after a move: the mover's has just been charged, the other one starts.
void Spielablauf::aktualisiereUhren()
{
    for (const bool seite : {false, true}) {
        QString stand;
        if (controller.uhrText(seite, stand))
            uhr[seite] = stand;
    }
}

void Spielablauf::uhrTick()
{
    QString stand;
    const bool uhrLaeuft = !spielEndeFlag && controller.uhrText(amZugFlag, stand);
    if (uhrLaeuft)
        uhr[amZugFlag] = stand;
    if (uhrLaeuft || denkt())
        emit uhrenGeaendert();
}

void Spielablauf::spracheGewechselt()
{
    status[3] = schwierigkeitsName(einstellungen.schwierigkeit);
    emit anzeigeGeaendert();
}

// The suggestion as the move list names it: piece, origin, "-" or "x", target.
QString Spielablauf::zugNotation(const Zug &zug) const
{
    const bool schlaegt = brett[zug.nach] != LEER;
    return controller.figurName(brett[zug.von]) + QLatin1Char(' ') + feldName(zug.von) +
           QLatin1Char(schlaegt ? 'x' : '-') + feldName(zug.nach);
}

void Spielablauf::zugTimerAbgelaufen()
{
    const Schritt schritt(*this);
    if (dialogTiefe > 0 || spielEndeFlag || !computerAmZug() || currentIndex < lastIndex)
        return;
    if (engineLaeuft()) {
        stoppeJob();
        wartend.append({Befehl::Computerzug, QString()});
        return;
    }
    starteZugberechnung();
}

void Spielablauf::starteZugberechnung()
{
    vorschlagZug = Zug{};
    vorschlagAngezeigt = false;
    emit auswahlAufgehoben();
    status[0].clear();
    status[1].clear();
    starteJob(false);
    emit anzeigeGeaendert();
}

void Spielablauf::starteVorschlag()
{
    if (engineLaeuft() || spielEndeFlag || computerAmZug() || currentIndex != lastIndex)
        return;
    starteJob(true);
}

void Spielablauf::starteJob(bool istVorschlag, const Suchvorgaben &vorgaben)
{
    JobAuftrag auftrag = erstelleAuftrag(controller, istVorschlag);
    auftrag.kontext.vorgaben = vorgaben;
    auftrag.partie = partieNummer;
    auftrag.kontext.zufallsKeim = zufall.generate();
    laufenderJob = auftrag;
    jobBeginn = dienste.jetzt();
    dienste.starteJob(auftrag, [this](const JobAuftrag &fertig, const JobErgebnis &ergebnis) {
        jobFertig(fertig, ergebnis);
    });
}

// The job still reports, with the best move it had found.
void Spielablauf::stoppeJob()
{
    if (!laufenderJob)
        return;
    *laufenderJob->abbruch = true;
}

// The computer has stopped thinking, whatever becomes of its result.
void Spielablauf::jobFertig(const JobAuftrag &auftrag, const JobErgebnis &ergebnis)
{
    const Schritt schritt(*this);
    laufenderJob.reset();
    if (dialogTiefe > 0)
        gehalten = qMakePair(auftrag, ergebnis);
    else
        verarbeiteJob(auftrag, ergebnis);
    if (!auftrag.istVorschlag)
        emit anzeigeGeaendert();
}

void Spielablauf::verarbeiteJob(const JobAuftrag &auftrag, const JobErgebnis &ergebnis)
{
    if (berechnet && !auftrag.istVorschlag)
        berechnungFertig(auftrag, ergebnis);
    else if (auftrag.istVorschlag)
        vorschlagFertig(auftrag, ergebnis);
    else
        computerzugFertig(auftrag, ergebnis);
}

// A result counts only for the game and the position it was computed for.
bool Spielablauf::gehoertZurPartie(const JobAuftrag &auftrag) const
{
    return auftrag.partie == partieNummer && auftrag.index == lastIndex &&
           auftrag.fen == controller.verlauf()->entry(lastIndex).fen;
}

// The computer's side to move against the other's, by material.
int Spielablauf::materialVorteil() const
{
    return amZugFlag ? materialBilanz : -materialBilanz;
}

// The computer's move from the job's result: the opening table, the resignation question, the
// runner-up against a threatening draw, then the move like any other.
void Spielablauf::computerzugFertig(const JobAuftrag &auftrag, const JobErgebnis &ergebnis)
{
    if (!gehoertZurPartie(auftrag) || currentIndex != lastIndex || spielEndeFlag ||
        !computerAmZug())
        return;
    const bool abgebrochen = *auftrag.abbruch;
    const JobFelder felder = zerlegeJobText(ergebnis.text);
    Zug zug = felder.zug;
    zug.flags = amZugFlag ? ZUG_SCHWARZ : 0;
    if (currentIndex == 0 && !amZugFlag && !ausFenFlag) {
        zug.von = eroeffnungen[eroeffnungsIndex].first;
        zug.nach = eroeffnungen[eroeffnungsIndex].second;
        eroeffnungsIndex = (eroeffnungsIndex + 1) % eroeffnungen.size();
    }
    status[0] =
        felder.phase + QLatin1Char(' ') + (abgebrochen ? text(521, "Abbruch") : felder.suchInfo);
    status[1] = felder.zeit.size() <= 5 ? felder.zeit + QLatin1String("ms") : felder.zeit;

    const int vorteil = materialVorteil();
    if (!aufgabeGefragt && (zug.wert < -1330 || zug.wert + vorteil < -930)) {
        aufgabeGefragt = true;
        // Without a human in the game there is nobody to ask: the engine gives up.
        bool weiterspielen = false;
        if (weiss != schwarz) {
            const QString frage = text(670, "Ich gebe auf!") + QLatin1Char('\n') +
                                  text(671, "Möchten Sie trotzdem weiter spielen?");
            const Dialog dialog(*this);
            weiterspielen = rueckfragen().frage(QStringLiteral("Brakmor"), frage);
        }
        if (!weiterspielen)
            zug.flags |= ZUG_AUFGEGEBEN;
    }
    const Zug zweiter = gegenRemis(felder, vorteil);
    if (zweiter.von != 0) {
        zug.von = zweiter.von;
        zug.nach = zweiter.nach;
        zug.wert = zweiter.wert;
    }

    if (!zieheZug(zug.von, zug.nach, zug.wert, zug.flags, DAME)) {
        // The same position would give the same move again; the user can go on by hand.
        verweigertBei = lastIndex;
        ++verweigert;
        emit zugVerweigert();
        return;
    }
    if (!spielEndeFlag && !computerAmZug()) {
        controller.legaleZuegeErmitteln(amZugFlag);
        if (!abgebrochen)
            starteVorschlag();
    }
}

// The runner-up when the chosen move would allow a draw and the runner-up keeps the game level
// enough; otherwise no move (von 0).
Zug Spielablauf::gegenRemis(const JobFelder &felder, int vorteil) const
{
    if (felder.zweiter.von != 0 && remisDroht)
        qDebug("Remis");
    if (!zweiterGegenRemis(felder, vorteil, remisDroht))
        return Zug{};
    Zug zweiter = felder.zweiter;
    zweiter.flags = amZugFlag ? ZUG_SCHWARZ : 0;
    return zweiter;
}

void Spielablauf::berechneZugFuer(Berechnet fertig, const Suchvorgaben &vorgaben)
{
    const Schritt schritt(*this);
    berechnet = std::move(fertig);
    starteJob(false, vorgaben);
}

void Spielablauf::stoppeBerechnung()
{
    stoppeJob();
}

// The move as the computer would play it, with the runner-up rule against a draw.
void Spielablauf::berechnungFertig(const JobAuftrag &auftrag, const JobErgebnis &ergebnis)
{
    const Berechnet fertig = std::exchange(berechnet, nullptr);
    Zug zug = ergebnis.zug;
    const Zug zweiter = gegenRemis(zerlegeJobText(ergebnis.text), materialVorteil());
    if (zweiter.von != 0)
        zug = zweiter;
    zug.flags = auftrag.schwarzAmZug ? ZUG_SCHWARZ : 0;
    if (zug.von != 0 && controller.istWandlung(zug.von, zug.nach))
        zug.flags |= ZUG_WANDLUNG;
    fertig(zug, ergebnis);
}

bool Spielablauf::stelleAuf(const QString &fen, const QStringList &zuege, QString &fehler)
{
    const Schritt schritt(*this);
    const bool standard = fen == QLatin1String(startFen);
    QString grund;
    const int ergebnis = standard ? 0 : controller.stellungAusFen(fen, &grund);
    if (ergebnis != 0) {
        fehler = QStringLiteral("not a valid FEN (result %1): %2").arg(ergebnis).arg(grund);
        return false;
    }
    if (!standard)
        controller.setzeEigeneStartFen(fen);
    fensterTitel = controller.titel(false);
    initNeuesSpiel(!standard);
    return spieleZuege(zuege, fehler);
}

bool Spielablauf::spieleZuege(const QStringList &zuege, QString &fehler)
{
    const Schritt schritt(*this);
    for (const QString &text : zuege) {
        int32_t figur = DAME;
        const Zug zug =
            istKoordinatenZug(text) ? zugAusKoordinaten(controller, text, figur) : Zug{};
        if (spielEndeFlag || zug.von == 0 || !zieheZug(zug.von, zug.nach, 0, zug.flags, figur)) {
            fehler = spielEndeFlag  ? QStringLiteral("the game is over before %1").arg(text)
                     : zug.von == 0 ? QStringLiteral("not a move: %1").arg(text)
                                    : QStringLiteral("illegal move %1").arg(text);
            return false;
        }
    }
    controller.legaleZuegeErmitteln(amZugFlag);
    return true;
}

void Spielablauf::vorschlagFertig(const JobAuftrag &auftrag, const JobErgebnis &ergebnis)
{
    if (*auftrag.abbruch || !gehoertZurPartie(auftrag) || spielEndeFlag)
        return;
    vorschlagZug = zerlegeJobText(ergebnis.text).zug;
    vorschlagZug.flags = auftrag.schwarzAmZug ? ZUG_SCHWARZ : 0;
    emit anzeigeGeaendert();
}

// The save dialog may hand over to the load dialog instead.
void Spielablauf::speichereOderLade()
{
    QString meldung;
    int ergebnis = 0;
    {
        const Dialog dialog(*this);
        ergebnis = controller.partieSpeichern(meldung);
    }
    switch (ergebnis) {
    case Gespeichert:
        ungespeichertFlag = false;
        meldungText = meldung;
        break;
    case LadenStattSpeichern:
        if (ladePartie(3))
            ungespeichertFlag = false;
        break;
    default:
        if (!meldung.isEmpty())
            meldungText = meldung;
        break;
    }
    emit anzeigeGeaendert();
}

// Mode 1 restores the auto-saved game at its end; modes 2 (the file named on the command line)
// and 3 (the user's choice) show a loaded game from its start.
bool Spielablauf::ladePartie(int modus)
{
    QString meldung;
    bool geladenOk = false;
    {
        const Dialog dialog(*this);
        geladenOk = modus == 1
                        ? controller.autoLaden()
                        : controller.partieLaden(modus, ungespeichertFlag && !geladenFlag, meldung);
    }
    if (!meldung.isEmpty())
        meldungText = meldung;
    if (!geladenOk || controller.geladeneZuege().isEmpty()) {
        emit anzeigeGeaendert();
        return false;
    }

    const Pgn kopf = controller.geladenePartie();
    controller.setzePartieTitel(kopf.weiss + QLatin1String(" - ") + kopf.schwarz);
    fensterTitel = controller.titel(true);
    geladeneInfo = partieInfo();
    const QString fen = kopf.fen.trimmed();
    if (fen.isEmpty() || controller.stellungAusFen(fen) != 0) {
        controller.stellungAusFen(QString::fromLatin1(startFen));
        controller.setzeEigeneStartFen(QString());
    } else {
        controller.setzeEigeneStartFen(fen);
    }
    initNeuesSpiel(true);

    // The moves are replayed by the same function as brakmor-cli's, so both end on the same
    // position.
    const Wiedergabe wiedergabe =
        spieleGeladenePartie(controller, zeilen.size() - 1, [this](const QString &zugText) {
            fuegeListenzeileHinzu(zugText);
            return int(zeilen.size());
        });
    if (modus != 1)
        currentIndex = 0;
    zeigeHistoryStellung(true);
    // The human plays the side to move of the position shown, and the board faces that side.
    if (weiss != schwarz)
        weissUntenFlag = weiss == Mensch;
    // Shown after the position, whose move text would cover it.
    if (!wiedergabe.meldung.isEmpty())
        meldung = wiedergabe.meldung;
    else if (modus == 1)
        meldung = text(368, "Starte neue Partie mit F2!");
    meldungText = meldung;
    emit anzeigeGeaendert();
    emit partieGeladen();
    return true;
}

namespace {

QString infoZeile(const QString &beschriftung, const QString &wert)
{
    return beschriftung.leftJustified(12) + QLatin1String(": ") + wert;
}

QString zahlOderLeer(int zahl)
{
    return zahl > 0 ? QString::number(zahl) : QString();
}

} // namespace

// The tags of the loaded game that carry something, one line each.
QStringList Spielablauf::partieInfo() const
{
    const Pgn &kopf = controller.geladenePartie();
    const int zuege = (controller.geladeneZuege().size() + 1) / 2;
    const QPair<QString, QString> zeilenInfo[] = {
        {text(319, " Ereignis"), kopf.event},
        {text(320, " Spielort"), kopf.site},
        {QStringLiteral("Eco"), kopf.eco},
        {text(317, "Zahl Züge"), zahlOderLeer(zuege)},
        {text(326, "Ergebnis"), kopf.ergebnis},
        {text(321, " Runde"), zahlOderLeer(kopf.runde)},
        {text(322, "Name Weiß"), kopf.weiss},
        {text(324, "ELO Weiß"), zahlOderLeer(kopf.weissElo)},
        {text(323, "Name Schwarz"), kopf.schwarz},
        {text(325, "ELO Schwarz"), zahlOderLeer(kopf.schwarzElo)},
        {text(316, "Datum Partie"),
         kopf.datum.isValid() ? kopf.datum.toString(QStringLiteral("dd.MM.yyyy")) : kopf.datumText},
    };
    QStringList info;
    for (const auto &zeile : zeilenInfo) {
        if (!zeile.second.trimmed().isEmpty())
            info << infoZeile(zeile.first, zeile.second);
    }
    return info;
}

void Spielablauf::beende()
{
    beendet = true;
    dienste.stoppeZugTimer();
    if (engineLaeuft()) {
        stoppeJob();
        dienste.verwirfJob();
        laufenderJob.reset();
    }
    gehalten.reset();
    // The auto-save stands for the session that ends now: a game too short or already saved
    // leaves none to return.
    if (!schreibrechtGefunden || !einstellungen.pgnAutoLaden)
        return;
    if (ungespeichertFlag && lastIndex > 4)
        controller.autoSpeichern();
    else
        controller.autoLoeschen();
}

QString Spielablauf::text(int id, const char *deutsch) const
{
    return Languages::instance()->text(id, QString::fromUtf8(deutsch));
}

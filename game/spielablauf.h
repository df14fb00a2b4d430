#pragma once

#include "core/zug.h"
#include "engine/berechnezug.h"
#include "engine/jobtext.h"
#include "game/jobauftrag.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QStringList>

#include <QRandomGenerator>

#include <functional>
#include <optional>

class Ablaufdienste;
class Controller;

// The flow of a game between the human and the computer: whose turn it is, the engine jobs for
// the computer's move and the human's suggestion and what becomes of their results, the commands
// that wait while the engine computes or a piece moves, the opening moves, resignation, draw
// avoidance and the clocks. The window and brakmor-cli drive it and show what it reports.
class Spielablauf : public QObject
{
    Q_OBJECT

public:
    // The commands that wait for the engine and the animation, with the numbers the program has
    // always given them.
    enum class Befehl {
        NeuesSpiel = 1,
        Seitenwechsel = 2,
        FenImport = 3,
        ZugZurueck = 4,
        Listensprung = 5,
        SichernLaden = 6,
        Computerzug = 7,
        PartieLaden = 8,
        PartieSpeichern = 9,
        Aufgabe = 10,
    };

    // Who plays a side.
    enum Spieler { Mensch = 0, Computer = 1 };

    // Marks the time a modal dialog is open: meanwhile the computer's move, engine results and
    // waiting commands stay where they are, and the flow takes them up once the dialog is closed.
    class Dialog
    {
    public:
        explicit Dialog(Spielablauf &ablauf);
        ~Dialog();
        Dialog(const Dialog &) = delete;
        Dialog &operator=(const Dialog &) = delete;

    private:
        Spielablauf &ablauf;
    };

    Spielablauf(Controller &controller, Ablaufdienste &dienste, QObject *parent = nullptr);
    ~Spielablauf() override;

    // A front end that animates moves reports each animation's end through animationFertig();
    // `zugPauseMs` is the pause before the computer starts its move.
    void setzeDarstellung(bool mitAnimation, int zugPauseMs);
    // Who plays each side from the next game on (both computer: engine against engine).
    void setzeSpieler(Spieler weiss, Spieler schwarz);
    // Seeds the random choices of the flow and its jobs, so a run can be repeated.
    void setzeKeim(quint32 keim);

    // The user's commands.
    void starteSitzung();
    void neuesSpiel();
    void seitenwechsel();
    // `fen` is a text the FEN reader accepts.
    void importiereFen(const QString &fen);
    void zugZurueck();
    void zugVor();
    void waehleZeile(int zeile);
    void sichernOderLaden();
    void ladeBefehl();
    void speichereBefehl();
    void setzeSchwierigkeit(int stufe);
    // The human gives the game up, after a Yes to the question: the computer wins.
    void aufgeben();
    // The human's move; false when it is not legal or not the human's turn.
    bool menschenzug(int von, int nach, int32_t wandlungsFigur);
    // A notice in the message line, and in the move list unless the game is in review.
    void zeigeMeldung(const QString &text, bool auchInListe);

    // brakmor-cli: starts a game from `fen` (the standard position starts a new game) and plays
    // the coordinate moves on it, without asking. On a bad FEN or a refused move `fehler` says
    // why and the game stands where it got to.
    bool stelleAuf(const QString &fen, const QStringList &zuege, QString &fehler);
    // Plays the coordinate moves on at the end of the game, as stelleAuf does.
    bool spieleZuege(const QStringList &zuege, QString &fehler);
    // brakmor-cli uci: computes the move the computer would play at the end of the game, without
    // playing it, within the front end's `vorgaben`. Exactly one call of `fertig` follows, also
    // after stoppeBerechnung().
    using Berechnet = std::function<void(const Zug &zug, const JobErgebnis &ergebnis)>;
    void berechneZugFuer(Berechnet fertig, const Suchvorgaben &vorgaben = {});
    void stoppeBerechnung();

    // The language changed: the texts the flow keeps are made again.
    void spracheGewechselt();

    // Events.
    void uhrTick();
    void animationFertig();
    // The program ends: the job is stopped and dropped, the game auto-saved when it is worth it.
    void beende();

    // What the front end shows.
    Controller &spiel() const { return controller; }
    bool amZug() const { return amZugFlag; }
    int spielerWeiss() const { return weiss; }
    int spielerSchwarz() const { return schwarz; }
    bool computerAmZug() const;
    bool weissUnten() const { return weissUntenFlag; }
    bool spielEnde() const { return spielEndeFlag; }
    bool ungespeichert() const { return ungespeichertFlag; }
    bool geladen() const { return geladenFlag; }
    bool engineLaeuft() const { return laufenderJob.has_value(); }
    bool animationLaeuft() const { return animationLaeuftFlag; }
    bool dialogOffen() const { return dialogTiefe > 0; }
    const QList<QPair<Befehl, QString>> &wartendeBefehle() const { return wartend; }
    std::optional<JobAuftrag> laufenderAuftrag() const { return laufenderJob; }
    Zug vorschlag() const { return vorschlagZug; }
    bool imSchach() const { return imSchachFlag; }
    const int32_t *brettKopie() const { return brett; }
    const QStringList &protokoll() const { return zeilen; }
    QString meldung() const { return meldungText; }
    QString statuszeile(int nummer) const { return status[nummer - 1]; }
    QString uhrText(bool schwarzeUhr) const { return uhr[schwarzeUhr]; }
    QString titel() const { return fensterTitel; }
    // Origin and target of the move whose position is shown; 0 at the start.
    QPair<int, int> marken() const { return letzteMarken; }
    bool vorKnopfZugVor() const;
    bool vorKnopfAktiv() const;
    // Whether the human can give up now: at the end of a game that goes on against the computer.
    bool aufgabeMoeglich() const;
    // Whether the computer computes its move, and how that is shown with its running seconds
    // (empty otherwise).
    bool denkt() const;
    QString denkText() const;
    // Whether a move from `von` to `nach` promotes a pawn.
    bool istWandlung(int von, int nach) const;
    // Computer moves the controller refused: an engine fault, counted by the soak test.
    int verweigerteZuege() const { return verweigert; }

signals:
    // The move list was filled anew; its last row is selected.
    void protokollNeu();
    void zeileAngefuegt(const QString &zeile);
    // Rows from `ab` on were removed.
    void zeilenEntfernt(int ab);
    void zeileGewaehlt(int zeile);
    // The board shows another position: draw it from the board copy.
    void stellungNeu();
    // A move was played on the board copy; animate it (and call animationFertig() at its end).
    void zugGespielt(const Zug &zug, int32_t figur);
    void vorschlagGezeigt(const Zug &zug);
    void auswahlAufgehoben();
    // Texts, buttons, clocks, title or orientation changed.
    void anzeigeGeaendert();
    // The clock of the side to move went on, or the computer thought one more second.
    void uhrenGeaendert();
    void partieGeladen();
    // The controller refused the computer's move (the message line says why).
    void zugVerweigert();

private:
    friend class Dialog;
    // Marks one command or event from outside; when the outermost ends, what waits is taken up.
    class Schritt;

    bool beschaeftigt(Befehl befehl, const QString &daten = QString());
    void fuehreAus(Befehl befehl, const QString &daten);
    void fuehreWartendeAus();
    void pruefeComputerzug();

    void initNeuesSpiel(bool ausFen);
    void fuelleSpielbeginn(bool ausFen);
    bool datenverlustBestaetigt();
    void starteNeuesSpiel();
    void fuehreSeitenwechselAus();
    void fuehreFenImportAus(const QString &fen);
    void fuehreAufgabeAus();
    void springeZurueck();
    void springeZuZeile(int zeile, bool zeileWaehlen);
    bool zieheZug(int32_t von, int32_t nach, int32_t wert, int32_t flags, int32_t figur);
    void zeigeHistoryStellung(bool zeileWaehlen);
    void uebergibSeiteAmZug();
    void verlasseEnde();
    void fuegeListenzeileHinzu(const QString &zeile);
    void aktualisiereUhren();
    QString zugNotation(const Zug &zug) const;

    void starteZugberechnung();
    void starteVorschlag();
    void starteJob(bool istVorschlag, const Suchvorgaben &vorgaben = {});
    void stoppeJob();
    void jobFertig(const JobAuftrag &auftrag, const JobErgebnis &ergebnis);
    void verarbeiteJob(const JobAuftrag &auftrag, const JobErgebnis &ergebnis);
    bool gehoertZurPartie(const JobAuftrag &auftrag) const;
    void computerzugFertig(const JobAuftrag &auftrag, const JobErgebnis &ergebnis);
    void berechnungFertig(const JobAuftrag &auftrag, const JobErgebnis &ergebnis);
    Zug gegenRemis(const JobFelder &felder, int vorteil) const;
    void vorschlagFertig(const JobAuftrag &auftrag, const JobErgebnis &ergebnis);
    void zugTimerAbgelaufen();
    int materialVorteil() const;

    void speichereOderLade();
    bool ladePartie(int modus);
    QStringList partieInfo() const;

    QString text(int id, const char *deutsch) const;

    Controller &controller;
    Ablaufdienste &dienste;
    bool mitAnimation = true;
    int zugPauseMs = 1000;
    Spieler weissAnfang = Mensch;
    Spieler schwarzAnfang = Computer;

    // The flow state.
    bool amZugFlag = false;
    int weiss = Mensch;
    int schwarz = Computer;
    bool weissUntenFlag = true;
    bool spielEndeFlag = false;
    bool ungespeichertFlag = false;
    bool geladenFlag = false;
    bool ausFenFlag = false;
    bool animationLaeuftFlag = false;
    bool aufgabeGefragt = false;
    // The index of the last move when the human gave up; -1 while the game goes on.
    int aufgegebenBei = -1;
    bool imSchachFlag = false;
    Zug vorschlagZug{};
    bool vorschlagAngezeigt = false;
    int32_t brett[BRETT_ZELLEN] = {};
    QPair<int, int> letzteMarken{0, 0};
    // Every game start counts up, so a job knows which game it was computed for.
    quint64 partieNummer = 0;
    std::optional<JobAuftrag> laufenderJob;
    // When the running job started, on the services' clock.
    qint64 jobBeginn = 0;
    // A result that arrived while a dialog was open.
    std::optional<QPair<JobAuftrag, JobErgebnis>> gehalten;
    QList<QPair<Befehl, QString>> wartend;
    int dialogTiefe = 0;
    int schrittTiefe = 0;
    bool arbeitetAb = false;
    bool beendet = false;
    // The position at which the computer's move was refused, so it is not tried again and again.
    int verweigertBei = -1;
    int verweigert = 0;
    Berechnet berechnet;
    QRandomGenerator zufall;
    // The computer's first moves as White from the standard position, cycled over the games.
    QList<QPair<int, int>> eroeffnungen;
    int eroeffnungsIndex = 0;

    // What the front end shows besides the board.
    QStringList zeilen;
    QStringList geladeneInfo;
    QString meldungText;
    QString status[4];
    QString uhr[2];
    QString fensterTitel;
};

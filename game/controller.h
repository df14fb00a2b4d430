#pragma once

#include "core/fen.h"
#include "core/rochaderechte.h"
#include "core/zug.h"
#include "pgn/pgn.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>

class Languages;
class history;
class stellung;

// The game being played: its position, the legal moves of the side to move, the clocks and the
// history. It carries out every move, human, computer or loaded, and knows no widget.
class Controller : public QObject
{
    Q_OBJECT

public:
    explicit Controller(QObject *parent = nullptr);

    // "Brakmor 1.26", with the name of a loaded game appended on request.
    QString titel(bool mitPartieTitel) const;
    // Fills the history with the start entry of a new game from the custom start FEN, or from the
    // standard position when there is none.
    void starteSpiel(int listenZeile);
    // Puts the board on the history entry at `currentIndex`.
    void ladeHistoryStellung(Zug &zug, int &listenZeile, QString &zugText);
    int historyIndexForRow(int listenZeile) const;

    bool legaleZuegeErmitteln(bool schwarz);
    // The targets of the legal moves from the square, then the square itself; empty without any.
    QList<int> zielFelder(int von) const;
    bool istLegalerZug(int von, int nach) const;
    // Whether the move of the piece on `von` to `nach` is a pawn reaching the last rank.
    bool istWandlung(int von, int nach) const;

    // Executes one move of the game; see the definition for the steps. On refusal `meldung`
    // says why and nothing else changes.
    bool bewegeFigur(Zug &zug, int32_t wandlungsFigur, int listenZeile, QString &meldung,
                     QString &zugText, bool &spielEnde);
    // Whether the move just made on the board ends the game drawn; sets `remisDroht`.
    bool pruefeRemis(int32_t bewegteFigur, int32_t geschlagen);
    // The piece's name in the current language, by absolute code; empty for anything else.
    QString figurName(int32_t code) const;

    // Takes over the position of a FEN from outside when a game can be played from it (see
    // pruefeFen): 0, otherwise the reader's result or FEN_UNSPIELBAR, `meldung` says why and
    // nothing changed.
    int stellungAusFen(const QString &text, QString *meldung = nullptr);
    QString aktuelleFen(bool schwarz) const;

    // The clocks read the time from here (milliseconds that never run backwards).
    void setzeZeitquelle(std::function<qint64()> quelle) { zeitquelle = std::move(quelle); }
    void uhrStarten();
    // Charges the running time to the side to move, as the clock stops while the game is reviewed.
    void uhrAnhalten();
    // The side's thinking time as "hh:mm:ss", running for the side to move; false while the
    // clocks stand (before the first move and in review).
    bool uhrText(bool schwarz, QString &text) const;
    void fehlerMeldung(const QString &text) const;

    // What the window reads to show and drive the game.
    history *verlauf() const { return historie; }
    const int32_t *brett() const { return spielBrett; }
    bool schwarzAmZug() const { return amZug; }
    uint32_t rochaderechte() const { return rechte.alsWort(); }
    Zug letzterZug() const { return letzter; }
    // Zero-terminated, as filled by legaleZuegeErmitteln.
    const Zug *legaleZuege() const { return legal; }
    QString eigeneStartFen() const { return startFenDerPartie; }
    // A FEN to start the next game from (empty, or a text no game can start from: the standard
    // position). It is kept as written back from the position read, for the history and the
    // PGN tag: words after it, odd spellings and rights or squares that do not fit are gone.
    void setzeEigeneStartFen(const QString &fen);
    QString partieTitel() const { return titelDerPartie; }
    void setzePartieTitel(const QString &titel) { titelDerPartie = titel; }
    qint64 zeitWeiss() const { return zeit[0]; }
    qint64 zeitSchwarz() const { return zeit[1]; }

    // The tags of the game in progress, and the tags and moves of the game read last.
    Pgn &pgn() { return pgnPartie; }
    const Pgn &geladenePartie() const { return pgnGeladen; }
    const QList<Zug> &geladeneZuege() const { return zuegeGeladen; }

    // Appends the game to "Brakmor.pgn" after the save dialog: Gespeichert, SpeichernAbgebrochen
    // (cancelled or failed) or LadenStattSpeichern. `meldung` is the text for the move list.
    int partieSpeichern(QString &meldung);
    // Replaces "BKAuto.pgn" with the game. On failure the error box says why and the old file
    // stays as it was; returns false.
    bool autoSpeichern();
    // Removes "BKAuto.pgn": a session that leaves no game to return must not bring back an older
    // one at the next start.
    void autoLoeschen();
    // The first argument that names a PGN file (".pgn" in any case), made absolute: it is kept
    // for later starts, which may begin in another folder.
    static QString startDateiAus(const QStringList &argumente);
    // Reads the PGN file that `modus` and the settings select (2: the start file).
    bool pgnDateiLesen(int modus, QString &text, QString &dateiname);
    // Loads the first game of "BKAuto.pgn".
    bool autoLaden();
    // Reads the collection (or the start file) and runs the load dialog until a game is loaded
    // or the dialog is cancelled.
    bool partieLaden(int modus, bool ungespeichert, QString &meldung);
    // Takes `partie` as the loaded game and reads its moves; on success its tags become the
    // game's. Returns the reader's error text.
    QString uebernimmPartie(const Pgn &partie);

private:
    void uebernimmFen(const QString &text);
    void uebernimmStellung(const fenStellung &fen, bool schwarz);
    void ladeSuche(stellung &s, int32_t wandlungsFigur) const;
    void schreibeNotation(const Zug &zug, int32_t figurAufZiel, int32_t geschlagen,
                          int listenZeile);
    void baueStandzeiten(bool schwarzAmZug);
    void berechneMaterialBilanz();
    QString text(int id, const char *deutsch) const;

    history *historie;
    // The shared table may be owned by another object that dies first; then the next one is asked.
    QPointer<Languages> uebersetzer;
    Pgn pgnPartie;
    Pgn pgnGeladen;
    QList<Zug> zuegeGeladen;
    QString titelDerPartie;
    QString startFenDerPartie;
    bool amZug = false;
    int32_t spielBrett[BRETT_ZELLEN];
    Zug legal[MAX_ZUEGE];
    Rochaderechte rechte{};
    Zug letzter{};
    int32_t halbzugZaehler = 0;
    int32_t zugnummer = 1;
    std::function<qint64()> zeitquelle;
    qint64 uhrMarke = 0;
    // Accumulated thinking time in ms, White first.
    qint64 zeit[2] = {0, 0};
};

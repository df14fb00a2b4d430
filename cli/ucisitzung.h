#pragma once

#include "cli/standbote.h"
#include "core/zug.h"
#include "engine/berechnezug.h"

#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <optional>

class Spielablauf;

// One UCI conversation: takes the GUI's lines one at a time and answers through `senden`. The
// game flow sets up the positions and computes the engine's move on its worker thread, so "stop",
// "isready" and "quit" are answered while it thinks; every "go" gets exactly one "bestmove", in
// the time the GUI's clock allows, after an "info" line for each search pass. Lives on a thread
// with an event loop.
class UciSitzung
{
public:
    // `ende` is called once the session is over ("quit", or the end of the input after the
    // last search has reported). "setoption name Level" chooses at most `hoechstStufe`.
    UciSitzung(Spielablauf &ablauf, std::function<void(const QString &)> senden,
               std::function<void()> ende, int hoechstStufe = 5);

    void befehl(const QString &zeile);
    // The input has ended: the running search finishes and reports its move, then the session
    // ends.
    void eingabeEnde();

private:
    void arbeiteAb();
    void fuehreAus(const QStringList &teile);
    void uci();
    void setzeOption(const QStringList &teile);
    void position(const QStringList &teile);
    void stelleAuf(const QString &fen, const QStringList &zuege);
    void go(const QStringList &teile);
    void stop();
    void gefunden(const Zug &zug, const JobErgebnis &ergebnis);
    void melde(const Zug &zug, const JobErgebnis &ergebnis);
    void zeigeStand(const Suchstand &stand);
    void ignoriert(const QString &was);
    void beende();

    Spielablauf &ablauf;
    std::function<void(const QString &)> senden;
    std::function<void()> ende;
    int hoechstStufe;
    // A "go" is under way: searching, or (infinite) holding its move until "stop".
    bool sucht = false;
    bool unendlich = false;
    bool gestoppt = false;
    bool quitNachSuche = false;
    bool eingabeZuEnde = false;
    bool beendet = false;
    std::optional<QPair<Zug, JobErgebnis>> gehalten;
    QStringList zurueckgestellt;
    // The FEN and the moves the game now stands at.
    QPair<QString, QStringList> aufgestellt;
    // Stops the search when the time the GUI gave it is used up. The GUI's clock runs from the
    // position before "go"; a stopped search still takes a while to answer, which the session
    // learns from its answers and keeps back from the next search's time.
    QTimer zeitgrenze;
    QElapsedTimer seitPosition;
    QElapsedTimer seitGo;
    qint64 budget = -1;
    qint64 nachlauf = 0;
    Standbote bote;
};

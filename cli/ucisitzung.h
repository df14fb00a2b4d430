#pragma once

#include "core/zug.h"
#include "engine/berechnezug.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class Spielablauf;

// One UCI conversation: takes the GUI's lines one at a time and answers through `senden`. The
// game flow sets up the positions and computes the engine's move on its worker thread, so "stop",
// "isready" and "quit" are answered while it thinks; every "go" gets exactly one "bestmove".
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
};

#pragma once

#include "engine/berechnezug.h"

#include <QFutureWatcher>
#include <QString>
#include <QStringList>

#include <functional>

class Controller;

// One UCI conversation: takes the GUI's lines one at a time and answers through `senden`. The
// engine job runs on the thread pool, so "stop", "isready" and "quit" are answered while it
// thinks; the job's end arrives through the event loop of the calling thread.
class UciSitzung
{
public:
    // `ende` is called once the session is over ("quit", or the end of the input after the
    // last search has reported). "setoption name Level" chooses at most `hoechstStufe`.
    UciSitzung(Controller &controller, std::function<void(const QString &)> senden,
               std::function<void()> ende, int hoechstStufe = 5);
    ~UciSitzung();

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
    void jobFertig();
    void melde(const JobErgebnis &ergebnis);
    void beende();

    Controller &controller;
    std::function<void(const QString &)> senden;
    std::function<void()> ende;
    int hoechstStufe;
    QFutureWatcher<JobErgebnis> beobachter;
    bool laeuft = false;
    bool unendlich = false;
    bool gestoppt = false;
    bool wartet = false;
    bool endeNachJob = false;
    bool beendet = false;
    JobErgebnis gehalten;
    QStringList zurueckgestellt;
};

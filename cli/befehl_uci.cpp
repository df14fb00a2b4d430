#include "cli/befehle.h"

#include "app/einstellungen.h"
#include "app/programm.h"
#include "cli/spielaufbau.h"
#include "core/fen.h"
#include "engine/abbrechen.h"
#include "engine/berechnezug.h"
#include "game/controller.h"

#include <QCoreApplication>
#include <QFutureWatcher>
#include <QTextStream>
#include <QtConcurrent>

#include <iostream>
#include <string>
#include <thread>

namespace {

// One UCI conversation. Commands arrive on the main thread; the engine job runs on the thread
// pool, so "stop", "isready" and "quit" are answered while it thinks.
class UciSitzung
{
public:
    explicit UciSitzung(Controller &controller)
        : controller(controller)
    {
        QObject::connect(&beobachter, &QFutureWatcher<JobErgebnis>::finished,
                         [this] { jobFertig(); });
    }

    void befehl(const QString &zeile)
    {
        const QString wort = erstesWort(zeile);
        if (wort == QLatin1String("isready"))
            sende(QStringLiteral("readyok"));
        else if (wort == QLatin1String("quit"))
            beende();
        else if (!wort.isEmpty())
            zurueckgestellt << zeile;
        arbeiteAb();
    }

    // The input has ended: the running search finishes and reports its move, then the session
    // ends.
    void eingabeEnde()
    {
        endeNachJob = true;
        if (!laeuft)
            beende();
    }

private:
    static QString erstesWort(const QString &zeile)
    {
        return zeile.simplified().section(QLatin1Char(' '), 0, 0);
    }

    // While the engine thinks only "stop" is acted on; the rest waits for its move, as a GUI
    // sends the next position right after "stop".
    void arbeiteAb()
    {
        while (!zurueckgestellt.isEmpty()) {
            if (laeuft && erstesWort(zurueckgestellt.first()) != QLatin1String("stop"))
                return;
            fuehreAus(zurueckgestellt.takeFirst().simplified().split(QLatin1Char(' ')));
        }
    }

    void fuehreAus(const QStringList &teile)
    {
        const QString &wort = teile.first();
        if (wort == QLatin1String("uci"))
            uci();
        else if (wort == QLatin1String("setoption"))
            setzeOption(teile);
        else if (wort == QLatin1String("ucinewgame"))
            stelleAuf(QString::fromLatin1(startFen), {});
        else if (wort == QLatin1String("position"))
            position(teile);
        else if (wort == QLatin1String("go"))
            go(teile);
        else if (wort == QLatin1String("stop"))
            stop();
    }

    void sende(const QString &text)
    {
        aus << text << '\n';
        aus.flush();
    }

    void uci()
    {
        sende(QStringLiteral("id name ") + QLatin1String(PROGRAMM_NAME));
        sende(QStringLiteral("id author ") + QLatin1String(HERSTELLER_NAME));
        sende(QStringLiteral("option name Level type spin default 5 min 1 max 5"));
        sende(QStringLiteral("option name Zufall type spin default 30 min 0 max 100"));
        sende(QStringLiteral("option name Startphase type spin default 7 min 0 max 12"));
        sende(QStringLiteral("uciok"));
    }

    // "setoption name NAME value X"; unknown names and values out of range are ignored.
    void setzeOption(const QStringList &teile)
    {
        const int name = teile.indexOf(QStringLiteral("name"));
        const int wert = teile.indexOf(QStringLiteral("value"));
        if (name != 1 || wert != 3 || teile.size() != 5)
            return;
        bool ok = false;
        const int zahl = teile[4].toInt(&ok);
        const QString option = teile[2].toLower();
        if (!ok)
            return;
        if (option == QLatin1String("level") && zahl >= 1 && zahl <= 5)
            einstellungen.schwierigkeit = zahl;
        else if (option == QLatin1String("zufall") && zahl >= 0 && zahl <= 100)
            einstellungen.zufall = zahl;
        else if (option == QLatin1String("startphase") && zahl >= 0 && zahl <= 12)
            einstellungen.startEnde = zahl;
    }

    // "position startpos|fen FEN [moves MOVE...]"
    void position(const QStringList &teile)
    {
        const int zuege = teile.indexOf(QStringLiteral("moves"));
        const int ende = zuege < 0 ? teile.size() : zuege;
        QString fen;
        if (teile.value(1) == QLatin1String("startpos") && ende == 2)
            fen = QString::fromLatin1(startFen);
        else if (teile.value(1) == QLatin1String("fen") && ende > 2)
            fen = teile.mid(2, ende - 2).join(QLatin1Char(' '));
        else
            return;
        stelleAuf(fen, zuege < 0 ? QStringList() : teile.mid(zuege + 1));
    }

    // A FEN the reader refuses leaves the position as it was; a refused move ends the list there.
    void stelleAuf(const QString &fen, const QStringList &zuege)
    {
        fenStellung probe;
        bool schwarz;
        if (probe.leseFen(fen, schwarz) != 0) {
            sende(QStringLiteral("info string invalid FEN ignored"));
            return;
        }
        QString fehler;
        if (!spieleAuf(controller, fen, zuege, fehler))
            sende(QStringLiteral("info string ") + fehler + QStringLiteral(", ignored from there"));
    }

    // Time controls are accepted and ignored: the level decides how deep the engine searches.
    void go(const QStringList &teile)
    {
        if (wartet)
            stop();
        unendlich = teile.contains(QStringLiteral("infinite"));
        gestoppt = false;
        laeuft = true;
        abbrechen = false;
        beobachter.setFuture(QtConcurrent::run(fuehreJobAus, controller.schwarzAmZug(), false,
                                               jobDaten(controller), erfasseJobKontext()));
    }

    void stop()
    {
        if (laeuft) {
            gestoppt = true;
            abbrechen = true;
        } else if (wartet) {
            wartet = false;
            melde(gehalten);
        }
    }

    // An infinite search keeps its move until the GUI asks for it.
    void jobFertig()
    {
        laeuft = false;
        abbrechen = false;
        const JobErgebnis ergebnis = beobachter.result();
        if (unendlich && !gestoppt && !endeNachJob) {
            gehalten = ergebnis;
            wartet = true;
        } else {
            melde(ergebnis);
        }
        arbeiteAb();
        if (endeNachJob && !laeuft)
            beende();
    }

    void melde(const JobErgebnis &ergebnis)
    {
        QString info = QStringLiteral("info depth %1 time %2 nodes %3")
                           .arg(ergebnis.tiefe)
                           .arg(ergebnis.ms)
                           .arg(ergebnis.sucheAufrufe);
        if (ergebnis.zug.von == 0) {
            sende(info);
            sende(QStringLiteral("bestmove 0000"));
            return;
        }
        const QString zug = koordinatenText(ergebnis.zug);
        sende(info + QStringLiteral(" score cp %1 pv ").arg(ergebnis.zug.wert) + zug);
        sende(QStringLiteral("bestmove ") + zug);
    }

    void beende()
    {
        if (wartet && endeNachJob)
            stop();
        if (laeuft) {
            abbrechen = true;
            beobachter.waitForFinished();
            abbrechen = false;
        }
        QCoreApplication::quit();
    }

    Controller &controller;
    QTextStream aus{stdout};
    QFutureWatcher<JobErgebnis> beobachter;
    bool laeuft = false;
    bool unendlich = false;
    bool gestoppt = false;
    bool wartet = false;
    JobErgebnis gehalten;
    QStringList zurueckgestellt;
    bool endeNachJob = false;
};

bool istQuit(const QString &zeile)
{
    return zeile.simplified() == QLatin1String("quit");
}

} // namespace

// The engine for chess GUIs. Standard input is read on a thread of its own and each line handed
// to the main thread; at the end of the input the running search still reports its move.
int befehlUci(const QStringList &argumente)
{
    if (!argumente.isEmpty())
        return nutzung();
    Controller controller;
    behalteEinstellungen();
    einstellungen.schwierigkeit = 5;
    einstellungen.zufall = 30;
    einstellungen.startEnde = 7;
    einstellungen.htmlWertetabelle = false;
    QString fehler;
    spieleAuf(controller, QString::fromLatin1(startFen), {}, fehler);

    UciSitzung sitzung(controller);
    QCoreApplication *app = QCoreApplication::instance();
    std::thread leser([&sitzung, app] {
        std::string zeile;
        while (std::getline(std::cin, zeile)) {
            const QString text = QString::fromStdString(zeile);
            QMetaObject::invokeMethod(
                app, [&sitzung, text] { sitzung.befehl(text); }, Qt::QueuedConnection);
            if (istQuit(text))
                return;
        }
        QMetaObject::invokeMethod(
            app, [&sitzung] { sitzung.eingabeEnde(); }, Qt::QueuedConnection);
    });
    const int ergebnis = QCoreApplication::exec();
    leser.join();
    return ergebnis;
}

#include "cli/befehle.h"

#include "cli/ucisitzung.h"
#include "game/ablaufdienste.h"
#include "game/controller.h"
#include "game/spielablauf.h"

#include <QCoreApplication>
#include <QTextStream>

#include <deque>
#include <iostream>
#include <mutex>
#include <string>
#include <thread>

namespace {

// Lines read on the reader thread wait here for the main thread. The queue has a mutex of its
// own, so the hand-over is plain to see for ThreadSanitizer; Qt only delivers the wake-up.
class Eingang : public QObject
{
    Q_OBJECT

public:
    explicit Eingang(UciSitzung &sitzung)
        : sitzung(sitzung)
    {}

    // Called on the reader thread.
    void zeile(const QString &text) { stelleEin(text, false); }
    void ende() { stelleEin(QString(), true); }

    Q_INVOKABLE void arbeiteAb()
    {
        std::deque<std::pair<QString, bool>> neu;
        {
            const std::lock_guard<std::mutex> sperre(mutex);
            neu.swap(wartend);
        }
        for (const auto &[text, istEnde] : neu) {
            if (istEnde)
                sitzung.eingabeEnde();
            else
                sitzung.befehl(text);
        }
    }

private:
    void stelleEin(const QString &text, bool istEnde)
    {
        {
            const std::lock_guard<std::mutex> sperre(mutex);
            wartend.emplace_back(text, istEnde);
        }
        QMetaObject::invokeMethod(this, "arbeiteAb", Qt::QueuedConnection);
    }

    UciSitzung &sitzung;
    std::mutex mutex;
    std::deque<std::pair<QString, bool>> wartend;
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
    EchteAblaufdienste dienste;
    Spielablauf ablauf(controller, dienste);

    QTextStream aus(stdout);
    UciSitzung sitzung(
        ablauf,
        [&aus](const QString &zeile) {
            aus << zeile << '\n';
            aus.flush();
        },
        [] { QCoreApplication::quit(); });
    Eingang eingang(sitzung);
    std::thread leser([&eingang] {
        std::string zeile;
        while (std::getline(std::cin, zeile)) {
            const QString text = QString::fromStdString(zeile);
            eingang.zeile(text);
            if (istQuit(text))
                return;
        }
        eingang.ende();
    });
    const int ergebnis = QCoreApplication::exec();
    leser.join();
    return ergebnis;
}

#include "befehl_uci.moc"

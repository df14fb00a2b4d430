#include "cli/befehle.h"

#include "app/einstellungen.h"
#include "cli/spielaufbau.h"
#include "cli/ucisitzung.h"
#include "core/fen.h"
#include "game/controller.h"

#include <QCoreApplication>
#include <QTextStream>

#include <iostream>
#include <string>
#include <thread>

namespace {

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

    QTextStream aus(stdout);
    UciSitzung sitzung(
        controller,
        [&aus](const QString &zeile) {
            aus << zeile << '\n';
            aus.flush();
        },
        [] { QCoreApplication::quit(); });
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

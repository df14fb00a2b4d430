// Prints how fast PGN files are split into games and their moves read: pgn_bench FILE...
#include "pgn/pgn.h"
#include "pgn/pgndatei.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

#include <algorithm>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream aus(stdout);
    const QStringList dateien = app.arguments().mid(1);
    if (dateien.isEmpty()) {
        QTextStream(stderr) << "usage: pgn_bench FILE...\n";
        return 2;
    }
    const Pgn leser;
    for (const QString &datei : dateien) {
        QByteArray daten;
        QString fehler;
        if (!lesePgnDatei(datei, daten, fehler)) {
            QTextStream(stderr) << datei << ": " << fehler << '\n';
            return 1;
        }
        // Many rounds, so that small files give a measurable time.
        const int runden = std::max(1, int(20000000 / std::max(daten.size(), 1)));
        QList<Pgn> liste;
        QElapsedTimer uhr;
        uhr.start();
        for (int runde = 0; runde < runden; ++runde) {
            liste.clear();
            Pgn::partienLesen(pgnDekodieren(daten), liste);
        }
        const double teilen = std::max<qint64>(uhr.nsecsElapsed(), 1) / 1e9 / runden;

        int zuege = 0;
        uhr.restart();
        for (int runde = 0; runde < runden; ++runde) {
            zuege = 0;
            for (const Pgn &partie : qAsConst(liste)) {
                QList<Zug> gelesen;
                leser.ZuglisteAusPgn(partie, gelesen);
                zuege += gelesen.size();
            }
        }
        const double lesen = std::max<qint64>(uhr.nsecsElapsed(), 1) / 1e9 / runden;
        aus << datei << ": " << daten.size() << " bytes, " << liste.size() << " games, " << zuege
            << " moves\n  split into games: " << qint64(teilen * 1e6) << " us, "
            << qint64(daten.size() / teilen / 1e6) << " MB/s\n  moves read: " << qint64(lesen * 1e6)
            << " us, " << qint64(zuege / lesen) << " moves/s\n";
    }
    return 0;
}

#include "cli/befehle.h"

#include "core/fen.h"
#include "core/perft.h"
#include "core/stellung.h"
#include "game/fenpruefung.h"

#include <QTextStream>

#include <memory>

int befehlPerft(const QStringList &argumente)
{
    bool ok = false;
    const int tiefe = argumente.value(0).toInt(&ok);
    if (!ok || tiefe < 1)
        return nutzung();
    // A FEN given without quotes arrives as several arguments.
    const QString text = argumente.size() > 1 ? argumente.mid(1).join(QLatin1Char(' '))
                                              : QString::fromLatin1(startFen);
    fenStellung fen;
    bool schwarzAmZug;
    QString grund;
    if (pruefeFen(text, fen, schwarzAmZug, grund) != 0) {
        QTextStream(stderr) << "brakmor-cli: " << grund << '\n';
        return nutzung();
    }

    auto s = std::make_unique<stellung>();
    ladePosition(*s, fen);
    QTextStream aus(stdout);
    quint64 summe = 0;
    for (const PerftZeile &zeile : perftJeZug(*s, schwarzAmZug, tiefe)) {
        aus << zeile.zug << ": " << zeile.knoten << '\n';
        summe += zeile.knoten;
    }
    aus << "\nNodes searched: " << summe << '\n';
    return 0;
}

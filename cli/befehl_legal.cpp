#include "cli/befehle.h"
#include "cli/spielaufbau.h"

#include "core/felder.h"
#include "core/fen.h"
#include "game/controller.h"

#include <QTextStream>

int befehlLegal(const QStringList &argumente)
{
    // A FEN given without quotes arrives as several arguments.
    const QString text =
        argumente.isEmpty() ? QString::fromLatin1(startFen) : argumente.join(QLatin1Char(' '));
    Controller controller;
    QString grund;
    const int ergebnis = controller.stellungAusFen(text, &grund);
    if (ergebnis != 0) {
        QTextStream(stderr) << "brakmor-cli: not a valid FEN (result " << ergebnis << "): " << grund
                            << '\n';
        return nutzung();
    }
    controller.legaleZuegeErmitteln(controller.schwarzAmZug());
    QTextStream aus(stdout);
    for (const Zug *z = controller.legaleZuege(); z->von != 0; ++z) {
        // The list holds a promotion once, searched as a queen.
        aus << koordinatenZug(z->von, z->nach, (z->flags & ZUG_WANDLUNG) ? DAME : 0) << ' '
            << flagText(z->flags) << '\n';
    }
    return 0;
}

#include "cli/befehle.h"
#include "cli/spielaufbau.h"

#include "app/languages.h"
#include "game/controller.h"
#include "game/history.h"
#include "game/wiedergabe.h"
#include "pgn/pgn.h"
#include "pgn/pgndatei.h"

#include <QTextStream>

namespace {

QString eineZeile(QString text)
{
    return text.replace(QLatin1Char('\n'), QLatin1Char(' '));
}

} // namespace

// Replays every game of a PGN file through the controller as the load command does. A game
// whose movetext has an unreadable move counts as failed but is replayed up to it, so that
// --out writes every game of the file again.
int befehlPgn(const QStringList &argumente)
{
    QString datei;
    QString ausgabe;
    for (int i = 0; i < argumente.size(); ++i) {
        if (argumente[i] == QLatin1String("--out") && i + 1 < argumente.size())
            ausgabe = argumente[++i];
        else if (datei.isEmpty() && !argumente[i].startsWith(QLatin1String("--")))
            datei = argumente[i];
        else
            return nutzung();
    }
    if (datei.isEmpty())
        return nutzung();

    QTextStream fehlerAus(stderr);
    QByteArray daten;
    QString grund;
    if (!lesePgnDatei(datei, daten, grund)) {
        fehlerAus << "brakmor-cli: " << datei << ": " << grund << '\n';
        return 1;
    }
    QList<Pgn> partien;
    if (!Pgn::partienLesen(pgnDekodieren(daten), partien)) {
        fehlerAus << "brakmor-cli: " << datei << ": no PGN tag found\n";
        return 1;
    }

    Controller controller;
    Languages::instance()->leere();
    QTextStream aus(stdout);
    int erfolgreich = 0;
    QString geschrieben;
    for (int n = 1; n <= partien.size(); ++n) {
        QString meldung = controller.uebernimmPartie(partien[n - 1]);
        controller.pgn() = controller.geladenePartie();
        int zeilen = 0;
        const Wiedergabe wiedergabe =
            spieleGeladenePartie(controller, 0, [&zeilen](const QString &) { return ++zeilen; });
        if (meldung.isEmpty())
            meldung = wiedergabe.meldung;

        if (meldung.isEmpty()) {
            ++erfolgreich;
            aus << "game " << n << ": ok " << wiedergabe.halbzuege << ' '
                << controller.aktuelleFen(controller.schwarzAmZug()) << '\n';
        } else {
            aus << "game " << n << ": error " << eineZeile(meldung) << '\n';
        }
        geschrieben +=
            controller.pgn().erzeugeText(controller.verlauf()->entries()) + QLatin1Char('\n');
    }
    aus << "games: " << partien.size() << " ok: " << erfolgreich
        << " failed: " << partien.size() - erfolgreich << '\n';
    if (!ausgabe.isEmpty() &&
        ersetzeDatei(ausgabe, geschrieben.toUtf8(), grund) != Schreibfehler::Keiner) {
        aus.flush();
        fehlerAus << "brakmor-cli: " << ausgabe << ": " << grund << '\n';
        return 1;
    }
    return erfolgreich == partien.size() ? 0 : 1;
}

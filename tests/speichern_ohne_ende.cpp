// Saves one game over and over through the program's own code, the auto-save file and the game
// collection in turn, until it is killed; tst_schreibabbruch kills it at random moments. Before
// the first save it writes the two versions of the game it saves, "auto_a" and "auto_b", and prints
// "bereit". The auto-save file holds one of them at any time, the collection copies of "auto_b".

#include "app/einstellungen.h"
#include "app/rueckfragen.h"
#include "game/controller.h"
#include "game/history.h"
#include "game/wiedergabe.h"
#include "pgn/pgn.h"

#include <QCoreApplication>
#include <QFile>
#include <QStandardPaths>
#include <QTextStream>

namespace {

// The save dialog says yes; errors end the run, as they would spoil the test.
class Zustimmung : public Rueckfragen
{
public:
    void kritisch(const QString &titel, const QString &text) override
    {
        qFatal("%s: %s", qPrintable(titel), qPrintable(text));
    }
    bool frage(const QString &, const QString &) override { return true; }
    int speichernDialog(Pgn &) override { return 1; }
};

const char PARTIE[] = "[Event \"A\"]\n[Date \"2024.05.01\"]\n[White \"Anna\"]\n\n"
                      "1. d4 Nf6 2. c4 e6 3. Nc3 Bb4 4. Qc2 O-O 5. a3 Bxc3+ 6. Qxc3 b6 7. Bg5 "
                      "Bb7 8. f3 h6 9. Bh4 d5 10. e3 Nbd7 11. cxd5 Nxd5 12. Bxd8 Nxc3 13. Bh4 "
                      "Nd5 14. Kf2 c5 15. Bb5 Rfd8 *\n";

void schreibe(const QString &name, const QByteArray &inhalt)
{
    QFile datei(appVerzeichnis + name);
    if (!datei.open(QIODevice::WriteOnly) || datei.write(inhalt) != inhalt.size())
        qFatal("cannot write %s", qPrintable(name));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    Zustimmung zustimmung;
    setzeRueckfragen(&zustimmung);
    Controller controller;

    QList<Pgn> partien;
    Pgn::partienLesen(QString::fromLatin1(PARTIE), partien);
    if (!controller.uebernimmPartie(partien.value(0)).isEmpty())
        qFatal("test game not readable");
    int zeile = 0;
    if (spieleGeladenePartie(controller, 0, [&zeile](const QString &) {
            return ++zeile;
        }).halbzuege != 30)
        qFatal("test game not replayed");

    // The marker the first auto-save adds to the tags is set before the versions are taken.
    controller.pgn().site = QStringLiteral("BKAuto.pgn");
    for (const char *version : {"A", "B"}) {
        controller.pgn().event = QLatin1String(version);
        schreibe(QLatin1String("auto_") + QString::fromLatin1(version).toLower(),
                 (controller.pgn().erzeugeText(controller.verlauf()->entries()) + '\n').toUtf8());
    }
    QTextStream(stdout) << "bereit" << Qt::endl;

    for (bool b = false;; b = !b) {
        controller.pgn().event = QLatin1String(b ? "B" : "A");
        controller.autoSpeichern();
        controller.pgn().event = QStringLiteral("B");
        QString meldung;
        controller.partieSpeichern(meldung);
    }
}

// The UCI loop of brakmor-cli on any input lines, fed in one process as a GUI would send them.
// The level is held at 1, so no input can make the engine think for long.

#include "cli/ucisitzung.h"
#include "fuzzhilfe.h"
#include "game/ablaufdienste.h"
#include "game/controller.h"
#include "game/spielablauf.h"

#include <QEventLoop>
#include <QRegularExpression>

namespace {

// Every search costs a few milliseconds at level 1; a run of them only slows the fuzzer down.
constexpr int MAX_SUCHEN = 16;

bool istSuche(const QString &zeile)
{
    return zeile.simplified().startsWith(QLatin1String("go"));
}

void pruefeAntwort(const QString &zeile)
{
    static const QRegularExpression zug(QStringLiteral("^bestmove ([a-h][1-8][a-h][1-8]q?|0000)$"));
    if (zeile.startsWith(QLatin1String("bestmove")) && !zug.match(zeile).hasMatch())
        qFatal("malformed answer: %s", qPrintable(zeile));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *daten, size_t groesse)
{
    static Controller controller;
    static EchteAblaufdienste dienste;
    static Spielablauf ablauf(controller, dienste);

    QEventLoop schleife;
    bool beendet = false;
    UciSitzung sitzung(
        ablauf, pruefeAntwort,
        [&] {
            beendet = true;
            schleife.quit();
        },
        1);
    int suchen = 0;
    const QStringList zeilen = QString::fromUtf8(alsBytes(daten, groesse)).split(QLatin1Char('\n'));
    for (const QString &zeile : zeilen) {
        if (istSuche(zeile) && ++suchen > MAX_SUCHEN)
            break;
        sitzung.befehl(zeile);
        QCoreApplication::processEvents();
    }
    sitzung.eingabeEnde();
    if (!beendet)
        schleife.exec();
    return 0;
}

// PGN text from any file: split into games, each game's moves read and replayed through the
// controller as the load command does. A replayed game, written out by the program, must read and
// replay back to the same position.

#include "app/languages.h"
#include "fuzzhilfe.h"
#include "game/controller.h"
#include "game/history.h"
#include "game/wiedergabe.h"
#include "pgn/pgn.h"
#include "pgn/pgndatei.h"

namespace {

// More games add nothing the first few do not test, only time.
constexpr int MAX_PARTIEN = 8;

Wiedergabe spiele(Controller &controller, const Pgn &partie)
{
    controller.uebernimmPartie(partie);
    int zeile = 0;
    return spieleGeladenePartie(controller, 0, [&zeile](const QString &) { return ++zeile; });
}

// Only the start position and the moves matter here: the tags the file brought are not written.
void pruefeRundweg(const Controller &original, int halbzuege, Controller &zweiter)
{
    Pgn kopf;
    kopf.fen = original.eigeneStartFen();
    kopf.ergebnis = QStringLiteral("*");
    const QString text = kopf.erzeugeText(original.verlauf()->entries());
    const QString endstellung = original.aktuelleFen(original.schwarzAmZug());

    QList<Pgn> partien;
    if (!Pgn::partienLesen(text, partien) || partien.size() != 1)
        qFatal("written game not found again:\n%s", qPrintable(text));
    QList<Zug> zuege;
    const QString fehler = kopf.ZuglisteAusPgn(partien.first(), zuege);
    if (!fehler.isEmpty() || zuege.size() != halbzuege)
        qFatal("written moves not read back (%s):\n%s", qPrintable(fehler), qPrintable(text));
    const Wiedergabe wieder = spiele(zweiter, partien.first());
    if (wieder.halbzuege != halbzuege || zweiter.aktuelleFen(zweiter.schwarzAmZug()) != endstellung)
        qFatal("written game replays to another position (%d of %d half-moves, %s):\n%s",
               wieder.halbzuege, halbzuege, qPrintable(wieder.meldung), qPrintable(text));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *daten, size_t groesse)
{
    static Controller controller;
    static Controller zweiter;
    QList<Pgn> partien;
    Pgn::partienLesen(pgnDekodieren(alsBytes(daten, groesse)), partien);
    for (const Pgn &partie : partien.mid(0, MAX_PARTIEN)) {
        const Wiedergabe wiedergabe = spiele(controller, partie);
        if (wiedergabe.halbzuege > 0)
            pruefeRundweg(controller, wiedergabe.halbzuege, zweiter);
    }
    return 0;
}

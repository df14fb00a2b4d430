#include "cli/befehle.h"

#include "core/fen.h"
#include "game/fenpruefung.h"

#include <QTextStream>

// Reads a position and writes it back; one that cannot be played is written too, then the reason.
int befehlFen(const QStringList &argumente)
{
    if (argumente.isEmpty())
        return nutzung();
    fenStellung fen;
    bool schwarzAmZug;
    QString grund;
    const int ergebnis = pruefeFen(argumente.join(QLatin1Char(' ')), fen, schwarzAmZug, grund);
    QTextStream aus(stdout);
    aus << "result: " << ergebnis << '\n';
    if (ergebnis != FEN_UNSPIELBAR && ergebnis != 0)
        return 1;

    int32_t brett[BRETT_ZELLEN];
    fen.holeBrett(brett);
    const Zug z = fen.holeLetztenZug();
    aus << "fen: "
        << fenStellung::schreibeFen(brett, schwarzAmZug, fen.holeRochaderechte(), z.von, z.nach,
                                    z.wert, z.flags, fen.holeHalbzugZaehler(), fen.holeZugnummer())
        << '\n';
    aus << "lastmove: " << z.von << ' ' << z.nach << ' ' << z.wert << ' ' << flagText(z.flags)
        << '\n';
    if (ergebnis == 0)
        return 0;
    aus << "error: " << grund << '\n';
    return 1;
}

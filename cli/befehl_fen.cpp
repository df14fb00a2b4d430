#include "cli/befehle.h"

#include "core/fen.h"

#include <QTextStream>

int befehlFen(const QStringList &argumente)
{
    if (argumente.isEmpty())
        return nutzung();
    fenStellung fen;
    bool schwarzAmZug;
    const int ergebnis = fen.leseFen(argumente.join(QLatin1Char(' ')), schwarzAmZug);
    QTextStream aus(stdout);
    aus << "result: " << ergebnis << '\n';
    if (ergebnis != 0)
        return 1;

    int32_t brett[BRETT_ZELLEN];
    fen.holeBrett(brett);
    const Zug z = fen.holeLetztenZug();
    aus << "fen: "
        << fenStellung::schreibeFen(brett, schwarzAmZug, fen.holeRochaderechte(), z.von, z.nach,
                                    z.wert, z.flags, fen.holeHalbzugZaehler(), fen.holeZugnummer())
        << '\n';
    aus << "lastmove: " << z.von << ' ' << z.nach << ' ' << z.wert << ' '
        << QStringLiteral("0x%1").arg(z.flags, 4, 16, QLatin1Char('0')) << '\n';
    return 0;
}

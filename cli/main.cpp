#include "cli/befehle.h"

#include "app/einstellungen.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {

struct Befehl
{
    const char *name;
    int (*ausfuehren)(const QStringList &argumente);
};

const Befehl BEFEHLE[] = {
    {"perft", befehlPerft}, {"fen", befehlFen},     {"legal", befehlLegal},
    {"play", befehlPlay},   {"pgn", befehlPgn},     {"job", befehlJob},
    {"uci", befehlUci},     {"bench", befehlBench}, {"selfplay", befehlSelfplay},
};

} // namespace

int nutzung()
{
    QTextStream(stderr) << "usage: brakmor-cli perft DEPTH [FEN] | fen FEN | legal [FEN]\n"
                           "       brakmor-cli play [--fen FEN] [--lang 0|1|2] MOVE...\n"
                           "       brakmor-cli pgn FILE [--out OUTFILE]\n"
                           "       brakmor-cli job [--level 1..5] [--suggestion] [--report] "
                           "[--zufall 0..100] [--seed S]\n"
                           "                       [--fen FEN] [MOVE...]\n"
                           "       brakmor-cli uci\n"
                           "       brakmor-cli bench [--threads N] [LEVEL...]\n"
                           "       brakmor-cli selfplay GAMES [--level 1..5] [--seed S]\n";
    return 2;
}

QString flagText(int32_t flags)
{
    return QStringLiteral("0x%1").arg(flags, 4, 16, QLatin1Char('0'));
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // The commands may change settings for their own run; the user's ini stays as it is.
    einstellungenNurLesen = true;
    const QStringList argumente = app.arguments().mid(1);
    if (argumente.isEmpty())
        return nutzung();
    for (const Befehl &befehl : BEFEHLE) {
        if (argumente.first() == QLatin1String(befehl.name))
            return befehl.ausfuehren(argumente.mid(1));
    }
    return nutzung();
}

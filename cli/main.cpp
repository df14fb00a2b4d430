#include "cli/befehle.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {

struct Befehl
{
    const char *name;
    int (*ausfuehren)(const QStringList &argumente);
};

const Befehl BEFEHLE[] = {
    {"perft", befehlPerft},
    {"fen", befehlFen},
};

} // namespace

int nutzung()
{
    QTextStream(stderr) << "usage: brakmor-cli perft DEPTH [FEN] | fen FEN\n";
    return 2;
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList argumente = app.arguments().mid(1);
    if (argumente.isEmpty())
        return nutzung();
    for (const Befehl &befehl : BEFEHLE) {
        if (argumente.first() == QLatin1String(befehl.name))
            return befehl.ausfuehren(argumente.mid(1));
    }
    return nutzung();
}

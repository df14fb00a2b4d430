// Prints the move generator's speed as perft nodes per second for the two standard positions.
#include "core/fen.h"
#include "core/perft.h"
#include "core/stellung.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

#include <memory>

namespace {

struct Messung
{
    const char *name;
    const char *fen;
    int tiefe;
};

const Messung MESSUNGEN[] = {
    {"start", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 6},
    {"kiwipete", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", 5},
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream aus(stdout);
    for (const Messung &messung : MESSUNGEN) {
        fenStellung fen;
        bool schwarz;
        fen.leseFen(QString::fromLatin1(messung.fen), schwarz);
        auto s = std::make_unique<stellung>();
        ladePosition(*s, fen);
        QElapsedTimer uhr;
        uhr.start();
        const quint64 knoten = perft(*s, schwarz, messung.tiefe);
        const qint64 ns = std::max<qint64>(uhr.nsecsElapsed(), 1);
        aus << messung.name << " perft " << messung.tiefe << ": " << knoten << " nodes, "
            << ns / 1000000 << " ms, " << qint64(knoten * 1e9 / ns) << " nodes/s\n";
        aus.flush();
    }
    return 0;
}

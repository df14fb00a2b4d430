// Prints how many calls of the search per second a depth-5 search makes on a few positions.
#include "core/fen.h"
#include "core/perft.h"
#include "core/stellung.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

#include <memory>

namespace {

const char *const STELLUNGEN[] = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 4 4",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "2r3k1/pp3ppp/2n1b3/3p4/3P4/2N1B3/PP3PPP/2R3K1 b - - 0 20",
    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
};

constexpr int TIEFE = 5;

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream aus(stdout);
    quint64 summeKnoten = 0;
    qint64 summeNs = 0;
    for (const char *text : STELLUNGEN) {
        fenStellung fen;
        bool schwarz;
        fen.leseFen(QString::fromLatin1(text), schwarz);
        auto s = std::make_unique<stellung>();
        ladePosition(*s, fen);
        s->berechneKoenigsnaehe();
        s->setzeMaxTiefe(TIEFE);
        const Zug letzter = fen.holeLetztenZug();
        s->setzeLetztenZug(letzter.von, letzter.nach, letzter.wert, letzter.flags);
        QElapsedTimer uhr;
        uhr.start();
        bool koenigSchlagbar;
        int32_t wert;
        s->suche(schwarz, 0, koenigSchlagbar, wert);
        const qint64 ns = std::max<qint64>(uhr.nsecsElapsed(), 1);
        summeKnoten += s->sucheAufrufe;
        summeNs += ns;
        aus << text << "\n  depth " << TIEFE << ": " << s->sucheAufrufe << " nodes, "
            << ns / 1000000 << " ms, " << qint64(s->sucheAufrufe * 1e9 / ns) << " nodes/s\n";
        aus.flush();
    }
    aus << "total: " << summeKnoten << " nodes, " << summeNs / 1000000 << " ms, "
        << qint64(summeKnoten * 1e9 / summeNs) << " nodes/s\n";
    return 0;
}

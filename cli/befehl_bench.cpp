#include "cli/befehle.h"

#include "app/einstellungen.h"
#include "cli/spielaufbau.h"
#include "game/ablaufdienste.h"
#include "game/controller.h"

#include <QElapsedTimer>
#include <QTextStream>

#include <algorithm>
#include <vector>

namespace {

// Openings, middlegames and endgames, with move numbers that put each in its phase.
const char *const STELLUNGEN[] = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "r1bqkbnr/pppp1ppp/2n5/1B2p3/4P3/5N2/PPPP1PPP/RNBQK2R b KQkq - 3 3",
    "r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 4 4",
    "rnbqkb1r/ppp2ppp/4pn2/3p4/2PP4/2N5/PP2PPPP/R1BQKBNR w KQkq - 2 4",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 12",
    "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
    "r1b2rk1/2q1bppp/p2p1n2/np2p3/3PP3/5N1P/PPBN1PP1/R1BQR1K1 b - - 0 13",
    "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
    "2r3k1/pp3ppp/2n1b3/3p4/3P4/2N1B3/PP3PPP/2R3K1 b - - 0 20",
    "6k1/5ppp/8/8/8/8/1r3PPP/3R2K1 w - - 0 30",
    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 40",
    "8/5pk1/6p1/8/8/6P1/5PK1/8 w - - 0 40",
    "8/8/4k3/8/8/4K3/3P4/8 w - - 0 50",
    "8/8/8/4k3/8/8/8/4K2Q w - - 0 60",
};

struct Lauf
{
    std::vector<qint64> zeiten; // ms per position
    quint64 knoten = 0;
    qint64 ns = 0;
};

qint64 median(std::vector<qint64> werte)
{
    std::sort(werte.begin(), werte.end());
    return werte[werte.size() / 2];
}

QString zeile(const QString &name, const Lauf &lauf, int threads)
{
    const qint64 ns = std::max<qint64>(lauf.ns, 1);
    return QStringLiteral("%1  positions %2  median %3 ms  max %4 ms  calls %5  %6 calls/s  "
                          "threads %7")
        .arg(name, -7)
        .arg(lauf.zeiten.size(), 3)
        .arg(median(lauf.zeiten), 7)
        .arg(*std::max_element(lauf.zeiten.begin(), lauf.zeiten.end()), 7)
        .arg(lauf.knoten, 11)
        .arg(qint64(lauf.knoten * 1e9 / ns), 9)
        .arg(threads);
}

} // namespace

// Times the engine's move at each level (or the levels given) over the built-in positions, one
// job after the other on this thread. Settings and seeds are fixed, so runs are comparable; the
// search uses the threads of the settings, or as many as --threads says. "calls" counts the
// calls of the search.
int befehlBench(const QStringList &argumente)
{
    QList<int> stufen;
    int threads = 0;
    for (int i = 0; i < argumente.size(); ++i) {
        if (argumente[i] == QLatin1String("--threads")) {
            if (!leseZahlArgument(argumente, i, 1, MAX_SUCH_THREADS, threads))
                return nutzung();
            continue;
        }
        bool ok = false;
        const int stufe = argumente[i].toInt(&ok);
        if (!ok || stufe < 1 || stufe > 5)
            return nutzung();
        stufen << stufe;
    }
    if (stufen.isEmpty())
        stufen = {1, 2, 3, 4, 5};

    Controller controller;
    einstellungen.startEnde = 7;
    einstellungen.zufall = 30;
    einstellungen.htmlWertetabelle = false;
    if (threads)
        einstellungen.threads = threads;
    threads = suchThreads(einstellungen.threads);

    QTextStream aus(stdout);
    // One untimed job first, so the first timed one does not pay for loading code and memory.
    QString fehler;
    spieleAuf(controller, QString::fromLatin1(STELLUNGEN[0]), {}, fehler);
    einstellungen.schwierigkeit = 1;
    fuehreAuftragAus(erstelleAuftrag(controller, false));
    Lauf gesamt;
    for (const int stufe : stufen) {
        einstellungen.schwierigkeit = stufe;
        Lauf lauf;
        quint32 keim = 1;
        for (const char *fen : STELLUNGEN) {
            if (!spieleAuf(controller, QString::fromLatin1(fen), {}, fehler)) {
                QTextStream(stderr) << "brakmor-cli: " << fehler << '\n';
                return 1;
            }
            JobAuftrag auftrag = erstelleAuftrag(controller, false);
            auftrag.kontext.zufallsKeim = keim++;
            QElapsedTimer uhr;
            uhr.start();
            const JobErgebnis ergebnis = fuehreAuftragAus(auftrag);
            const qint64 ns = uhr.nsecsElapsed();
            lauf.zeiten.push_back(ns / 1000000);
            lauf.knoten += ergebnis.sucheAufrufe;
            lauf.ns += ns;
        }
        aus << zeile(QStringLiteral("level %1").arg(stufe), lauf, threads) << '\n';
        aus.flush();
        gesamt.zeiten.insert(gesamt.zeiten.end(), lauf.zeiten.begin(), lauf.zeiten.end());
        gesamt.knoten += lauf.knoten;
        gesamt.ns += lauf.ns;
    }
    aus << zeile(QStringLiteral("total"), gesamt, threads) << '\n';
    return 0;
}

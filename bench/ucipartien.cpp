// Plays games between two brakmor-cli UCI engines under a clock, as a chess GUI would, and judges
// every answer: a legal move, in the time the mover's clock had left. Prints a line per game and
// a summary with the smallest time left on a clock; exits with 1 after a late or illegal answer.
//
//   ucipartien [--games N] [--levels WHITE BLACK] [--time MS] [--inc MS] [--threads T]
//              [--plies MAX] [--cli PATH]
//
// The engines swap colours every game; each game starts from one of a few openings.
#include "core/fen.h"
#include "game/controller.h"
#include "game/koordinaten.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTextStream>

#include <algorithm>
#include <memory>

namespace {

const char *const ANFAENGE[] = {"", "e2e4 e7e5 g1f3 b8c6", "d2d4 d7d5 c2c4 e7e6",
                                "e2e4 c7c5 g1f3 d7d6", "c2c4 e7e5 b1c3 g8f6"};

struct Einstellung
{
    int partien = 2;
    int stufe[2] = {5, 5};
    qint64 zeit = 10000;
    qint64 zuschlag = 100;
    int threads = 1;
    int halbzuege = 300;
    QString cli = QStringLiteral(BRAKMOR_CLI);
};

bool leseEinstellung(const QStringList &a, Einstellung &e)
{
    for (int i = 0; i < a.size(); ++i) {
        bool ok = true;
        const QString &w = a[i];
        if (w == QLatin1String("--games"))
            e.partien = a.value(++i).toInt(&ok);
        else if (w == QLatin1String("--levels")) {
            e.stufe[0] = a.value(++i).toInt(&ok);
            e.stufe[1] = ok ? a.value(++i).toInt(&ok) : 0;
        } else if (w == QLatin1String("--time"))
            e.zeit = a.value(++i).toLongLong(&ok);
        else if (w == QLatin1String("--inc"))
            e.zuschlag = a.value(++i).toLongLong(&ok);
        else if (w == QLatin1String("--threads"))
            e.threads = a.value(++i).toInt(&ok);
        else if (w == QLatin1String("--plies"))
            e.halbzuege = a.value(++i).toInt(&ok);
        else if (w == QLatin1String("--cli"))
            e.cli = a.value(++i);
        else
            ok = false;
        if (!ok)
            return false;
    }
    return e.partien > 0;
}

class Engine
{
public:
    bool starte(const Einstellung &e, int stufe)
    {
        prozess.start(e.cli, {QStringLiteral("uci")});
        if (!prozess.waitForStarted())
            return false;
        sende(QStringLiteral("uci\nsetoption name Level value %1\nsetoption name Threads value %2\n"
                             "isready")
                  .arg(stufe)
                  .arg(e.threads));
        return !warteAuf(QStringLiteral("readyok"), 60000).isEmpty();
    }

    ~Engine()
    {
        sende(QStringLiteral("quit"));
        if (!prozess.waitForFinished(60000))
            prozess.kill();
    }

    void sende(const QString &text) { prozess.write((text + QLatin1Char('\n')).toUtf8()); }

    // The first line that starts with `anfang`; empty when none comes in time.
    QString warteAuf(const QString &anfang, int ms)
    {
        QElapsedTimer uhr;
        uhr.start();
        for (;;) {
            while (prozess.canReadLine()) {
                const QString zeile = QString::fromUtf8(prozess.readLine()).trimmed();
                if (zeile.startsWith(anfang))
                    return zeile;
            }
            if (uhr.elapsed() > ms || !prozess.waitForReadyRead(int(ms - uhr.elapsed())))
                return QString();
        }
    }

private:
    QProcess prozess;
};

struct Summe
{
    int partien = 0;
    int antworten = 0;
    int spaet = 0;
    int illegal = 0;
    qint64 kleinsterRest = std::numeric_limits<qint64>::max();
    qint64 laengsteAntwort = 0;
};

// One game; returns its result text.
QString spiele(const Einstellung &e, Engine *engines[2], const QString &anfang, Summe &summe)
{
    Controller schiedsrichter;
    QString fehler;
    schiedsrichter.stellungAusFen(QString::fromLatin1(startFen));
    schiedsrichter.starteSpiel(0);
    QStringList zuege = anfang.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    bool ende = false;
    for (int zeile = 1; zeile <= zuege.size(); ++zeile) {
        int32_t figur = DAME;
        schiedsrichter.legaleZuegeErmitteln(schiedsrichter.schwarzAmZug());
        Zug zug = zugAusKoordinaten(schiedsrichter, zuege[zeile - 1], figur);
        QString meldung, text;
        schiedsrichter.bewegeFigur(zug, figur, zeile, meldung, text, ende);
    }
    qint64 uhr[2] = {e.zeit, e.zeit};
    while (zuege.size() < e.halbzuege) {
        const bool schwarz = schiedsrichter.schwarzAmZug();
        schiedsrichter.legaleZuegeErmitteln(schwarz);
        Engine &engine = *engines[schwarz];
        QElapsedTimer bedenkzeit;
        bedenkzeit.start();
        engine.sende(QStringLiteral("position startpos moves ") + zuege.join(QLatin1Char(' ')));
        engine.sende(QStringLiteral("go wtime %1 btime %2 winc %3 binc %3")
                         .arg(uhr[0])
                         .arg(uhr[1])
                         .arg(e.zuschlag));
        const QString antwort =
            engine.warteAuf(QStringLiteral("bestmove"), int(uhr[schwarz] + 60000));
        const qint64 ms = bedenkzeit.elapsed();
        ++summe.antworten;
        summe.laengsteAntwort = std::max(summe.laengsteAntwort, ms);
        uhr[schwarz] -= ms;
        summe.kleinsterRest = std::min(summe.kleinsterRest, uhr[schwarz]);
        if (uhr[schwarz] < 0) {
            ++summe.spaet;
            return QStringLiteral("%1 lost on time after %2 half-moves (%3 ms over)")
                .arg(schwarz ? "black" : "white")
                .arg(zuege.size())
                .arg(-uhr[schwarz]);
        }
        uhr[schwarz] += e.zuschlag;
        const QString text = antwort.section(QLatin1Char(' '), 1, 1);
        int32_t figur = DAME;
        Zug zug = istKoordinatenZug(text) ? zugAusKoordinaten(schiedsrichter, text, figur) : Zug{};
        QString meldung, notation;
        if (zug.von == 0 ||
            !schiedsrichter.bewegeFigur(zug, figur, zuege.size() + 1, meldung, notation, ende)) {
            ++summe.illegal;
            return QStringLiteral("illegal answer \"%1\" after %2").arg(antwort, zuege.join(' '));
        }
        zuege << text;
        if (ende)
            return QStringLiteral("over after %1 half-moves: %2").arg(zuege.size()).arg(meldung);
    }
    return QStringLiteral("stopped after %1 half-moves").arg(zuege.size());
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream aus(stdout);
    Einstellung e;
    if (!leseEinstellung(app.arguments().mid(1), e)) {
        QTextStream(stderr) << "usage: ucipartien [--games N] [--levels WHITE BLACK] [--time MS] "
                               "[--inc MS] [--threads T] [--plies MAX] [--cli PATH]\n";
        return 2;
    }
    Summe summe;
    for (int partie = 0; partie < e.partien; ++partie) {
        // Engine 0 plays at the first level; it has white in the even games.
        auto erste = std::make_unique<Engine>();
        auto zweite = std::make_unique<Engine>();
        if (!erste->starte(e, e.stufe[0]) || !zweite->starte(e, e.stufe[1])) {
            QTextStream(stderr) << "ucipartien: the engine did not start: " << e.cli << '\n';
            return 2;
        }
        Engine *engines[2] = {erste.get(), zweite.get()};
        if (partie % 2)
            std::swap(engines[0], engines[1]);
        const QString anfang = QLatin1String(ANFAENGE[partie % std::size(ANFAENGE)]);
        aus << "game " << partie + 1 << " (level " << e.stufe[partie % 2]
            << " white): " << spiele(e, engines, anfang, summe) << Qt::endl;
        ++summe.partien;
    }
    aus << "games " << summe.partien << " answers " << summe.antworten << " late " << summe.spaet
        << " illegal " << summe.illegal << " smallest time left " << summe.kleinsterRest
        << " ms longest answer " << summe.laengsteAntwort << " ms" << Qt::endl;
    return summe.spaet + summe.illegal > 0 ? 1 : 0;
}

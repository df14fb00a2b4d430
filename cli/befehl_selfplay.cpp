#include "cli/befehle.h"

#include "app/einstellungen.h"
#include "cli/spielaufbau.h"
#include "core/fen.h"
#include "game/ablaufdienste.h"
#include "game/controller.h"
#include "game/history.h"
#include "game/material.h"
#include "game/spielablauf.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QRandomGenerator>
#include <QTextStream>

#include <algorithm>

namespace {

// Well-known opening lines in coordinate moves; a game starts from the standard position or after
// one of them, so the games see many kinds of positions.
const char *const ANFAENGE[] = {
    "e2e4 e7e5 g1f3 b8c6 f1c4 f8c5",           "e2e4 c7c5 g1f3 d7d6 d2d4 c5d4 f3d4 g8f6 b1c3 a7a6",
    "e2e4 e7e6 d2d4 d7d5 b1c3 g8f6",           "e2e4 c7c6 d2d4 d7d5 e4e5 c8f5",
    "e2e4 e7e5 g1f3 b8c6 f1b5 a7a6 b5a4 g8f6", "d2d4 d7d5 c2c4 e7e6 b1c3 g8f6 c1g5 f8e7",
    "d2d4 g8f6 c2c4 g7g6 b1c3 f8g7 e2e4 d7d6", "c2c4 e7e5 b1c3 g8f6 g2g3 d7d5",
    "e2e4 d7d5 e4d5 d8d5 b1c3 d5a5",           "d2d4 f7f5 g2g3 g8f6 f1g2 e7e6",
    "d2d4 d7d5 c1f4 g8f6 e2e3 c7c5",           "d2d4 d7d5 c2c4 c7c6 g1f3 g8f6",
    "e2e4 d7d6 d2d4 g8f6 b1c3 g7g6",           "e2e4 e7e5 f2f4 e5f4 g1f3 g7g5",
};

constexpr int HALBZUG_GRENZE = 300;

struct Aufruf
{
    int partien = 0;
    int stufe = 1;
    quint32 keim = 1;
};

bool leseAufruf(const QStringList &argumente, Aufruf &aufruf)
{
    bool ok = false;
    aufruf.partien = argumente.value(0).toInt(&ok);
    if (!ok || aufruf.partien < 1)
        return false;
    for (int i = 1; i < argumente.size(); ++i) {
        const QString &wort = argumente[i];
        if (wort == QLatin1String("--level")) {
            if (!leseZahlArgument(argumente, i, 1, 5, aufruf.stufe))
                return false;
        } else if (wort == QLatin1String("--seed")) {
            aufruf.keim = argumente.value(++i).toUInt(&ok);
            if (!ok)
                return false;
        } else {
            return false;
        }
    }
    return true;
}

QString grund(const Controller &controller)
{
    const int32_t flags = controller.verlauf()->entry(lastIndex).flags;
    if (flags & ZUG_AUFGEGEBEN)
        return QStringLiteral("resignation");
    if ((flags & ZUG_KEINE_ANTWORT) && (flags & ZUG_PATT))
        return QStringLiteral("stalemate");
    if (flags & ZUG_KEINE_ANTWORT)
        return QStringLiteral("checkmate");
    if (!genugMaterial(controller.brett()))
        return QStringLiteral("insufficient material");
    if (controller.verlauf()->entry(lastIndex).halbzugZaehler >= 100)
        return QStringLiteral("fifty-move rule");
    return QStringLiteral("threefold repetition");
}

struct Partie
{
    QString ergebnis = QStringLiteral("*");
    QString grund;
    int halbzuege = 0;
    int verweigert = 0;
    qint64 laengsterZugMs = 0;
};

// Lets the game flow play engine against engine, exactly as it plays the computer's moves in the
// window, until the game ends by the rules, the half-move limit is reached or a move is refused.
Partie spieleZuEnde(Spielablauf &ablauf)
{
    Partie partie;
    const int verweigertVorher = ablauf.verweigerteZuege();
    QEventLoop schleife;
    QElapsedTimer uhr;
    uhr.start();
    auto pruefe = [&] {
        partie.laengsterZugMs = std::max(partie.laengsterZugMs, uhr.restart());
        if (ablauf.spielEnde() || ablauf.verweigerteZuege() > verweigertVorher ||
            lastIndex >= HALBZUG_GRENZE)
            schleife.quit();
    };
    QObject::connect(&ablauf, &Spielablauf::zugGespielt, &schleife, pruefe);
    QObject::connect(&ablauf, &Spielablauf::zugVerweigert, &schleife, pruefe);
    if (!ablauf.spielEnde())
        schleife.exec();

    Controller &controller = ablauf.spiel();
    partie.halbzuege = lastIndex;
    partie.verweigert = ablauf.verweigerteZuege() - verweigertVorher;
    if (partie.verweigert > 0) {
        partie.grund = QStringLiteral("refused move (%1)").arg(ablauf.meldung());
    } else {
        partie.ergebnis = controller.pgn().ergebnis;
        partie.grund = ablauf.spielEnde() ? grund(controller) : QStringLiteral("half-move limit");
    }
    return partie;
}

} // namespace

// Engine against engine for a soak of the engine and the game control: N games, each from the
// standard position or an opening chosen by the seed, to the end by the rules or the half-move
// limit. A move the controller refuses is a fault; it is counted and ends its game.
int befehlSelfplay(const QStringList &argumente)
{
    Aufruf aufruf;
    if (!leseAufruf(argumente, aufruf))
        return nutzung();

    Controller controller;
    einstellungen.schwierigkeit = aufruf.stufe;
    einstellungen.zufall = 30;
    einstellungen.startEnde = 7;
    einstellungen.htmlWertetabelle = false;
    EchteAblaufdienste dienste;
    Spielablauf ablauf(controller, dienste);
    ablauf.setzeDarstellung(false, 0);
    ablauf.setzeSpieler(Spielablauf::Computer, Spielablauf::Computer);
    ablauf.setzeKeim(aufruf.keim);

    QRandomGenerator zufall(aufruf.keim);
    QTextStream aus(stdout);
    int weiss = 0, schwarz = 0, remis = 0, grenze = 0, verweigert = 0, halbzuege = 0;
    qint64 laengsterZugMs = 0;
    QElapsedTimer uhr;
    uhr.start();
    for (int nummer = 1; nummer <= aufruf.partien; ++nummer) {
        const int anfang = int(zufall.bounded(int(std::size(ANFAENGE)) + 1)) - 1;
        const QStringList zuege =
            anfang < 0 ? QStringList()
                       : QString::fromLatin1(ANFAENGE[anfang]).split(QLatin1Char(' '));
        QString fehler;
        if (!ablauf.stelleAuf(QString::fromLatin1(startFen), zuege, fehler)) {
            QTextStream(stderr) << "brakmor-cli: opening " << anfang + 1 << ": " << fehler << '\n';
            return 1;
        }
        const Partie partie = spieleZuEnde(ablauf);

        aus << QStringLiteral("game %1: %2 %3 half-moves, %4")
                   .arg(nummer)
                   .arg(partie.ergebnis)
                   .arg(partie.halbzuege)
                   .arg(partie.grund)
            << '\n';
        aus.flush();
        weiss += partie.ergebnis == QLatin1String("1-0");
        schwarz += partie.ergebnis == QLatin1String("0-1");
        remis += partie.ergebnis == QLatin1String("1/2-1/2");
        grenze += partie.grund == QLatin1String("half-move limit");
        verweigert += partie.verweigert;
        halbzuege += partie.halbzuege;
        laengsterZugMs = std::max(laengsterZugMs, partie.laengsterZugMs);
    }
    const double sekunden = std::max<qint64>(uhr.elapsed(), 1) / 1000.0;
    aus << QStringLiteral("games %1 level %2 seed %3: white wins %4, black wins %5, draws %6, "
                          "half-move limit %7; refused moves %8")
               .arg(aufruf.partien)
               .arg(aufruf.stufe)
               .arg(aufruf.keim)
               .arg(weiss)
               .arg(schwarz)
               .arg(remis)
               .arg(grenze)
               .arg(verweigert)
        << '\n';
    aus << QStringLiteral("half-moves %1 in %2 s, %3 moves/s, longest move %4 ms")
               .arg(halbzuege)
               .arg(sekunden, 0, 'f', 1)
               .arg(halbzuege / sekunden, 0, 'f', 1)
               .arg(laengsterZugMs)
        << '\n';
    return verweigert == 0 ? 0 : 1;
}

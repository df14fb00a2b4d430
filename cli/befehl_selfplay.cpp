#include "cli/befehle.h"

#include "app/einstellungen.h"
#include "cli/spielaufbau.h"
#include "core/fen.h"
#include "engine/abbrechen.h"
#include "engine/berechnezug.h"
#include "engine/jobtext.h"
#include "game/controller.h"
#include "game/history.h"
#include "game/material.h"
#include "game/spielzustand.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTextStream>
#include <QtConcurrent>

#include <algorithm>

namespace {

// Well-known openings in coordinate moves; a game starts from the standard position or after one
// of them.
const char *const EROEFFNUNGEN[] = {
    "e2e4 e7e5 g1f3 b8c6 f1c4 f8c5",           "e2e4 c7c5 g1f3 d7d6 d2d4 c5d4 f3d4 g8f6 b1c3 a7a6",
    "e2e4 e7e6 d2d4 d7d5 b1c3 g8f6",           "e2e4 c7c6 d2d4 d7d5 e4e5 c8f5",
    "e2e4 e7e5 g1f3 b8c6 f1b5 a7a6 b5a4 g8f6", "d2d4 d7d5 c2c4 e7e6 b1c3 g8f6 c1g5 f8e7",
    "d2d4 g8f6 c2c4 g7g6 b1c3 f8g7 e2e4 d7d6", "c2c4 e7e5 b1c3 g8f6 g2g3 d7d5",
    "e2e4 d7d5 e4d5 d8d5 b1c3 d5a5",           "d2d4 f7f5 g2g3 g8f6 f1g2 e7e6",
    "d2d4 d7d5 c1f4 g8f6 e2e3 c7c5",           "d2d4 d7d5 c2c4 c7c6 g1f3 g8f6",
    "e2e4 d7d6 d2d4 g8f6 b1c3 g7g6",           "e2e4 e7e5 f2f4 e5f4 g1f3 g7g5",
};

// The window's first moves for the computer as White from the standard position.
const int BUCH[][2] = {{85, 65}, {84, 64}, {83, 63}};

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

QString grund(const Controller &controller, int32_t flags)
{
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

// Plays engine against engine from the position the controller holds, move by move as the window
// plays the computer's moves: the position block and the snapshot of the game, the job on the
// thread pool, its text decoded and the move executed by the controller.
class Selbstspiel
{
public:
    Selbstspiel(Controller &controller, QRandomGenerator &zufall)
        : controller(controller)
        , zufall(zufall)
    {}

    Partie spiele(bool ausBuch, int &buchIndex)
    {
        Partie partie;
        bool spielEnde = !controller.legaleZuegeErmitteln(controller.schwarzAmZug());
        int32_t letzteFlags = 0;
        while (!spielEnde && lastIndex < HALBZUG_GRENZE) {
            QElapsedTimer uhr;
            uhr.start();
            Zug zug = berechne();
            partie.laengsterZugMs = std::max(partie.laengsterZugMs, uhr.elapsed());
            if (ausBuch && currentIndex == 0 && !controller.schwarzAmZug()) {
                zug.von = BUCH[buchIndex][0];
                zug.nach = BUCH[buchIndex][1];
                buchIndex = (buchIndex + 1) % 3;
            }
            QString meldung;
            QString zugText;
            if (zug.von == 0 ||
                !controller.bewegeFigur(zug, DAME, lastIndex + 1, meldung, zugText, spielEnde)) {
                ++partie.verweigert;
                partie.grund = QStringLiteral("refused move %1-%2 (%3)")
                                   .arg(zug.von)
                                   .arg(zug.nach)
                                   .arg(meldung);
                break;
            }
            letzteFlags = zug.flags;
        }
        partie.halbzuege = lastIndex;
        if (partie.verweigert == 0) {
            partie.ergebnis = controller.pgn().ergebnis;
            partie.grund =
                spielEnde ? grund(controller, letzteFlags) : QStringLiteral("half-move limit");
        }
        return partie;
    }

private:
    // The job's move, or the runner-up when the move would allow a draw and the runner-up keeps
    // the game level enough, as the window decides.
    Zug berechne()
    {
        const bool schwarz = controller.schwarzAmZug();
        JobKontext kontext = erfasseJobKontext();
        kontext.zufallsKeim = zufall.generate();
        abbrechen = false;
        const QString text =
            QtConcurrent::run(berechneZug, schwarz, false, jobDaten(controller), kontext).result();
        const JobFelder felder = zerlegeJobText(text);
        const int vorteil = schwarz ? materialBilanz : -materialBilanz;
        Zug zug = zweiterGegenRemis(felder, vorteil, remisDroht) ? felder.zweiter : felder.zug;
        zug.flags = schwarz ? ZUG_SCHWARZ : 0;
        return zug;
    }

    Controller &controller;
    QRandomGenerator &zufall;
};

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
    behalteEinstellungen();
    einstellungen.schwierigkeit = aufruf.stufe;
    einstellungen.zufall = 30;
    einstellungen.startEnde = 7;
    einstellungen.htmlWertetabelle = false;

    QRandomGenerator zufall(aufruf.keim);
    int buchIndex = int(zufall.bounded(3));
    Selbstspiel selbstspiel(controller, zufall);
    QTextStream aus(stdout);
    int weiss = 0, schwarz = 0, remis = 0, grenze = 0, verweigert = 0, halbzuege = 0;
    qint64 laengsterZugMs = 0;
    QElapsedTimer uhr;
    uhr.start();
    for (int nummer = 1; nummer <= aufruf.partien; ++nummer) {
        const int eroeffnung = int(zufall.bounded(int(std::size(EROEFFNUNGEN)) + 1)) - 1;
        const QStringList zuege =
            eroeffnung < 0 ? QStringList()
                           : QString::fromLatin1(EROEFFNUNGEN[eroeffnung]).split(QLatin1Char(' '));
        QString fehler;
        if (!spieleAuf(controller, QString::fromLatin1(startFen), zuege, fehler)) {
            QTextStream(stderr) << "brakmor-cli: opening " << eroeffnung + 1 << ": " << fehler
                                << '\n';
            return 1;
        }
        controller.pgn().neuePartie(1, 1, QString());
        const Partie partie = selbstspiel.spiele(eroeffnung < 0, buchIndex);

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

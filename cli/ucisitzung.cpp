#include "cli/ucisitzung.h"

#include "app/einstellungen.h"
#include "app/programm.h"
#include "cli/spielaufbau.h"
#include "core/fen.h"
#include "engine/abbrechen.h"
#include "game/controller.h"

#include <QtConcurrent>

namespace {

QString erstesWort(const QString &zeile)
{
    return zeile.simplified().section(QLatin1Char(' '), 0, 0);
}

} // namespace

UciSitzung::UciSitzung(Controller &controller, std::function<void(const QString &)> senden,
                       std::function<void()> ende, int hoechstStufe)
    : controller(controller)
    , senden(std::move(senden))
    , ende(std::move(ende))
    , hoechstStufe(hoechstStufe)
{
    QObject::connect(&beobachter, &QFutureWatcher<JobErgebnis>::finished, [this] { jobFertig(); });
    // The options' defaults as "uci" announces them, the level at most the session's highest.
    einstellungen.schwierigkeit = hoechstStufe;
    einstellungen.zufall = 30;
    einstellungen.startEnde = 7;
    einstellungen.htmlWertetabelle = false;
    einstellungen.threads = suchThreads(0);
    stelleAuf(QString::fromLatin1(startFen), {});
}

// The job gets copies of everything it reads, but its result would arrive at a dead session.
UciSitzung::~UciSitzung()
{
    if (laeuft) {
        abbrechen = true;
        beobachter.waitForFinished();
        abbrechen = false;
    }
}

void UciSitzung::befehl(const QString &zeile)
{
    if (beendet)
        return;
    const QString wort = erstesWort(zeile);
    if (wort == QLatin1String("isready"))
        senden(QStringLiteral("readyok"));
    else if (wort == QLatin1String("quit"))
        beende();
    else if (!wort.isEmpty())
        zurueckgestellt << zeile;
    arbeiteAb();
}

void UciSitzung::eingabeEnde()
{
    endeNachJob = true;
    if (!laeuft)
        beende();
}

// While the engine thinks only "stop" is acted on; the rest waits for its move, as a GUI sends
// the next position right after "stop".
void UciSitzung::arbeiteAb()
{
    while (!beendet && !zurueckgestellt.isEmpty()) {
        if (laeuft && erstesWort(zurueckgestellt.first()) != QLatin1String("stop"))
            return;
        fuehreAus(zurueckgestellt.takeFirst().simplified().split(QLatin1Char(' ')));
    }
}

void UciSitzung::fuehreAus(const QStringList &teile)
{
    const QString &wort = teile.first();
    if (wort == QLatin1String("uci"))
        uci();
    else if (wort == QLatin1String("setoption"))
        setzeOption(teile);
    else if (wort == QLatin1String("ucinewgame"))
        stelleAuf(QString::fromLatin1(startFen), {});
    else if (wort == QLatin1String("position"))
        position(teile);
    else if (wort == QLatin1String("go"))
        go(teile);
    else if (wort == QLatin1String("stop"))
        stop();
}

void UciSitzung::uci()
{
    senden(QStringLiteral("id name ") + QLatin1String(PROGRAMM_NAME));
    senden(QStringLiteral("id author ") + QLatin1String(HERSTELLER_NAME));
    senden(QStringLiteral("option name Level type spin default 5 min 1 max 5"));
    senden(QStringLiteral("option name Zufall type spin default 30 min 0 max 100"));
    senden(QStringLiteral("option name Startphase type spin default 7 min 0 max 12"));
    senden(QStringLiteral("option name Threads type spin default %1 min 1 max %2")
               .arg(suchThreads(0))
               .arg(MAX_SUCH_THREADS));
    senden(QStringLiteral("uciok"));
}

// "setoption name NAME value X"; unknown names and values out of range are ignored.
void UciSitzung::setzeOption(const QStringList &teile)
{
    const int name = teile.indexOf(QStringLiteral("name"));
    const int wert = teile.indexOf(QStringLiteral("value"));
    if (name != 1 || wert != 3 || teile.size() != 5)
        return;
    bool ok = false;
    const int zahl = teile[4].toInt(&ok);
    const QString option = teile[2].toLower();
    if (!ok)
        return;
    if (option == QLatin1String("level") && zahl >= 1 && zahl <= 5)
        einstellungen.schwierigkeit = std::min(zahl, hoechstStufe);
    else if (option == QLatin1String("zufall") && zahl >= 0 && zahl <= 100)
        einstellungen.zufall = zahl;
    else if (option == QLatin1String("startphase") && zahl >= 0 && zahl <= 12)
        einstellungen.startEnde = zahl;
    else if (option == QLatin1String("threads") && zahl >= 1 && zahl <= MAX_SUCH_THREADS)
        einstellungen.threads = zahl;
}

// "position startpos|fen FEN [moves MOVE...]"
void UciSitzung::position(const QStringList &teile)
{
    const int zuege = teile.indexOf(QStringLiteral("moves"));
    const int ende = zuege < 0 ? teile.size() : zuege;
    QString fen;
    if (teile.value(1) == QLatin1String("startpos") && ende == 2)
        fen = QString::fromLatin1(startFen);
    else if (teile.value(1) == QLatin1String("fen") && ende > 2)
        fen = teile.mid(2, ende - 2).join(QLatin1Char(' '));
    else
        return;
    stelleAuf(fen, zuege < 0 ? QStringList() : teile.mid(zuege + 1));
}

// A FEN the reader refuses leaves the position as it was; a refused move ends the list there.
void UciSitzung::stelleAuf(const QString &fen, const QStringList &zuege)
{
    fenStellung probe;
    bool schwarz;
    if (probe.leseFen(fen, schwarz) != 0) {
        senden(QStringLiteral("info string invalid FEN ignored"));
        return;
    }
    QString fehler;
    if (!spieleAuf(controller, fen, zuege, fehler))
        senden(QStringLiteral("info string ") + fehler + QStringLiteral(", ignored from there"));
}

// Time controls are accepted and ignored: the level decides how deep the engine searches.
void UciSitzung::go(const QStringList &teile)
{
    if (wartet)
        stop();
    unendlich = teile.contains(QStringLiteral("infinite"));
    gestoppt = false;
    laeuft = true;
    abbrechen = false;
    beobachter.setFuture(QtConcurrent::run(fuehreJobAus, controller.schwarzAmZug(), false,
                                           jobDaten(controller), erfasseJobKontext()));
}

void UciSitzung::stop()
{
    if (laeuft) {
        gestoppt = true;
        abbrechen = true;
    } else if (wartet) {
        wartet = false;
        melde(gehalten);
    }
}

// An infinite search keeps its move until the GUI asks for it.
void UciSitzung::jobFertig()
{
    if (beendet)
        return;
    laeuft = false;
    abbrechen = false;
    const JobErgebnis ergebnis = beobachter.result();
    if (unendlich && !gestoppt && !endeNachJob) {
        gehalten = ergebnis;
        wartet = true;
    } else {
        melde(ergebnis);
    }
    arbeiteAb();
    if (endeNachJob && !laeuft)
        beende();
}

void UciSitzung::melde(const JobErgebnis &ergebnis)
{
    const QString info = QStringLiteral("info depth %1 time %2 nodes %3")
                             .arg(ergebnis.tiefe)
                             .arg(ergebnis.ms)
                             .arg(ergebnis.sucheAufrufe);
    if (ergebnis.zug.von == 0) {
        senden(info);
        senden(QStringLiteral("bestmove 0000"));
        return;
    }
    const QString zug = koordinatenText(ergebnis.zug);
    senden(info + QStringLiteral(" score cp %1 pv ").arg(ergebnis.zug.wert) + zug);
    senden(QStringLiteral("bestmove ") + zug);
}

void UciSitzung::beende()
{
    if (beendet)
        return;
    if (wartet && endeNachJob)
        stop();
    if (laeuft) {
        abbrechen = true;
        beobachter.waitForFinished();
        abbrechen = false;
        laeuft = false;
    }
    beendet = true;
    ende();
}

#include "cli/ucisitzung.h"

#include "app/einstellungen.h"
#include "app/programm.h"
#include "core/fen.h"
#include "game/koordinaten.h"
#include "game/spielablauf.h"

namespace {

QString erstesWort(const QString &zeile)
{
    return zeile.simplified().section(QLatin1Char(' '), 0, 0);
}

} // namespace

UciSitzung::UciSitzung(Spielablauf &ablauf, std::function<void(const QString &)> senden,
                       std::function<void()> ende, int hoechstStufe)
    : ablauf(ablauf)
    , senden(std::move(senden))
    , ende(std::move(ende))
    , hoechstStufe(hoechstStufe)
{
    // The options' defaults as "uci" announces them, the level at most the session's highest.
    einstellungen.schwierigkeit = hoechstStufe;
    einstellungen.zufall = 30;
    einstellungen.startEnde = 7;
    einstellungen.htmlWertetabelle = false;
    einstellungen.threads = suchThreads(0);
    // The GUI moves both sides; the engine only computes when asked.
    ablauf.setzeDarstellung(false, 0);
    ablauf.setzeSpieler(Spielablauf::Mensch, Spielablauf::Mensch);
    stelleAuf(QString::fromLatin1(startFen), {});
}

void UciSitzung::befehl(const QString &zeile)
{
    if (beendet)
        return;
    const QString wort = erstesWort(zeile);
    if (wort == QLatin1String("isready")) {
        senden(QStringLiteral("readyok"));
    } else if (wort == QLatin1String("quit")) {
        // The search under way and every "go" still waiting are answered at once, then it ends.
        quitNachSuche = true;
        stop();
    } else if (!wort.isEmpty()) {
        zurueckgestellt << zeile;
    }
    arbeiteAb();
}

// The running search finishes as it would and reports its move, an infinite one included.
void UciSitzung::eingabeEnde()
{
    eingabeZuEnde = true;
    if (gehalten)
        stop();
    arbeiteAb();
}

// While a search is under way a new position or search waits for its "bestmove", as a GUI sends
// the next position right after "stop"; everything else is acted on in order.
void UciSitzung::arbeiteAb()
{
    static const QStringList wartenAufSuche = {QStringLiteral("position"),
                                               QStringLiteral("ucinewgame"), QStringLiteral("go")};
    while (!beendet && !zurueckgestellt.isEmpty()) {
        if (sucht && wartenAufSuche.contains(erstesWort(zurueckgestellt.first())))
            return;
        fuehreAus(zurueckgestellt.takeFirst().simplified().split(QLatin1Char(' ')));
    }
    if ((eingabeZuEnde || quitNachSuche) && !sucht)
        beende();
}

void UciSitzung::fuehreAus(const QStringList &teile)
{
    const QString &wort = teile.first();
    if (wort == QLatin1String("uci")) {
        uci();
    } else if (wort == QLatin1String("setoption")) {
        setzeOption(teile);
    } else if (wort == QLatin1String("ucinewgame")) {
        stelleAuf(QString::fromLatin1(startFen), {});
    } else if (wort == QLatin1String("position")) {
        position(teile);
    } else if (wort == QLatin1String("go")) {
        go(teile);
    } else if (wort == QLatin1String("stop")) {
        stop();
    }
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
    if (!ablauf.stelleAuf(fen, zuege, fehler))
        senden(QStringLiteral("info string ") + fehler + QStringLiteral(", ignored from there"));
}

// Time controls are accepted and ignored: the level decides how deep the engine searches.
void UciSitzung::go(const QStringList &teile)
{
    sucht = true;
    unendlich = teile.contains(QStringLiteral("infinite"));
    gestoppt = false;
    ablauf.berechneZugFuer(
        [this](const Zug &zug, const JobErgebnis &ergebnis) { gefunden(zug, ergebnis); });
    if (quitNachSuche)
        stop();
}

void UciSitzung::stop()
{
    if (!sucht)
        return;
    gestoppt = true;
    if (gehalten)
        melde(gehalten->first, gehalten->second);
    else
        ablauf.stoppeBerechnung();
}

// An infinite search keeps its move until the GUI asks for it.
void UciSitzung::gefunden(const Zug &zug, const JobErgebnis &ergebnis)
{
    if (unendlich && !gestoppt && !eingabeZuEnde)
        gehalten = qMakePair(zug, ergebnis);
    else
        melde(zug, ergebnis);
}

void UciSitzung::melde(const Zug &zug, const JobErgebnis &ergebnis)
{
    sucht = false;
    gehalten.reset();
    const QString info = QStringLiteral("info depth %1 time %2 nodes %3")
                             .arg(ergebnis.tiefe)
                             .arg(ergebnis.ms)
                             .arg(ergebnis.sucheAufrufe);
    if (zug.von == 0) {
        senden(info);
        senden(QStringLiteral("bestmove 0000"));
    } else {
        const QString text = koordinatenText(zug);
        senden(info + QStringLiteral(" score cp %1 pv ").arg(ergebnis.zug.wert) + text);
        senden(QStringLiteral("bestmove ") + text);
    }
    arbeiteAb();
}

void UciSitzung::beende()
{
    if (beendet)
        return;
    beendet = true;
    ende();
}

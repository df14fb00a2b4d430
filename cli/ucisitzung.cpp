#include "cli/ucisitzung.h"

#include "app/einstellungen.h"
#include "app/programm.h"
#include "core/fen.h"
#include "core/suchebene.h"
#include "game/koordinaten.h"
#include "game/spielablauf.h"

#include <algorithm>
#include <limits>

namespace {

QString erstesWort(const QString &zeile)
{
    return zeile.simplified().section(QLatin1Char(' '), 0, 0);
}

// What "go" asks for. The clocks and increments are white's (0) and black's (1); -1 is a value
// the GUI did not give.
struct GoBefehl
{
    qint64 zeit[2] = {-1, -1};
    qint64 zuschlag[2] = {0, 0};
    qint64 zuegeBisKontrolle = 0;
    qint64 zugzeit = -1;
    qint64 tiefe = 0;
    qint64 knoten = 0;
    bool unendlich = false;
    QStringList ignoriert;
};

GoBefehl leseGo(const QStringList &teile)
{
    GoBefehl go;
    const std::pair<const char *, qint64 *> zahlen[] = {
        {"wtime", &go.zeit[0]},    {"btime", &go.zeit[1]},
        {"winc", &go.zuschlag[0]}, {"binc", &go.zuschlag[1]},
        {"movetime", &go.zugzeit}, {"depth", &go.tiefe},
        {"nodes", &go.knoten},     {"movestogo", &go.zuegeBisKontrolle},
    };
    for (int i = 1; i < teile.size(); ++i) {
        const QString &wort = teile[i];
        if (wort == QLatin1String("infinite")) {
            go.unendlich = true;
            continue;
        }
        const auto gefunden =
            std::find_if(std::begin(zahlen), std::end(zahlen),
                         [&](const auto &z) { return wort == QLatin1String(z.first); });
        bool ok = false;
        const qint64 zahl = teile.value(i + 1).toLongLong(&ok);
        if (gefunden != std::end(zahlen) && ok) {
            *gefunden->second = zahl;
            ++i;
        } else if (wort == QLatin1String("searchmoves")) {
            QStringList zuege(wort);
            while (istKoordinatenZug(teile.value(i + 1)))
                zuege << teile[++i];
            go.ignoriert << zuege.join(QLatin1Char(' '));
        } else {
            go.ignoriert << wort;
        }
    }
    return go;
}

// Kept back from any time the search gets: a stop reaches the search only between two moves near
// its root, and the answer still has to reach the GUI.
qint64 reserve(qint64 ms)
{
    constexpr qint64 GRUNDRESERVE_MS = 50;
    return std::min(ms / 2, GRUNDRESERVE_MS + ms / 20);
}

// How long the search may run before it is stopped, in ms; -1 for as long as the level makes it
// search. On a clock: an even share of the time left over the moves up to the time control (30
// when the GUI does not say), and most of the increment, but never more than the clock holds.
qint64 zeitbudget(const GoBefehl &go, bool schwarz)
{
    constexpr qint64 ANGENOMMENE_ZUEGE = 30;
    if (go.zugzeit >= 0)
        return go.zugzeit - reserve(go.zugzeit);
    const qint64 rest = std::max<qint64>(go.zeit[schwarz], 0);
    if (go.zeit[schwarz] < 0 && go.zeit[!schwarz] < 0)
        return -1;
    const qint64 zuege = go.zuegeBisKontrolle > 0 ? go.zuegeBisKontrolle : ANGENOMMENE_ZUEGE;
    const qint64 anteil = rest / zuege + std::max<qint64>(go.zuschlag[schwarz], 0) * 3 / 4;
    return std::min(anteil, rest - reserve(rest));
}

// The engine's scores count a pawn as 65.
int centipawns(int32_t wert)
{
    return wert * 100 / BAUER;
}

// "mate N" when the line ends in a mate, moves counted from the side to move (negative when it
// is mated); otherwise "cp N".
QString scoreText(const Suchstand &stand)
{
    for (int i = 0; i < stand.linie.size(); ++i) {
        const int32_t matt = ZUG_KEINE_ANTWORT | ZUG_SCHACH;
        if ((stand.linie[i].flags & matt) == matt)
            return QStringLiteral("mate %1").arg(i % 2 == 0 ? i / 2 + 1 : -(i + 1) / 2);
    }
    return QStringLiteral("cp %1").arg(centipawns(stand.wert));
}

QString infoText(int tiefe, qint64 ms, quint64 knoten)
{
    return QStringLiteral("info depth %1 time %2 nodes %3 nps %4")
        .arg(tiefe)
        .arg(ms)
        .arg(knoten)
        .arg(knoten * 1000 / quint64(std::max<qint64>(ms, 1)));
}

QString pvText(const QVector<Zug> &linie)
{
    QStringList zuege;
    for (const Zug &zug : linie)
        zuege << koordinatenText(zug);
    return zuege.join(QLatin1Char(' '));
}

} // namespace

UciSitzung::UciSitzung(Spielablauf &ablauf, std::function<void(const QString &)> senden,
                       std::function<void()> ende, int hoechstStufe)
    : ablauf(ablauf)
    , senden(std::move(senden))
    , ende(std::move(ende))
    , hoechstStufe(hoechstStufe)
    , bote([this](const Suchstand &stand) { zeigeStand(stand); })
{
    zeitgrenze.setSingleShot(true);
    QObject::connect(&zeitgrenze, &QTimer::timeout, [this] { this->ablauf.stoppeBerechnung(); });
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
    } else {
        ignoriert(QStringLiteral("unknown command ") + wort);
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
    bool ok = false;
    const int zahl = teile.value(4).toInt(&ok);
    const QString option = teile.value(2).toLower();
    if (name != 1 || wert != 3 || teile.size() != 5 || !ok)
        ignoriert(teile.join(QLatin1Char(' ')));
    else if (option == QLatin1String("level") && zahl >= 1 && zahl <= 5)
        einstellungen.schwierigkeit = std::min(zahl, hoechstStufe);
    else if (option == QLatin1String("zufall") && zahl >= 0 && zahl <= 100)
        einstellungen.zufall = zahl;
    else if (option == QLatin1String("startphase") && zahl >= 0 && zahl <= 12)
        einstellungen.startEnde = zahl;
    else if (option == QLatin1String("threads") && zahl >= 1 && zahl <= MAX_SUCH_THREADS)
        einstellungen.threads = zahl;
    else
        ignoriert(teile.join(QLatin1Char(' ')));
}

// "position startpos|fen FEN [moves MOVE...]"
void UciSitzung::position(const QStringList &teile)
{
    seitPosition.start();
    const int zuege = teile.indexOf(QStringLiteral("moves"));
    const int ende = zuege < 0 ? teile.size() : zuege;
    QString fen;
    if (teile.value(1) == QLatin1String("startpos") && ende == 2)
        fen = QString::fromLatin1(startFen);
    else if (teile.value(1) == QLatin1String("fen") && ende > 2)
        fen = teile.mid(2, ende - 2).join(QLatin1Char(' '));
    else
        return ignoriert(teile.join(QLatin1Char(' ')));
    stelleAuf(fen, zuege < 0 ? QStringList() : teile.mid(zuege + 1));
}

// A refused FEN leaves the position as it was; a refused move ends the list there. A GUI sends
// the whole game before each search: only the moves since the last position are played on, so
// the clock that runs meanwhile is not spent on playing the game again from its start.
void UciSitzung::stelleAuf(const QString &fen, const QStringList &zuege)
{
    QString fehler;
    const bool weiter = fen == aufgestellt.first && zuege.size() >= aufgestellt.second.size() &&
                        zuege.mid(0, aufgestellt.second.size()) == aufgestellt.second;
    const bool ok = weiter ? ablauf.spieleZuege(zuege.mid(aufgestellt.second.size()), fehler)
                           : ablauf.stelleAuf(fen, zuege, fehler);
    if (ok) {
        aufgestellt = qMakePair(fen, zuege);
        return;
    }
    aufgestellt = {};
    senden(QStringLiteral("info string ") + fehler + QStringLiteral(", ignored from there"));
}

// The level decides how deep the engine searches; depth and nodes only limit it further, and a
// time limit stops it with the best move it has found by then.
void UciSitzung::go(const QStringList &teile)
{
    const GoBefehl befehl = leseGo(teile);
    for (const QString &wort : befehl.ignoriert)
        ignoriert(QStringLiteral("go ") + wort);
    sucht = true;
    unendlich = befehl.unendlich;
    gestoppt = false;
    Suchvorgaben vorgaben;
    vorgaben.tiefe = int(std::clamp<qint64>(befehl.tiefe, 0, MAX_EBENEN - 1));
    vorgaben.knoten = quint64(std::max<qint64>(befehl.knoten, 0));
    vorgaben.fortschritt = [this](const Suchstand &stand) { bote.sende(stand); };
    seitGo.start();
    const qint64 vorlauf = seitPosition.isValid() ? seitPosition.elapsed() : 0;
    seitPosition.invalidate();
    ablauf.berechneZugFuer(
        [this](const Zug &zug, const JobErgebnis &ergebnis) { gefunden(zug, ergebnis); }, vorgaben);
    budget = unendlich ? -1 : zeitbudget(befehl, ablauf.amZug());
    if (budget >= 0) {
        budget =
            std::clamp<qint64>(budget - vorlauf - nachlauf, 0, std::numeric_limits<int>::max());
        zeitgrenze.start(int(budget));
    }
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

// The last line before "bestmove" sums up the whole job. It shows the search's line and score
// when the move played is the search's best; the evaluation after the search may choose another.
void UciSitzung::melde(const Zug &zug, const JobErgebnis &ergebnis)
{
    sucht = false;
    zeitgrenze.stop();
    gehalten.reset();
    // How long the answer took beyond its time; slowly forgotten again.
    if (budget >= 0)
        nachlauf = std::max(seitGo.elapsed() - budget, nachlauf * 7 / 8);
    QString info = infoText(ergebnis.tiefe, seitGo.elapsed(), ergebnis.sucheAufrufe);
    const QVector<Zug> &linie = ergebnis.stand.linie;
    if (zug.von == 0) {
        senden(info);
        senden(QStringLiteral("bestmove 0000"));
        arbeiteAb();
        return;
    }
    if (!linie.isEmpty() && linie[0].von == zug.von && linie[0].nach == zug.nach)
        info += QStringLiteral(" score ") + scoreText(ergebnis.stand) + QStringLiteral(" pv ") +
                pvText(linie);
    else
        info += QStringLiteral(" pv ") + koordinatenText(zug);
    senden(info);
    senden(QStringLiteral("bestmove ") + koordinatenText(zug));
    arbeiteAb();
}

// A search pass of the running job has ended; a pass of a job already answered says nothing.
void UciSitzung::zeigeStand(const Suchstand &stand)
{
    if (!sucht || stand.linie.isEmpty())
        return;
    senden(infoText(stand.tiefe, stand.ms, stand.knoten) + QStringLiteral(" score ") +
           scoreText(stand) + QStringLiteral(" pv ") + pvText(stand.linie));
}

void UciSitzung::ignoriert(const QString &was)
{
    senden(QStringLiteral("info string ignored: ") + was);
}

void UciSitzung::beende()
{
    if (beendet)
        return;
    beendet = true;
    ende();
}

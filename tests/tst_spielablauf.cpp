// The game flow without a window: jobs, the computer's move timer, the clock and the dialogs are
// the test's own, so each case runs step by step, in the order in which a user met it.

#include "core/positionsblock.h"
#include "core/stellung.h"
#include "game/ablaufdienste.h"
#include "game/spielablauf.h"
#include "golden.h"
#include "spielhilfe.h"

#include <QRandomGenerator>
#include <QRegularExpression>

#include <memory>
#include <optional>

namespace {

// The legal moves of a job's position, as the engine would see them.
QList<Zug> legaleZuege(const JobAuftrag &auftrag)
{
    Positionsblock block;
    lesePositionsblock(auftrag.daten, block);
    auto s = std::make_unique<stellung>();
    s->abbruch = nullptr;
    s->setzeRochaderechte(block.rochaderechte.alsWort());
    s->setzeBrett(block.brett);
    s->setzeWandlungsFigur(DAME);
    const Zug &l = block.letzterZug;
    s->setzeLetztenZug(l.von, l.nach, l.wert, l.flags);
    bool koenigSchlagbar;
    int32_t wert;
    s->suche(auftrag.schwarzAmZug, 0, koenigSchlagbar, wert);
    QList<Zug> zuege;
    for (const Zug *z = s->wurzelZuege; z->von != 0; ++z)
        zuege << *z;
    return zuege;
}

// Jobs wait until the test lets them finish, with a legal move of their position picked by the
// test's own random source; the timer waits until the test fires it; the clock moves when the
// test moves it.
class SchrittDienste : public Ablaufdienste
{
public:
    struct Job
    {
        JobAuftrag auftrag;
        JobFertig fertig;
    };

    void starteJob(const JobAuftrag &auftrag, JobFertig fertig) override
    {
        if (job)
            qFatal("a second job while one runs");
        job = Job{auftrag, std::move(fertig)};
        ++gestartet;
    }
    void verwirfJob() override { job.reset(); }
    void starteZugTimer(int, std::function<void()> abgelaufen) override
    {
        timer = std::move(abgelaufen);
        timerAktiv = true;
    }
    void stoppeZugTimer() override { timerAktiv = false; }
    bool zugTimerLaeuft() const override { return timerAktiv; }
    qint64 jetzt() const override { return zeit; }

    bool feuereTimer()
    {
        if (!timerAktiv)
            return false;
        timerAktiv = false;
        timer();
        return true;
    }

    // The job ends with `wert` for its move (the first legal one unless `zufall` picks).
    bool beendeJob(int32_t wert = 0, QRandomGenerator *zufall = nullptr)
    {
        if (!job)
            return false;
        const Job fertig = *std::exchange(job, std::nullopt);
        const QList<Zug> zuege = legaleZuege(fertig.auftrag);
        JobErgebnis ergebnis;
        const Zug zug = zuege.isEmpty() ? Zug{}
                        : zufall        ? zuege[int(zufall->bounded(zuege.size()))]
                                        : zuege.first();
        ergebnis.zug = zug;
        ergebnis.zug.wert = wert;
        ergebnis.text = QString::asprintf("%02d|%02d|%d|00|00|0|T3 %02d|1|-", zug.von, zug.nach,
                                          zug.von ? wert : 0, int(zuege.size()));
        letzter = fertig.auftrag;
        fertig.fertig(fertig.auftrag, ergebnis);
        return true;
    }

    std::optional<Job> job;
    std::optional<JobAuftrag> letzter;
    int gestartet = 0;
    std::function<void()> timer;
    bool timerAktiv = false;
    qint64 zeit = 0;
};

// Questions and dialogs answered as the test says; `waehrend` runs while one is open, as the
// window's event loop goes on under a modal box.
class SkriptRueckfragen : public Rueckfragen
{
public:
    void kritisch(const QString &, const QString &text) override { meldungen << text; }
    bool frage(const QString &, const QString &text) override
    {
        fragen << text;
        if (waehrend)
            waehrend();
        return antwort ? antwort() : ja;
    }
    int speichernDialog(Pgn &) override
    {
        if (waehrend)
            waehrend();
        return speichern;
    }
    int ladenDialog(const QString &, const QList<Pgn> &partien, Pgn &auswahl,
                    QList<Bereich> &) override
    {
        if (waehrend)
            waehrend();
        if (laden == 1 && !partien.isEmpty())
            auswahl = partien.last();
        return laden;
    }

    QStringList fragen;
    QStringList meldungen;
    bool ja = true;
    std::function<bool()> antwort;
    int speichern = 0;
    int laden = 0;
    std::function<void()> waehrend;
};

const QString MITTELSPIEL =
    QStringLiteral("r2q1rk1/ppp2ppp/2npbn2/2b1p3/2B1P3/2NP1N2/PPP1QPPP/R1B2RK1 w - - 0 8");
const QString MATT_IN_EINS =
    QStringLiteral("6k1/ppp2ppp/4b3/q3p2n/n1B1P3/2N2N2/PPP1QPPP/3R2K1 w - - 0 1");

} // namespace

class TestSpielablauf : public QObject
{
    Q_OBJECT

    std::unique_ptr<EigenesZuhause> zuhause;
    std::unique_ptr<Controller> controller;
    SchrittDienste dienste;
    SkriptRueckfragen skript;
    std::unique_ptr<Spielablauf> ablauf;
    bool timerImDialog = false;

    // A fresh flow on the position: the human is to move and the first suggestion is computed.
    void beginne(const QString &fen = QString())
    {
        ablauf.reset();
        dienste = SchrittDienste();
        skript = SkriptRueckfragen();
        ablauf = std::make_unique<Spielablauf>(*controller, dienste);
        ablauf->setzeDarstellung(false, 1000);
        ablauf->setzeKeim(1);
        if (fen.isEmpty())
            ablauf->starteSitzung();
        else
            ablauf->importiereFen(fen);
    }

    bool spiele(const QString &zug)
    {
        int a = 0, b = 0;
        feldAusName(zug.left(2), a);
        feldAusName(zug.mid(2, 2), b);
        return ablauf->menschenzug(a, b, DAME);
    }

    // Fires the timer and lets the computer's job end; true once its move is on the board.
    bool computerZieht()
    {
        const int vorher = lastIndex;
        if (!dienste.feuereTimer() || !dienste.job || dienste.job->auftrag.istVorschlag)
            return false;
        return dienste.beendeJob() && lastIndex == vorher + 1;
    }

    bool schritt(const QString &befehl, const QString &rest)
    {
        QString fehler;
        if (befehl == "zug")
            return spiele(rest);
        if (befehl == "computer")
            return computerZieht();
        if (befehl == "job")
            return dienste.beendeJob();
        if (befehl == "timer")
            return dienste.feuereTimer();
        if (befehl == "antwort")
            skript.ja = rest == "ja";
        else if (befehl == "speicherdialog")
            skript.speichern = rest.toInt();
        else if (befehl == "sichern" || befehl == "laden") {
            (befehl == "sichern" ? skript.speichern : skript.laden) = rest.toInt();
            befehl == "sichern" ? ablauf->sichernOderLaden() : ablauf->ladeBefehl();
        } else if (befehl == "zeile")
            ablauf->waehleZeile(rest.toInt());
        else if (befehl == "stufe")
            ablauf->setzeSchwierigkeit(rest.toInt());
        else if (befehl == "importiere")
            ablauf->importiereFen(rest);
        else if (befehl == "timer-im-dialog")
            timerImDialog = rest == "ja";
        else if (befehl == "autodatei")
            return schreibeAutodatei(rest);
        else if (befehl == "selbst")
            ablauf->setzeSpieler(Spielablauf::Computer, Spielablauf::Computer);
        else if (befehl == "stelleAuf")
            return ablauf->stelleAuf(rest.isEmpty() ? QString(startFen) : rest, {}, fehler);
        else {
            const QHash<QString, void (Spielablauf::*)()> befehle = {
                {"zurueck", &Spielablauf::zugZurueck},
                {"vor", &Spielablauf::zugVor},
                {"tick", &Spielablauf::uhrTick},
                {"neu", &Spielablauf::neuesSpiel},
                {"f3", &Spielablauf::seitenwechsel},
                {"ende", &Spielablauf::beende},
                {"sitzung", &Spielablauf::starteSitzung},
                {"speichern", &Spielablauf::speichereBefehl},
                {"aufgeben", &Spielablauf::aufgeben}};
            if (!befehle.contains(befehl))
                qFatal("unknown step %s", qPrintable(befehl));
            (ablauf.get()->*befehle.value(befehl))();
        }
        return true;
    }

    static bool schreibeAutodatei(QString text)
    {
        QFile datei(appVerzeichnis + "BKAuto.pgn");
        return datei.open(QIODevice::WriteOnly) &&
               datei.write(text.replace("⏎", "\n").toUtf8()) > 0;
    }

    // Index shown/last, side to move and who plays it, the job and timer, waiting commands, flags,
    // the suggestion, both clocks and accounts, the auto-save file and the last position.
    QString zustand() const
    {
        const Spielablauf &a = *ablauf;
        const auto &job = dienste.job;
        const QString auftrag = !job ? "-"
                                     : QString("%1@%2%3")
                                           .arg(job->auftrag.istVorschlag ? "hint" : "move")
                                           .arg(job->auftrag.index)
                                           .arg(*job->auftrag.abbruch ? "/stopped" : "");
        const Zug v = a.vorschlag();
        return QString("%1/%2 %3 %4 job %5 timer %6 waiting %7%8%9%10%11 hint %12 %13 %14 "
                       "%15:%16%17 lines %18 %19")
            .arg(currentIndex)
            .arg(lastIndex)
            .arg(a.amZug() ? "b" : "w", a.computerAmZug() ? "computer" : "human", auftrag)
            .arg(dienste.timerAktiv)
            .arg(a.wartendeBefehle().size())
            .arg(a.ungespeichert() ? " unsaved" : "", a.spielEnde() ? " over" : "",
                 a.geladen() ? " loaded" : "", a.weissUnten() ? "" : " turned")
            .arg(v.von ? koordinatenZug(v.von, v.nach) : "-", a.uhrText(false), a.uhrText(true))
            .arg(controller->zeitWeiss())
            .arg(controller->zeitSchwarz())
            .arg(QFile::exists(appVerzeichnis + "BKAuto.pgn") ? " BKAuto" : "")
            .arg(a.protokoll().size())
            .arg(controller->verlauf()->entry(lastIndex).fen)
            .append(a.denkText().isEmpty() ? "" : " \"" + a.denkText() + '"')
            .append(
                QString(' ' + controller->pgn().ergebnis).remove(QRegularExpression("^ \\*?$")));
    }

private slots:
    void initTestCase()
    {
        // The random sequences save games often; in memory the disk's syncs do not slow them.
        if (QFileInfo(QStringLiteral("/dev/shm")).isWritable())
            qputenv("TMPDIR", "/dev/shm");
        zuhause = std::make_unique<EigenesZuhause>();
        controller = std::make_unique<Controller>();
        einstellungen.schwierigkeit = 1;
        setzeRueckfragen(&skript);
    }
    void cleanupTestCase()
    {
        ablauf.reset();
        setzeRueckfragen(nullptr);
    }

    // Scripted sessions (ablaeufe.txt): each step with its time, and after it the state of the
    // flow, also at every question or dialog it opens; the whole output as in ablaeufe.erwartet.
    void ablaeufe()
    {
        QString ist;
        for (const QString &zeile : datenZeilen("ablaeufe.txt")) {
            if (zeile.isEmpty() || zeile.startsWith('#'))
                continue;
            const QString befehl = zeile.section(' ', 1, 1), rest = zeile.section(' ', 2);
            if (befehl == "beginne") {
                beginne(rest);
                skript.waehrend = [&] {
                    ist += " {dialog: " + zustand() + '}';
                    if (timerImDialog)
                        dienste.feuereTimer();
                };
                ist += "== " + rest + " -> " + zustand() + '\n';
                continue;
            }
            dienste.zeit = zeile.section(' ', 0, 0).toLongLong();
            ist += zeile;
            ist += schritt(befehl, rest) ? " -> " : " (nothing) -> ";
            ist += zustand() + '\n';
        }
        VERGLEICHE_MIT_DATEI(ist, "ablaeufe.erwartet");
    }

    // Seeded sequences of user commands, interleaved at random with job ends, timer ticks,
    // animation ends and time passing, also while a question or dialog is open. After every step
    // the flow must hold together; a failure names its seed and steps.
    void zufaelligeAblaeufe()
    {
        const int anzahl = qEnvironmentVariableIntValue("BRAKMOR_ABLAEUFE");
        int fehler = 0;
        for (quint32 keim = 1; keim <= quint32(anzahl > 0 ? anzahl : 3000) && fehler == 0; ++keim)
            fehler += spieleZufaellig(keim);
        QCOMPARE(fehler, 0);
    }

private:
    int spieleZufaellig(quint32 keim);
};

namespace {

const QString STELLUNGEN[] = {
    MITTELSPIEL,
    MATT_IN_EINS,
    QStringLiteral("4k3/1P6/8/8/8/8/6p1/4K3 w - - 0 40"),
    QStringLiteral("r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 20"),
    QStringLiteral("7k/8/6K1/8/8/8/8/5Q2 w - - 0 60"),
};

} // namespace

int TestSpielablauf::spieleZufaellig(quint32 keim)
{
    QRandomGenerator zufall(keim);
    // Each sequence starts without the games of the last, or loading them would grow with the run.
    QFile::remove(appVerzeichnis + "Brakmor.pgn");
    QFile::remove(appVerzeichnis + "BKAuto.pgn");
    beginne(zufall.bounded(3) == 0 ? STELLUNGEN[zufall.bounded(5)] : QString());
    ablauf->setzeDarstellung(true, 1000);
    skript.antwort = [&] { return zufall.bounded(2) == 0; };
    skript.speichern = 0;
    QStringList schritte;
    QString verletzt;
    bool animation = false;
    qint64 uhrVorher[2] = {0, 0};
    quint64 partie = 0;
    quint64 partieDerUhren = 0;
    connect(ablauf.get(), &Spielablauf::zugGespielt, this, [&] { animation = true; });
    connect(ablauf.get(), &Spielablauf::protokollNeu, this, [&] { ++partie; });

    // Events that a modal dialog's event loop may deliver.
    auto ereignis = [&](int art) {
        switch (art) {
        case 0:
            schritte << "job";
            dienste.beendeJob(int(zufall.bounded(1600)) - 1400, &zufall);
            break;
        case 1:
            schritte << "timer";
            dienste.feuereTimer();
            break;
        case 2:
            if (animation) {
                schritte << "animation";
                animation = false;
                ablauf->animationFertig();
            }
            break;
        default:
            schritte << "time";
            dienste.zeit += zufall.bounded(5000);
            break;
        }
    };
    skript.waehrend = [&] {
        for (int i = int(zufall.bounded(3)); i > 0; --i)
            ereignis(int(zufall.bounded(4)));
    };

    auto pruefe = [&]() -> QString {
        const Spielablauf &a = *ablauf;
        fenStellung fen;
        bool schwarz = false;
        int32_t brett[BRETT_ZELLEN];
        fen.leseFen(controller->verlauf()->entry(currentIndex).fen, schwarz,
                    fenStellung::eigenerText);
        fen.holeBrett(brett);
        if (!std::equal(brett, brett + BRETT_ZELLEN, a.brettKopie()) ||
            !std::equal(brett, brett + BRETT_ZELLEN, controller->brett()) || schwarz != a.amZug())
            return "the board is not the history's position";
        if (a.verweigerteZuege() > 0)
            return "a computer move was refused";
        if (a.computerAmZug() && !a.spielEnde() && !a.dialogOffen() && currentIndex == lastIndex &&
            !dienste.timerAktiv && !dienste.job && !animation && a.wartendeBefehle().isEmpty())
            return "the computer is to move and nothing brings its move";
        const Zug v = a.vorschlag();
        if (v.von != 0 && currentIndex == lastIndex &&
            (a.spielEnde() || !controller->istLegalerZug(v.von, v.nach)))
            return "the suggestion does not belong to the position";
        // Every game starts its clocks at zero.
        if (partie != partieDerUhren) {
            partieDerUhren = partie;
            uhrVorher[0] = uhrVorher[1] = 0;
        }
        if (currentIndex == lastIndex && lastIndex > 0) {
            const qint64 jetzt[2] = {
                QTime::fromString(a.uhrText(false), "hh:mm:ss").msecsSinceStartOfDay(),
                QTime::fromString(a.uhrText(true), "hh:mm:ss").msecsSinceStartOfDay()};
            for (int s = 0; s < 2; ++s) {
                if (jetzt[s] < uhrVorher[s])
                    return "a clock ran backwards";
                uhrVorher[s] = jetzt[s];
            }
        }
        return QString();
    };

    for (int n = 0; n < 40 && verletzt.isEmpty(); ++n) {
        const quint64 partieVorher = partie;
        const int indexVorher = lastIndex;
        const std::optional<JobAuftrag> vorher =
            dienste.job ? std::optional<JobAuftrag>(dienste.job->auftrag) : std::nullopt;
        const QString fenVorher = controller->verlauf()->entry(lastIndex).fen;
        const int wahl = int(zufall.bounded(21));
        if (wahl < 5) {
            ereignis(wahl % 4);
            // A job's move lands only on the position it was computed for.
            if (vorher && !dienste.job && partie == partieVorher && lastIndex == indexVorher + 1 &&
                (vorher->index != indexVorher || vorher->fen != fenVorher) &&
                !(vorher->istVorschlag))
                verletzt = "a result was played on another position";
        } else if (wahl < 10) {
            const QList<Zug> zuege = [&] {
                QList<Zug> l;
                for (const Zug *z = controller->legaleZuege(); z->von != 0; ++z)
                    l << *z;
                return l;
            }();
            if (!zuege.isEmpty() && !ablauf->computerAmZug() && !ablauf->spielEnde()) {
                const Zug z = zuege[int(zufall.bounded(zuege.size()))];
                const int32_t figuren[] = {DAME, TURM, LAEUFER, PFERD};
                schritte << "move " + feldName(z.von) + feldName(z.nach);
                if (!ablauf->menschenzug(z.von, z.nach, figuren[zufall.bounded(4)]))
                    verletzt = "a legal move was refused";
            }
        } else {
            static const QString befehle[] = {"neu",   "f3",       "vor",        "zurueck",
                                              "zeile", "sichern",  "laden",      "importiere",
                                              "stufe", "aufgeben", "vor am Ende"};
            const QString befehl = befehle[std::min(wahl - 10, 10)];
            QString wert;
            if (befehl == "zeile")
                wert = QString::number(zufall.bounded(ablauf->protokoll().size() + 1));
            else if (befehl == "sichern" || befehl == "laden")
                wert = QString::number(zufall.bounded(2));
            else if (befehl == "importiere")
                wert = STELLUNGEN[zufall.bounded(5)];
            else if (befehl == "stufe")
                wert = QString::number(zufall.bounded(5) + 1);
            schritte << befehl + ' ' + wert;
            if (befehl != "vor am Ende" || ablauf->vorKnopfAktiv())
                schritt(befehl.section(' ', 0, 0), wert);
        }
        if (verletzt.isEmpty())
            verletzt = pruefe();
    }
    einstellungen.schwierigkeit = 1;
    if (!verletzt.isEmpty())
        qWarning("seed %u: %s after: %s", keim, qPrintable(verletzt),
                 qPrintable(schritte.join(", ")));
    return verletzt.isEmpty() ? 0 : 1;
}

QTEST_MAIN(TestSpielablauf)
#include "tst_spielablauf.moc"

#include "core/felder.h"
#include "core/fen.h"
#include "core/positionsblock.h"
#include "engine/abbrechen.h"
#include "engine/berechnezug.h"
#include "engine/jobtext.h"
#include "golden.h"
#include "jobtexte.h"
#include "testhilfe.h"

#include <QFutureWatcher>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtConcurrent>
#include <QtTest>

namespace {

JobKontext kontext(int stufe, quint32 keim = 1)
{
    JobKontext k;
    k.schwierigkeit = stufe;
    k.zufallsKeim = keim;
    return k;
}

QStringList job(const QString &fen, const JobKontext &k, bool istVorschlag = false)
{
    bool schwarz;
    const QByteArray daten = blockAusFen(fen, schwarz);
    return berechneZug(schwarz, istVorschlag, daten, k).split(QLatin1Char('|'));
}

const QString MITTELSPIEL =
    QStringLiteral("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1");

} // namespace

class TestBerechneZug : public QObject
{
    Q_OBJECT

private slots:
    void falscheBlockgroesse();
    void zweiterGegenRemis();
    void abbruch();
    void abbruchAntwortetGut();
    void threadsWieAufgezeichnet();
    void vorgaben();
};

void TestBerechneZug::falscheBlockgroesse()
{
    bool schwarz;
    const QByteArray richtig = blockAusFen(QString::fromLatin1(startFen), schwarz);
    for (const QByteArray &falsch : {richtig.left(507), richtig + 'x', QByteArray()})
        QCOMPARE(berechneZug(false, false, falsch, kontext(1)),
                 QStringLiteral("00|00|0|00|00|0|T3 00|0|-"));
    QCOMPARE(berechneZug(false, false, QByteArray(), kontext(3)),
             QStringLiteral("00|00|0|00|00|0|T5 00|0|-"));
}

// The runner-up as read from a job's text, and the rule that plays it when the move would allow a
// draw: only while it keeps the side's score with its material lead above -130.
void TestBerechneZug::zweiterGegenRemis()
{
    const JobFelder f = zerlegeJobText(QStringLiteral("85|65|40|86|66|-100|T5 20|7|M"));
    QCOMPARE(QList<int>({f.zug.von, f.zug.nach, f.zug.wert, f.zweiter.von, f.zweiter.nach,
                         f.zweiter.wert}),
             QList<int>({85, 65, 40, 86, 66, -100}));
    QCOMPARE(QList<bool>({::zweiterGegenRemis(f, 0, true), ::zweiterGegenRemis(f, -40, true),
                          ::zweiterGegenRemis(f, 0, false)}),
             QList<bool>({true, false, false}));
}

// The window runs the job on the thread pool; a stop asked meanwhile ends it early, without a
// report.
void TestBerechneZug::abbruch()
{
    QTemporaryDir ordner;
    JobKontext k = kontext(5);
    k.htmlWertetabelle = true;
    k.datenordner = ordner.path() + QLatin1Char('/');
    bool schwarz;
    const QByteArray daten = blockAusFen(MITTELSPIEL, schwarz);
    QFutureWatcher<QString> beobachter;
    QSignalSpy fertig(&beobachter, &QFutureWatcher<QString>::finished);
    beobachter.setFuture(QtConcurrent::run(berechneZug, schwarz, false, daten, k));
    abbrechen = true;
    QVERIFY(fertig.wait(60000));
    abbrechen = false;

    const QStringList felder = beobachter.result().split(QLatin1Char('|'));
    QCOMPARE(felder.size(), 9);
    QCOMPARE(felder.at(8), QStringLiteral("-"));
    QVERIFY(felder.at(0).toInt() >= 22);
    // Kiwipete has 48 moves; the search stopped long before.
    const QRegularExpressionMatch anzahl =
        QRegularExpression(QStringLiteral("^T\\d (\\d\\d)$")).match(felder.at(6));
    QVERIFY(anzahl.hasMatch());
    QVERIFY(anzahl.captured(1).toInt() < 48);
    QVERIFY(QDir(ordner.path()).isEmpty());
}

// A stop asked before the job starts still gets a legal move, even where most root moves are
// illegal; one asked before the deeper search leaves the first search's list standing.
void TestBerechneZug::abbruchAntwortetGut()
{
    auto s = ladeTestStellung(MITTELSPIEL);
    s->berechneKoenigsnaehe();
    s->setzeMaxTiefe(5);
    bool koenigSchlagbar;
    int32_t wert;
    s->suche(false, 0, koenigSchlagbar, wert);
    QString ersteSuche;
    for (const Zug *w = s->wurzelZuege; w < s->wurzelZuege + 2; ++w)
        ersteSuche += QStringLiteral("%1|%2|%3|").arg(w->von).arg(w->nach).arg(w->wert);
    ersteSuche += QLatin1String("T5 48|*|-");
    // After Bxf7+ Black may only play Kh8, Kxf7, Rxf7 or Qxf7.
    const QString schach =
        QStringLiteral("r4rk1/1pp1qBpp/p1np1n2/2b1p1B1/4P1b1/P1NP1N2/1PP1QPPP/R4RK1 b - - 0 20");
    for (const int threads : {1, 2}) {
        std::atomic<bool> stopp{true};
        JobKontext k = kontext(5);
        k.abbruch = &stopp;
        k.threads = threads;
        QStringList felder = job(schach, k);
        const QString zug = feldName(felder[0].toInt()) + feldName(felder[1].toInt());
        QVERIFY2(QStringList({"G8H8", "G8F7", "F8F7", "E7F7"}).contains(zug), qPrintable(zug));
        QVERIFY(felder[6].startsWith(QLatin1String("T6 0")) && !felder[6].contains('/'));
        QCOMPARE(felder[8], QStringLiteral("-"));

        stopp = false;
        bool vertieft = false;
        k.vorVertiefung = [&] {
            vertieft = true;
            stopp = true;
        };
        felder = job(MITTELSPIEL, k);
        QVERIFY(vertieft);
        felder[7] = "*";
        QCOMPARE(felder.join('|'), ersteSuche);
    }
}

// Root moves searched side by side give the recorded results (tst_jobtexte checks all of them
// with one thread): every third job that searches deeper than the first search.
void TestBerechneZug::threadsWieAufgezeichnet()
{
    int n = 0;
    for (const QString &zeile : datenZeilen("jobtexte.txt")) {
        Jobfall fall;
        if (!istJobfall(zeile) || !leseJobfall(zeile, fall) || fall.stufe < 3 ||
            !fall.text.contains(QLatin1Char('/')) || n++ % 3 != 0)
            continue;
        QCOMPARE(jobfallText(fall, 2), fall.text);
    }
    QVERIFY(n > 20);
}

// A front end's limits. Each finished search pass is reported, the deeper one last and with the
// move played; the depth limit caps both searches. A limit on the calls of suche stops the job in
// the middle of a root move, which is then left out: the move played keeps the score the full
// search gives it.
void TestBerechneZug::vorgaben()
{
    bool schwarz;
    const QByteArray daten =
        blockAusFen(QStringLiteral("8/8/4k3/8/8/4K3/3P4/8 w - - 0 1"), schwarz);
    for (const auto &[grenze, tiefen] : {std::pair{0, QVector<int>{5, 7}}, {6, {5, 6}}, {1, {2}}}) {
        JobKontext k = kontext(5);
        k.ersteSuchzeit = 30; // two plies more
        k.vorgaben.tiefe = grenze;
        QVector<Suchstand> staende;
        k.vorgaben.fortschritt = [&](const Suchstand &stand) { staende << stand; };
        const JobErgebnis ergebnis = fuehreJobAus(schwarz, false, daten, k);
        QVector<int> gemeldet;
        for (const Suchstand &stand : staende)
            gemeldet << stand.tiefe;
        QCOMPARE(gemeldet, tiefen);
        QCOMPARE(ergebnis.tiefe, tiefen.last());
        QVERIFY(staende.last().linie.size() >= 1 &&
                staende.last().linie[0].von == ergebnis.stand.linie[0].von &&
                staende.last().knoten <= ergebnis.sucheAufrufe);
    }

    std::unique_ptr<stellung> suchen[2];
    for (auto &s : suchen) {
        s = ladeTestStellung(MITTELSPIEL);
        s->berechneKoenigsnaehe();
        s->setzeMaxTiefe(5);
        s->knotenGrenze = suchen[0] ? suchen[0]->sucheAufrufe / 3 : 0;
        bool koenigSchlagbar;
        int32_t wert;
        s->suche(false, 0, koenigSchlagbar, wert);
    }
    int n = 0;
    for (const Zug *t = suchen[1]->wurzelZuege; t->von != 0; ++t, ++n) {
        const Zug *w = suchen[0]->wurzelZuege;
        while (w->von != 0 && (w->von != t->von || w->nach != t->nach))
            ++w;
        QCOMPARE(t->wert, w->wert);
    }
    QVERIFY(suchen[1]->abgebrochen && n > 0 && n < 40);
    JobKontext k = kontext(5);
    k.vorgaben.knoten = suchen[0]->sucheAufrufe / 3;
    const QString text = berechneZug(false, false, blockAusFen(MITTELSPIEL, schwarz), k);
    QVERIFY2(text.section('|', 6, 6) == QStringLiteral("T5 %1").arg(n), qPrintable(text));
}

QTEST_MAIN(TestBerechneZug)
#include "tst_berechnezug.moc"

#include "core/felder.h"
#include "core/fen.h"
#include "core/stellung.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// The legal moves of a position, in coordinate notation.
QStringList legaleZuege(const QString &text)
{
    fenStellung fen;
    bool schwarz;
    if (fen.leseFen(text, schwarz) != 0)
        qFatal("test position not readable: %s", qPrintable(text));
    int32_t brett[BRETT_ZELLEN];
    fen.holeBrett(brett);
    auto s = std::make_unique<stellung>();
    s->setzeRochaderechte(fen.holeRochaderechte());
    s->setzeBrett(brett);
    s->setzeWandlungsFigur(DAME);
    const Zug letzter = fen.holeLetztenZug();
    s->setzeLetztenZug(letzter.von, letzter.nach, letzter.wert, letzter.flags);
    bool koenigSchlagbar;
    int32_t wert;
    s->suche(schwarz, 0, koenigSchlagbar, wert);
    QStringList zuege;
    for (int i = 0; s->wurzelZuege[i].von != 0; ++i) {
        const Zug &z = s->wurzelZuege[i];
        zuege << koordinatenZug(z.von, z.nach, (z.flags & ZUG_WANDLUNG) ? DAME : 0);
    }
    return zuege;
}

} // namespace

// brakmor-cli runs with HOME and the data folder in a temporary folder, so the user's settings
// are never touched.
class TestCliEngine : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void job();
    void uciSitzung();
    void selbstspiel();

private:
    QProcess *starte(const QStringList &argumente);
    QString datenordner() const { return basis->filePath(QStringLiteral("daten/Brakmor/")); }

    std::unique_ptr<QTemporaryDir> basis;
    std::unique_ptr<QProcess> prozess;
};

void TestCliEngine::init()
{
    basis = std::make_unique<QTemporaryDir>();
    QVERIFY(basis->isValid());
    QVERIFY(QDir().mkpath(datenordner()));
}

QProcess *TestCliEngine::starte(const QStringList &argumente)
{
    prozess = std::make_unique<QProcess>();
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    umgebung.insert(QStringLiteral("HOME"), basis->path());
    umgebung.insert(QStringLiteral("XDG_DATA_HOME"), basis->filePath(QStringLiteral("daten")));
    prozess->setProcessEnvironment(umgebung);
    prozess->start(QStringLiteral(BRAKMOR_CLI), argumente);
    if (!prozess->waitForStarted())
        qFatal("brakmor-cli did not start");
    return prozess.get();
}

void TestCliEngine::job()
{
    const QString ini = datenordner() + QLatin1String("Brakmor.ini");
    {
        QSettings einstellungen(ini, QSettings::IniFormat);
        einstellungen.setValue(QStringLiteral("AppInfos/AnzahlStarts"), 7);
        einstellungen.setValue(QStringLiteral("Bewertung/Schwierigkeit"), 3);
        einstellungen.setValue(QStringLiteral("Allgemein/Sprache"), 0);
    }

    QProcess *p =
        starte({QStringLiteral("job"), QStringLiteral("--level"), QStringLiteral("1"),
                QStringLiteral("--report"), QStringLiteral("e2e4"), QStringLiteral("e7e5")});
    QVERIFY(p->waitForFinished(30000));
    QCOMPARE(p->exitCode(), 0);
    const QStringList zeilen =
        QString::fromUtf8(p->readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(zeilen.size(), 2);
    const QString bericht = datenordner() + QLatin1String("Schach-Bewertung_ws.html");
    QCOMPARE(zeilen.first(), QStringLiteral("report: ") + bericht);
    QVERIFY(QFile::exists(bericht));
    const QStringList felder = zeilen.last().split(QLatin1Char('|'));
    QCOMPARE(felder.size(), 9);
    const QString zug = (feldName(felder[0].toInt()) + feldName(felder[1].toInt())).toLower();
    QVERIFY(
        legaleZuege(QStringLiteral("rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq e6 0 2"))
            .contains(zug));
    QVERIFY(felder[6].startsWith(QLatin1String("T3 ")));

    // The run changed nothing the user had saved.
    QSettings danach(ini, QSettings::IniFormat);
    QCOMPARE(danach.value(QStringLiteral("AppInfos/AnzahlStarts")).toInt(), 7);
    QCOMPARE(danach.value(QStringLiteral("Bewertung/Schwierigkeit")).toInt(), 3);
    QCOMPARE(danach.value(QStringLiteral("Bewertung/HTML_Wertetabelle")).toString(),
             QStringLiteral("false"));

    // Mated: the empty result. An illegal move is refused with a message.
    p = starte({QStringLiteral("job"), QStringLiteral("--fen"),
                QStringLiteral("R5k1/5ppp/8/8/8/8/5PPP/6K1 b - - 0 1")});
    QVERIFY(p->waitForFinished(30000));
    QVERIFY(p->readAllStandardOutput().startsWith("00|00|0|00|00|0|T5 00|"));
    p = starte({QStringLiteral("job"), QStringLiteral("e2e5")});
    QVERIFY(p->waitForFinished(30000));
    QCOMPARE(p->exitCode(), 1);
    QVERIFY(p->readAllStandardError().contains("e2e5"));
}

void TestCliEngine::uciSitzung()
{
    QProcess *p = starte({QStringLiteral("uci")});
    QStringList ausgabe;
    // Sends the lines and collects the answers up to the first line that starts with `bis`.
    auto sprich = [&](const QByteArray &text, const QString &bis) {
        p->write(text);
        for (;;) {
            while (!p->canReadLine()) {
                if (!p->waitForReadyRead(30000))
                    return false;
            }
            while (p->canReadLine()) {
                const QString zeile = QString::fromUtf8(p->readLine()).trimmed();
                ausgabe << zeile;
                if (zeile.startsWith(bis))
                    return true;
            }
        }
    };

    QVERIFY(sprich("uci\n", QStringLiteral("uciok")));
    QVERIFY(ausgabe.contains(QStringLiteral("id name Brakmor")));
    QVERIFY(ausgabe.contains(QStringLiteral("option name Level type spin default 5 min 1 max 5")));
    QVERIFY(sprich("isready\n", QStringLiteral("readyok")));

    ausgabe.clear();
    QVERIFY(sprich("setoption name Level value 1\nposition startpos moves e2e4 e7e5\n"
                   "go wtime 60000 btime 60000 winc 0 binc 0\n",
                   QStringLiteral("bestmove")));
    QCOMPARE(ausgabe.size(), 2);
    const QRegularExpressionMatch info =
        QRegularExpression(QStringLiteral("^info depth 3 time \\d+ nodes \\d+ score cp -?\\d+ pv "
                                          "([a-h][1-8][a-h][1-8])$"))
            .match(ausgabe.first());
    QVERIFY2(info.hasMatch(), qPrintable(ausgabe.first()));
    QCOMPARE(ausgabe.last(), QStringLiteral("bestmove ") + info.captured(1));
    QVERIFY(
        legaleZuege(QStringLiteral("rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq e6 0 2"))
            .contains(info.captured(1)));

    // Rubbish and illegal moves are passed over.
    QVERIFY(sprich("foo\nsetoption name\nsetoption name Level value 9\nposition\n"
                   "position fen 9/9 w\nposition startpos moves e2e4 zz\n"
                   "position startpos moves e2e5\nisready\n",
                   QStringLiteral("readyok")));
    ausgabe.clear();
    QVERIFY(sprich("position fen R5k1/5ppp/8/8/8/8/5PPP/6K1 b - - 0 1\ngo\n",
                   QStringLiteral("bestmove")));
    QCOMPARE(ausgabe.last(), QStringLiteral("bestmove 0000"));

    // An infinite search reports when stopped; the next position waits for it.
    ausgabe.clear();
    QVERIFY(sprich("position startpos\ngo infinite\nisready\n", QStringLiteral("readyok")));
    QVERIFY(sprich("stop\n", QStringLiteral("bestmove")));
    QVERIFY(legaleZuege(QString::fromLatin1(startFen))
                .contains(ausgabe.last().section(QLatin1Char(' '), 1)));

    p->write("quit\n");
    QVERIFY(p->waitForFinished(30000));
    QCOMPARE(p->exitStatus(), QProcess::NormalExit);
    QCOMPARE(p->exitCode(), 0);
}

// A few games at the easiest level. The seed decides the openings and every random term of the
// engine, so a second run plays the same games.
void TestCliEngine::selbstspiel()
{
    const QStringList aufruf = {QStringLiteral("selfplay"), QStringLiteral("3"),
                                QStringLiteral("--level"),  QStringLiteral("1"),
                                QStringLiteral("--seed"),   QStringLiteral("5")};
    QProcess *p = starte(aufruf);
    QVERIFY(p->waitForFinished(120000));
    QCOMPARE(p->exitCode(), 0);
    const QStringList zeilen =
        QString::fromUtf8(p->readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(zeilen.size(), 5);
    const QRegularExpression partie(
        QStringLiteral("^game (\\d): (1-0|0-1|1/2-1/2|\\*) (\\d+) half-moves, (.*)$"));
    const QStringList remisGruende = {
        QStringLiteral("stalemate"), QStringLiteral("insufficient material"),
        QStringLiteral("fifty-move rule"), QStringLiteral("threefold repetition")};
    for (int i = 0; i < 3; ++i) {
        const QRegularExpressionMatch m = partie.match(zeilen[i]);
        QVERIFY2(m.hasMatch(), qPrintable(zeilen[i]));
        QCOMPARE(m.captured(1).toInt(), i + 1);
        QVERIFY(m.captured(3).toInt() > 0 && m.captured(3).toInt() <= 300);
        const QString ergebnis = m.captured(2);
        const QString grund = m.captured(4);
        if (grund == QLatin1String("checkmate"))
            QVERIFY(ergebnis == QLatin1String("1-0") || ergebnis == QLatin1String("0-1"));
        else if (grund == QLatin1String("half-move limit"))
            QCOMPARE(ergebnis, QStringLiteral("*"));
        else
            QVERIFY2(remisGruende.contains(grund) && ergebnis == QLatin1String("1/2-1/2"),
                     qPrintable(zeilen[i]));
    }
    QVERIFY2(zeilen[3].startsWith(QLatin1String("games 3 level 1 seed 5: ")) &&
                 zeilen[3].endsWith(QLatin1String("; refused moves 0")),
             qPrintable(zeilen[3]));

    p = starte(aufruf);
    QVERIFY(p->waitForFinished(120000));
    QCOMPARE(QString::fromUtf8(p->readAllStandardOutput())
                 .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                 .mid(0, 4),
             zeilen.mid(0, 4));

    for (const QStringList &falsch :
         {QStringList{QStringLiteral("selfplay")},
          QStringList{QStringLiteral("selfplay"), QStringLiteral("0")},
          QStringList{QStringLiteral("selfplay"), QStringLiteral("2"), QStringLiteral("--level"),
                      QStringLiteral("7")},
          QStringList{QStringLiteral("selfplay"), QStringLiteral("2"), QStringLiteral("--seed")}}) {
        p = starte(falsch);
        QVERIFY(p->waitForFinished(30000));
        QCOMPARE(p->exitCode(), 2);
    }
}

QTEST_MAIN(TestCliEngine)
#include "tst_cli_engine.moc"

// Runs the built brakmor-cli as a user would, with HOME and the data folder in a temporary folder.
#include "golden.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const QString nachE5 = "rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq e6 0 2";

struct Lauf
{
    int status;
    QStringList zeilen;
    QString fehler;
};

} // namespace

class TestCliEngine : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> basis;

    QString datenordner() const { return basis->filePath("daten/Brakmor/"); }

    std::unique_ptr<QProcess> starte(const QStringList &argumente)
    {
        auto prozess = std::make_unique<QProcess>();
        QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
        umgebung.insert("HOME", basis->path());
        umgebung.insert("TMPDIR", basis->path());
        umgebung.insert("XDG_DATA_HOME", basis->filePath("daten"));
        prozess->setProcessEnvironment(umgebung);
        prozess->start(BRAKMOR_CLI, argumente);
        if (!prozess->waitForStarted())
            qFatal("brakmor-cli did not start");
        return prozess;
    }

    Lauf lauf(const QStringList &argumente)
    {
        const auto p = starte(argumente);
        if (!p->waitForFinished(120000))
            qFatal("brakmor-cli did not finish");
        return Lauf{p->exitCode(), QString::fromUtf8(p->readAllStandardOutput()).split('\n'),
                    QString::fromUtf8(p->readAllStandardError())};
    }

    // The legal moves of a position as the program lists them, in coordinate notation.
    QStringList legaleZuege(const QString &fen)
    {
        QStringList zuege;
        for (const QString &zeile : lauf({"legal", fen}).zeilen)
            zuege << zeile.section(' ', 0, 0);
        return zuege;
    }

private slots:
    void init()
    {
        basis = std::make_unique<QTemporaryDir>();
        QVERIFY(basis->isValid());
        QVERIFY(QDir().mkpath(datenordner()));
    }

    // A command-line run is no program start, and a job's level and report are that run's: the
    // user's ini is read, never written.
    void einstellungenBleiben()
    {
        const QString ini = datenordner() + "Brakmor.ini";
        QSettings(ini, QSettings::IniFormat).setValue("AppInfos/AnzahlStarts", 7);
        QSettings(ini, QSettings::IniFormat).setValue("Bewertung/Schwierigkeit", 3);
        QFile datei(ini);
        QVERIFY(datei.open(QIODevice::ReadOnly));
        const QByteArray vorher = datei.readAll();
        datei.close();
        const QString pgn = basis->filePath("eine.pgn");
        QFile partie(pgn);
        QVERIFY(partie.open(QIODevice::WriteOnly));
        partie.write("[Event \"a\"]\n1. e4 *\n");
        partie.close();
        QCOMPARE(lauf({"legal"}).status, 0);
        QCOMPARE(lauf({"play", "e2e4"}).status, 0);
        QCOMPARE(lauf({"pgn", pgn}).status, 0);
        QCOMPARE(lauf({"job", "--level", "1", "--report"}).status, 0);
        QCOMPARE(lauf({"selfplay", "1", "--level", "1"}).status, 0);
        const auto uci = starte({"uci"});
        uci->write("setoption name Level value 2\nquit\n");
        QVERIFY(uci->waitForFinished(30000));
        QVERIFY(datei.open(QIODevice::ReadOnly));
        QCOMPARE(datei.readAll(), vorher);
    }

    // Each line of cli.txt run as it stands (@ the test data folder, ~ a temporary one): its
    // output, its first line of errors and its status against cli.erwartet, the times taken and the
    // temporary folder masked. A job without a level plays the ini's.
    void befehleWieAufgezeichnet()
    {
        QSettings(datenordner() + "Brakmor.ini", QSettings::IniFormat)
            .setValue("Bewertung/Schwierigkeit", 3);
        QString ist;
        for (const QString &zeile : datenZeilen("cli.txt")) {
            if (zeile.isEmpty() || zeile.startsWith('#'))
                continue;
            const Lauf l = lauf(QString(zeile)
                                    .replace("@", BRAKMOR_TESTDATA "/")
                                    .replace("~", basis->path())
                                    .split(' '));
            ist += "$ " + zeile + '\n' + l.zeilen.join('\n') + "! " + l.fehler.section('\n', 0, 0) +
                   QString(" (%1)\n").arg(l.status);
        }
        ist.replace(basis->path(), "~")
            .replace(QRegularExpression("^((?:[^|\\n]*\\|){7})\\d+(?=\\|)|( in )[\\d.]+ s, .*$",
                                        QRegularExpression::MultilineOption),
                     "\\1\\2*");
        VERGLEICHE_MIT_DATEI(ist, "cli.erwartet");
    }

    void uciSitzung()
    {
        const auto p = starte({"uci"});
        QStringList ausgabe;
        // Sends the lines and collects the answers up to the first line that starts with `bis`.
        auto sprich = [&](const QByteArray &text, const QString &bis) {
            ausgabe.clear();
            p->write(text);
            while (ausgabe.isEmpty() || !ausgabe.last().startsWith(bis)) {
                if (p->canReadLine())
                    ausgabe << QString::fromUtf8(p->readLine()).trimmed();
                else if (!p->waitForReadyRead(30000))
                    return false;
            }
            return true;
        };
        // The answer to one search: its info lines are well formed, the last one's line starts
        // with the move played, and that move is legal. Returns the last info line.
        const QRegularExpression infoZeile(
            "^info depth (\\d+) time \\d+ nodes (\\d+) nps \\d+( score (cp|mate) -?\\d+)? "
            "pv ([a-h][1-8][a-h][1-8]q?)( [a-h][1-8][a-h][1-8]q?)*$");
        auto pruefeSuche = [&](const QString &fen) {
            const QStringList infos = ausgabe.filter(QRegularExpression("^info (?!string)"));
            for (const QString &zeile : infos) {
                if (!infoZeile.match(zeile).hasMatch())
                    return "bad info line: " + zeile;
            }
            const QString zug = ausgabe.last().section(' ', 1);
            if (infos.isEmpty() || infoZeile.match(infos.last()).captured(5) != zug ||
                !legaleZuege(fen).contains(zug))
                return "bad answer: " + ausgabe.join(" / ");
            return infos.last();
        };

        QVERIFY(sprich("uci\n", "uciok"));
        QVERIFY(ausgabe.contains("option name Level type spin default 5 min 1 max 5"));
        QVERIFY(ausgabe
                    .filter(QRegularExpression("^option name Threads type spin default [1-9]\\d* "
                                               "min 1 max 64$"))
                    .size() == 1);
        QVERIFY(sprich("setoption name Level value 1\nsetoption name Threads value 2\n"
                       "position startpos moves e2e4 e7e5\n"
                       "go wtime 60000 btime 60000 winc 0 binc 0\n",
                       "bestmove"));
        QVERIFY2(pruefeSuche(nachE5).startsWith("info depth 3 "), qPrintable(ausgabe.join('\n')));

        // Input the engine cannot use is named, and a refused FEN says why.
        QVERIFY(sprich("frobnicate\nsetoption name Nope value 1\nsetoption name Level value 9\n"
                       "position startpos moves e2e4 e2e4\nposition fen 8/8/8/8/8/8/8/8 w - - 0 "
                       "1\ngo searchmoves e2e4 depth 2\n",
                       "bestmove"));
        const QStringList hinweise = ausgabe.filter(QRegularExpression("^info string "));
        QVERIFY2(
            hinweise.size() == 6 && hinweise[0].contains("frobnicate") &&
                hinweise[3].contains("e2e4") &&
                QRegularExpression("FEN \\(result -?\\d+\\): \\S").match(hinweise[4]).hasMatch() &&
                hinweise[5].contains("searchmoves"),
            qPrintable(hinweise.join('\n')));

        // At the highest level: a mate is reported as one, depth and nodes cut the search short.
        const QString matt = "6k1/5ppp/8/8/8/8/5PPP/R5K1 w - - 0 1";
        QVERIFY(sprich("setoption name Level value 5\nposition fen " + matt.toLatin1() + "\ngo\n",
                       "bestmove"));
        QVERIFY2(pruefeSuche(matt).contains(" score mate 1 pv a1a8"),
                 qPrintable(ausgabe.join('\n')));
        const QByteArray mitte =
            "position startpos moves e2e4 e7e5 g1f3 b8c6 f1b5 g8f6 e1g1 f8c5\n";
        const QString mitteFen =
            "r1bqk2r/pppp1ppp/2n2n2/1Bb1p3/4P3/5N2/PPPP1PPP/RNBQ1RK1 w kq - 6 5";
        QVERIFY(sprich(mitte + "go depth 2\n", "bestmove"));
        QVERIFY(ausgabe.filter(QRegularExpression("^info depth (?!2 )")).isEmpty());
        QVERIFY(sprich(mitte + "go depth 5\n", "bestmove"));
        const qint64 alle = infoZeile.match(pruefeSuche(mitteFen)).captured(2).toLongLong();
        QVERIFY(sprich(mitte + "go nodes 10000\n", "bestmove"));
        const qint64 wenige = infoZeile.match(pruefeSuche(mitteFen)).captured(2).toLongLong();
        QVERIFY2(wenige > 0 && wenige * 4 < alle,
                 qPrintable(QString("%1 %2").arg(wenige).arg(alle)));

        // An infinite search keeps its move until "stop".
        QVERIFY(sprich(mitte + "go infinite\n", "info depth"));
        QVERIFY(sprich("isready\n", "readyok"));
        QVERIFY(ausgabe.filter("bestmove").isEmpty());
        QVERIFY(sprich("stop\n", "bestmove"));
        QVERIFY2(!pruefeSuche(mitteFen).startsWith("bad"), qPrintable(ausgabe.join('\n')));

        // Sent at once, as a GUI may: every "go" gets its one "bestmove", "stop" and "quit"
        // included, and the session ends after the last.
        p->write("go\nstop\nposition startpos moves e2e4\ngo depth 3\nquit\n");
        QVERIFY(p->waitForFinished(30000));
        QCOMPARE(p->exitStatus(), QProcess::NormalExit);
        QCOMPARE(p->exitCode(), 0);
        const QStringList rest = QString::fromUtf8(p->readAllStandardOutput()).split('\n');
        QCOMPARE(rest.filter(QRegularExpression("^bestmove [a-h][1-8][a-h][1-8]$")).size(), 2);
    }
};

QTEST_MAIN(TestCliEngine)
#include "tst_cli_engine.moc"

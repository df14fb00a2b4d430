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
        const QRegularExpressionMatch info =
            QRegularExpression("^info depth 3 time \\d+ nodes \\d+ score cp -?\\d+ pv "
                               "([a-h][1-8][a-h][1-8])\nbestmove \\1$")
                .match(ausgabe.join('\n'));
        QVERIFY2(info.hasMatch(), qPrintable(ausgabe.join('\n')));
        QVERIFY(legaleZuege(nachE5).contains(info.captured(1)));

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

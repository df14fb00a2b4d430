// Runs the built brakmor-cli as a user would, with HOME in a temporary folder.
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestCli : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir zuhause;

    struct Lauf
    {
        int status;
        QStringList zeilen;
        QString fehler;
    };

    Lauf starte(const QStringList &argumente)
    {
        QProcess prozess;
        QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
        umgebung.insert("HOME", zuhause.path());
        umgebung.insert("TMPDIR", zuhause.path());
        umgebung.remove("XDG_DATA_HOME");
        prozess.setProcessEnvironment(umgebung);
        prozess.start(BRAKMOR_CLI, argumente);
        if (!prozess.waitForFinished(60000))
            qFatal("brakmor-cli did not finish");
        return Lauf{prozess.exitCode(),
                    QString::fromUtf8(prozess.readAllStandardOutput()).split('\n'),
                    QString::fromUtf8(prozess.readAllStandardError())};
    }

private slots:
    void legal()
    {
        const Lauf lauf = starte({"legal"});
        QCOMPARE(lauf.status, 0);
        QCOMPARE(lauf.zeilen.size(), 21);
        QVERIFY(lauf.zeilen.contains("e2e4 0x0010"));
        QVERIFY(lauf.zeilen.contains("g1f3 0x0000"));

        // A FEN may come unquoted; a promotion is listed once, searched as a queen.
        const Lauf wandlung = starte({"legal", "7k/P7/7K/8/8/8/8/8", "w", "-", "-", "0", "1"});
        QCOMPARE(wandlung.status, 0);
        QVERIFY(wandlung.zeilen.contains("a7a8q 0x00c2"));

        QCOMPARE(starte({"legal", "kein FEN"}).status, 2);
    }

    void play()
    {
        const Lauf lauf = starte({"play", "e2e4", "e7e5"});
        QCOMPARE(lauf.status, 0);
        QCOMPARE(
            lauf.zeilen.mid(0, 8),
            (QStringList{"move: e2e4 0x0010", "text:  1 WS BAUER  E2-E4 ", "message: ",
                         "fen: rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1",
                         "move: e7e5 0x0011", "text:  1 SW BAUER  E7-E5 ", "message: ",
                         "fen: rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq e6 0 2"}));

        const Lauf matt =
            starte({"play", "--fen", "7k/P7/7K/8/8/8/8/8 w - - 0 1", "--lang", "1", "a7a8r"});
        QCOMPARE(matt.status, 0);
        QCOMPARE(matt.zeilen.mid(0, 5),
                 (QStringList{"move: a7a8r 0x00c2",
                              "text:  1 WH Rook   A7-A8 PROMOTION + \\n   White wins",
                              "message: PROMOTION CHECK White wins",
                              "fen: R6k/8/7K/8/8/8/8/8 b - - 0 1", "gameover"}));

        const Lauf falsch = starte({"play", "e2e4", "e2e4"});
        QCOMPARE(falsch.status, 1);
        QCOMPARE(falsch.fehler.trimmed(), QString("Error: Controller::bewegeFigur() 86-66"));
        QCOMPARE(falsch.zeilen.first(), QString("move: e2e4 0x0010"));
    }
};

QTEST_MAIN(TestCli)
#include "tst_cli.moc"

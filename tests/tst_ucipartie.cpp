// Short games between two brakmor-cli UCI engines at different levels under a clock of a few
// seconds, played and judged by the match driver: every answer must be a legal move and none may
// come later than the mover's clock allowed, which would lose the game on time.
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

class TestUciPartie : public QObject
{
    Q_OBJECT

private slots:
    void partienUnterUhr()
    {
        QTemporaryDir basis;
        QVERIFY(basis.isValid());
        QProcess treiber;
        QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
        umgebung.insert("HOME", basis.path());
        umgebung.insert("XDG_DATA_HOME", basis.filePath("daten"));
        treiber.setProcessEnvironment(umgebung);
        treiber.start(UCIPARTIEN, {"--games", "2", "--levels", "5", "3", "--time", "2000", "--inc",
                                   "50", "--threads", "2", "--plies", "60"});
        QVERIFY(treiber.waitForFinished(480000));
        const QString ausgabe = QString::fromUtf8(treiber.readAllStandardOutput());
        // The time left shows how close the engines came to their clocks.
        qInfo().noquote() << ausgabe.trimmed();
        QVERIFY2(treiber.exitStatus() == QProcess::NormalExit && treiber.exitCode() == 0,
                 qPrintable(ausgabe + treiber.readAllStandardError()));
        QVERIFY2(QRegularExpression("^games 2 answers \\d+ late 0 illegal 0 ",
                                    QRegularExpression::MultilineOption)
                     .match(ausgabe)
                     .hasMatch(),
                 qPrintable(ausgabe));
    }
};

QTEST_MAIN(TestUciPartie)
#include "tst_ucipartie.moc"

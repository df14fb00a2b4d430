#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

namespace {

QByteArray liesDatei(const QString &pfad)
{
    QFile datei(pfad);
    return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray();
}

} // namespace

// Kills a process that saves a game over and over (through the program's own code) at random
// moments, many times, and looks at the files after each kill: the auto-save holds one whole
// version of the game, the collection only whole games and never fewer than before, the settings
// file every key.
class TestSchreibabbruch : public QObject
{
    Q_OBJECT

private slots:
    void abbruchBeimSpeichern();
};

void TestSchreibabbruch::abbruchBeimSpeichern()
{
    QTemporaryDir heim;
    QVERIFY(heim.isValid());
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    umgebung.remove(QStringLiteral("XDG_DATA_HOME"));
    umgebung.insert(QStringLiteral("HOME"), heim.path());
    const QDir ordner(heim.filePath(QStringLiteral(".qttest/share/Brakmor")));
    const QStringList bekannt = {QStringLiteral("BKAuto.pgn"), QStringLiteral("Brakmor.ini"),
                                 QStringLiteral("Brakmor.pgn"), QStringLiteral("auto_a"),
                                 QStringLiteral("auto_b")};

    QRandomGenerator zufall(20240501);
    constexpr int laeufe = 30;
    int partien = 0;
    int imSchreiben = 0;
    int hoechstens = 0;
    for (int lauf = 0; lauf < laeufe; ++lauf) {
        QProcess schreiber;
        schreiber.setProcessEnvironment(umgebung);
        schreiber.start(QStringLiteral(BRAKMOR_SCHREIBER), QStringList());
        QVERIFY(schreiber.waitForReadyRead(60000));
        QCOMPARE(schreiber.readLine().trimmed(), QByteArray("bereit"));
        QThread::usleep(zufall.bounded(20000));
        schreiber.kill();
        QVERIFY(schreiber.waitForFinished(30000));
        QCOMPARE(schreiber.exitStatus(), QProcess::CrashExit);

        const QByteArray a = liesDatei(ordner.filePath(QStringLiteral("auto_a")));
        const QByteArray b = liesDatei(ordner.filePath(QStringLiteral("auto_b")));
        QVERIFY(!a.isEmpty() && !b.isEmpty() && a != b);
        if (ordner.exists(QStringLiteral("BKAuto.pgn"))) {
            const QByteArray autoDatei = liesDatei(ordner.filePath(QStringLiteral("BKAuto.pgn")));
            QVERIFY2(autoDatei == a || autoDatei == b, autoDatei.constData());
        }
        const QByteArray sammlung = liesDatei(ordner.filePath(QStringLiteral("Brakmor.pgn")));
        const int n = sammlung.size() / b.size();
        QCOMPARE(sammlung, b.repeated(n));
        QVERIFY(n >= partien);
        partien = n;
        hoechstens = std::max(hoechstens, n);

        QSettings ini(ordner.filePath(QStringLiteral("Brakmor.ini")), QSettings::IniFormat);
        QCOMPARE(ini.status(), QSettings::NoError);
        QCOMPARE(ini.allKeys().size(), 14);

        // A file the writer had open when it died is left over under a name of its own.
        bool uebrig = false;
        for (const QString &name : ordner.entryList(QDir::Files)) {
            if (!bekannt.contains(name)) {
                QVERIFY(QFile::remove(ordner.filePath(name)));
                uebrig = true;
            }
        }
        imSchreiben += uebrig;
        // The collection is rewritten whole for every save; a short one keeps the test fast.
        if (partien > 40) {
            QVERIFY(QFile::remove(ordner.filePath(QStringLiteral("Brakmor.pgn"))));
            partien = 0;
        }
    }
    qInfo("%d kills, %d of them while a file was being written; up to %d games in the collection",
          laeufe, imSchreiben, hoechstens);
    QVERIFY(imSchreiben > 0);
}

QTEST_GUILESS_MAIN(TestSchreibabbruch)
#include "tst_schreibabbruch.moc"

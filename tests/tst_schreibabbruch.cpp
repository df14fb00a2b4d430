#include "app/einstellungen.h"
#include "app/rueckfragen.h"
#include "game/controller.h"
#include "game/history.h"
#include "game/wiedergabe.h"
#include "pgn/pgn.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <QtTest>

namespace {

class Zustimmung : public Rueckfragen
{
public:
    void kritisch(const QString &titel, const QString &text) override
    {
        qFatal("%s: %s", qPrintable(titel), qPrintable(text));
    }
    bool frage(const QString &, const QString &) override { return true; }
    int speichernDialog(Pgn &) override { return 1; }
};

const char PARTIE[] = "[Event \"A\"]\n[Date \"2024.05.01\"]\n[White \"Anna\"]\n\n"
                      "1. d4 Nf6 2. c4 e6 3. Nc3 Bb4 4. Qc2 O-O 5. a3 Bxc3+ 6. Qxc3 b6 7. Bg5 "
                      "Bb7 8. f3 h6 9. Bh4 d5 10. e3 Nbd7 11. cxd5 Nxd5 12. Bxd8 Nxc3 13. Bh4 "
                      "Nd5 14. Kf2 c5 15. Bb5 Rfd8 *\n";

// Saves versions "auto_a" and "auto_b" of a game by turns as the auto-save, and "auto_b" to the
// collection, through the program's own code until it is killed.
[[noreturn]] void speichereOhneEnde()
{
    QStandardPaths::setTestModeEnabled(true);
    Zustimmung zustimmung;
    setzeRueckfragen(&zustimmung);
    Controller controller;
    QList<Pgn> partien;
    Pgn::partienLesen(QString::fromLatin1(PARTIE), partien);
    int zeile = 0;
    if (!controller.uebernimmPartie(partien.value(0)).isEmpty() ||
        spieleGeladenePartie(controller, 0, [&zeile](const QString &) {
            return ++zeile;
        }).halbzuege != 30)
        qFatal("test game not replayed");
    // The marker the first auto-save adds to the tags is set before the versions are taken.
    controller.pgn().site = QStringLiteral("BKAuto.pgn");
    for (const QString version : {"A", "B"}) {
        controller.pgn().event = version;
        QFile datei(appVerzeichnis + "auto_" + version.toLower());
        const QByteArray inhalt =
            (controller.pgn().erzeugeText(controller.verlauf()->entries()) + '\n').toUtf8();
        if (!datei.open(QIODevice::WriteOnly) || datei.write(inhalt) != inhalt.size())
            qFatal("cannot write %s", qPrintable(datei.fileName()));
    }
    QTextStream(stdout) << "bereit" << Qt::endl;
    for (bool b = false;; b = !b) {
        controller.pgn().event = b ? "B" : "A";
        controller.autoSpeichern();
        controller.pgn().event = "B";
        QString meldung;
        controller.partieSpeichern(meldung);
    }
}

} // namespace

// After each kill at a random moment the auto-save holds one whole version, the collection only
// whole games and never fewer than before, the settings file every key.
class TestSchreibabbruch : public QObject
{
    Q_OBJECT

private slots:
    void abbruchBeimSpeichern()
    {
        QTemporaryDir heim;
        QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
        umgebung.remove("XDG_DATA_HOME");
        umgebung.insert("HOME", heim.path());
        const QDir ordner(heim.filePath(".qttest/share/Brakmor"));
        const auto lies = [&](const QString &name) {
            QFile datei(ordner.filePath(name));
            return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray();
        };
        const QStringList bekannt = {"BKAuto.pgn", "Brakmor.ini", "Brakmor.pgn", "auto_a",
                                     "auto_b"};
        QRandomGenerator zufall(20240501);
        int partien = 0;
        int imSchreiben = 0;
        for (int lauf = 0; lauf < 30; ++lauf) {
            QProcess schreiber;
            schreiber.setProcessEnvironment(umgebung);
            schreiber.start(QCoreApplication::applicationFilePath(), {"schreibe"});
            QVERIFY(schreiber.waitForReadyRead(60000));
            QCOMPARE(schreiber.readLine().trimmed(), QByteArray("bereit"));
            QThread::usleep(zufall.bounded(20000));
            schreiber.kill();
            QVERIFY(schreiber.waitForFinished(30000));

            const QByteArray a = lies("auto_a"), b = lies("auto_b");
            QVERIFY(!a.isEmpty() && !b.isEmpty() && a != b);
            if (ordner.exists("BKAuto.pgn"))
                QVERIFY(lies("BKAuto.pgn") == a || lies("BKAuto.pgn") == b);
            const QByteArray sammlung = lies("Brakmor.pgn");
            const int n = sammlung.size() / b.size();
            QCOMPARE(sammlung, b.repeated(n));
            QVERIFY(n >= partien);
            partien = n;
            QSettings ini(ordner.filePath("Brakmor.ini"), QSettings::IniFormat);
            QCOMPARE(ini.status(), QSettings::NoError);
            QCOMPARE(ini.allKeys().size(), 17);

            // A file the writer had open when it died is left over under a name of its own.
            for (const QString &name : ordner.entryList(QDir::Files)) {
                if (!bekannt.contains(name))
                    imSchreiben += QFile::remove(ordner.filePath(name));
            }
            // The collection is rewritten whole for every save; a short one keeps the test fast.
            if (partien > 40 && QFile::remove(ordner.filePath("Brakmor.pgn")))
                partien = 0;
        }
        QVERIFY2(imSchreiben > 0, "no kill came while a file was being written");
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (app.arguments().value(1) == "schreibe")
        speichereOhneEnde();
    TestSchreibabbruch test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_schreibabbruch.moc"

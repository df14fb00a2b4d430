// Runs the real brakmor in an Xvfb server of its own with a fresh HOME, driven by xdotool and read
// back through screenshots and the program's Ctrl+C. With BRAKMOR_FOTO set to a file name, the
// window of the restored game is saved there as PNG (tools/bildschirmfoto.sh).

#include "spielhilfe.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

namespace {

// Qt::gray, the dark squares of the classic board.
const QRgb dunkel = qRgb(160, 160, 164);
const QRgb hell = qRgb(255, 255, 255);
const int wartezeit = 90000;

QString anzeige;

// Xvfb picks a free display number and tells it on its first output line.
std::unique_ptr<QProcess> starteXServer()
{
    auto server = std::make_unique<QProcess>();
    server->setStandardErrorFile(QProcess::nullDevice());
    server->start(QStringLiteral("Xvfb"),
                  {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
    if (!server->waitForStarted(10000))
        return nullptr;
    QByteArray zeile;
    while (!zeile.contains('\n') && server->waitForReadyRead(20000))
        zeile += server->readAllStandardOutput();
    bool ok = false;
    anzeige = QLatin1Char(':') + QString::number(zeile.trimmed().toInt(&ok));
    return ok ? std::move(server) : nullptr;
}

bool warte(const std::function<bool()> &bedingung, int ms = wartezeit)
{
    QElapsedTimer uhr;
    uhr.start();
    while (!bedingung()) {
        if (uhr.elapsed() > ms)
            return false;
        QTest::qWait(100);
    }
    return true;
}

} // namespace

class TestEchtesFenster : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir zuhause;
    QProcess programm;
    std::unique_ptr<Controller> partie;
    // The board on the screen and the moves played, as the test follows them.
    QRect brett;
    QStringList gespielt;

    QProcessEnvironment umgebung() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", zuhause.path());
        env.insert("XDG_DATA_HOME", zuhause.filePath(".local/share"));
        env.insert("XDG_CONFIG_HOME", zuhause.filePath(".config"));
        env.insert("XDG_RUNTIME_DIR", zuhause.filePath("laufzeit"));
        env.insert("TMPDIR", zuhause.filePath("tmp"));
        env.insert("DISPLAY", anzeige);
        env.insert("QT_QPA_PLATFORM", "xcb");
        return env;
    }

    QString datenordner() const { return zuhause.filePath(".local/share/Brakmor/"); }

    bool xdotool(const QStringList &argumente, QString *ausgabe = nullptr)
    {
        QProcess werkzeug;
        werkzeug.setProcessEnvironment(umgebung());
        werkzeug.start("xdotool", argumente);
        if (!werkzeug.waitForFinished(20000) || werkzeug.exitCode() != 0)
            return false;
        if (ausgabe)
            *ausgabe = QString::fromLocal8Bit(werkzeug.readAllStandardOutput());
        return true;
    }

    // The id of the window whose title matches `muster`, empty while there is none.
    QString fenster(const QString &muster)
    {
        QString ids;
        xdotool({"search", "--name", muster}, &ids);
        return ids.split('\n', Qt::SkipEmptyParts).value(0);
    }

    bool klicke(const QPoint &punkt)
    {
        return xdotool(
            {"mousemove", QString::number(punkt.x()), QString::number(punkt.y()), "click", "1"});
    }

    QImage bildschirm() { return QGuiApplication::primaryScreen()->grabWindow(0).toImage(); }

    // The dark squares of the classic board span the whole board: a1 and h8 are dark.
    static QRect findeBrett(const QImage &bild)
    {
        QRect flaeche;
        for (int y = 0; y < bild.height(); ++y) {
            const QRgb *zeile = reinterpret_cast<const QRgb *>(bild.constScanLine(y));
            for (int x = 0; x < bild.width(); ++x) {
                if ((zeile[x] & 0xffffff) == (dunkel & 0xffffff))
                    flaeche |= QRect(x, y, 1, 1);
            }
        }
        return flaeche;
    }

    QPoint mitte(int feld) const
    {
        const double seite = brett.width() / 8.0;
        return brett.topLeft() +
               QPoint(int((feld % 10 - 1.5) * seite), int((feld / 10 - 1.5) * seite));
    }

    // Whether the middle of the square shows its plain colour, so no piece.
    bool istLeer(const QImage &bild, int feld) const
    {
        const int r = brett.width() / 8 / 5;
        const QPoint m = mitte(feld);
        const QRgb grund = (feld % 10 + feld / 10) % 2 == 0 ? hell : dunkel;
        int anders = 0;
        for (int y = m.y() - r; y <= m.y() + r; ++y) {
            for (int x = m.x() - r; x <= m.x() + r; ++x)
                anders += (bild.pixel(x, y) & 0xffffff) != (grund & 0xffffff);
        }
        return anders * 20 < (2 * r + 1) * (2 * r + 1);
    }

    // Every square but the origin of the last move (its mark covers it) is empty on the screen
    // exactly when it is empty in the game the test follows.
    bool brettZeigtPartie()
    {
        const QImage bild = bildschirm();
        const int letzterVon = partie->verlauf()->entry(lastIndex).von;
        for (int feld = 22; feld <= 99; ++feld) {
            if (feld % 10 < 2 || feld == letzterVon)
                continue;
            if (istLeer(bild, feld) != (partie->brett()[feld] == LEER))
                return false;
        }
        return true;
    }

    // The move list as the program's Ctrl+C puts it on the clipboard.
    QStringList protokoll()
    {
        QGuiApplication::clipboard()->clear();
        xdotool({"windowfocus", "--sync", fenster("Brakmor 1.26.*")});
        xdotool({"key", "ctrl+c"});
        QString text;
        warte([&] { return !(text = QGuiApplication::clipboard()->text()).isEmpty(); }, 5000);
        return text.split('\n');
    }

    static QStringList zuege(const QStringList &zeilen)
    {
        static const QRegularExpression zug("([A-H][1-8])[-x]([A-H][1-8])");
        QStringList gefunden;
        for (const QString &zeile : zeilen) {
            const QRegularExpressionMatch m = zug.match(zeile);
            if (m.hasMatch())
                gefunden << (m.captured(1) + m.captured(2)).toLower();
        }
        return gefunden;
    }

    // The first of some usual moves that is legal, else the first legal move.
    Zug waehleZug()
    {
        partie->legaleZuegeErmitteln(false);
        for (const char *zug : {"e2e4", "d2d4", "g1f3", "b1c3", "f1c4", "f1e2", "h2h3"}) {
            int von = 0, nach = 0;
            feldAusName(QString(zug).left(2), von);
            feldAusName(QString(zug).mid(2), nach);
            if (partie->istLegalerZug(von, nach))
                return Zug{von, nach, 0, 0};
        }
        return partie->legaleZuege()[0];
    }

    // Quits through the last entry of the "File" menu.
    bool beende()
    {
        xdotool({"mousemove", "--window", fenster("Brakmor 1.26.*"), "15", "10", "click", "1"});
        QTest::qWait(300);
        xdotool({"key", "Up", "Return"});
        const bool beendet = programm.waitForFinished(30000);
        const QByteArray meldungen = programm.readAllStandardError();
        if (!beendet || programm.exitStatus() != QProcess::NormalExit || programm.exitCode() != 0 ||
            !meldungen.contains("TerminateApplication")) {
            qWarning("brakmor did not end cleanly (exit code %d):\n%s", programm.exitCode(),
                     meldungen.constData());
            return false;
        }
        return true;
    }

    void starteProgramm()
    {
        programm.setProcessEnvironment(umgebung());
        programm.setProcessChannelMode(QProcess::SeparateChannels);
        programm.start(BRAKMOR_PROGRAMM, QStringList());
    }

private slots:
    void initTestCase()
    {
        QVERIFY(zuhause.isValid());
        for (const char *ordner : {".local/share/Brakmor", "tmp", "laufzeit"})
            QDir(zuhause.path()).mkpath(ordner);
        QFile::setPermissions(zuhause.filePath("laufzeit"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        // The test follows the game with a controller of its own, whose settings stay here.
        QStandardPaths::setTestModeEnabled(true);
        qputenv("HOME", QFile::encodeName(zuhause.filePath("test")));
        partie = std::make_unique<Controller>();
        partie->setzeEigeneStartFen(QString());
        partie->starteSpiel(0);
    }

    void cleanupTestCase()
    {
        if (programm.state() != QProcess::NotRunning) {
            programm.kill();
            programm.waitForFinished(10000);
        }
    }

    void ersterStartUndVierZuege()
    {
        // No language chosen yet, so the greeting comes; the plain board is easy to find.
        {
            QSettings ini(datenordner() + "Brakmor.ini", QSettings::IniFormat);
            ini.setValue("Allgemein/Brettdesign", 0);
            ini.setValue("Bewertung/Schwierigkeit", 1);
        }
        starteProgramm();
        QVERIFY(programm.waitForStarted(20000));
        QString dialog;
        QVERIFY2(warte([&] { return !(dialog = fenster("^Brakmor$")).isEmpty(); }),
                 "no first-start dialog");
        // The name, then the tab order leads over the German flag to the English one.
        QVERIFY(xdotool({"windowfocus", "--sync", dialog}));
        QVERIFY(xdotool({"type", "--delay", "50", "Ada"}));
        QVERIFY(xdotool({"key", "Tab", "Tab", "space"}));
        QVERIFY(warte([&] { return fenster("^Brakmor$").isEmpty(); }));
        QVERIFY(warte([&] { return protokoll().value(4) == "You have white and move first."; }));

        QVERIFY(warte([&] { return (brett = findeBrett(bildschirm())).width() > 200; }));
        QVERIFY2(qAbs(brett.width() - brett.height()) <= 2,
                 qPrintable(QString::number(brett.width())));
        QVERIFY(brettZeigtPartie());

        for (int runde = 0; runde < 4; ++runde) {
            const Zug z = waehleZug();
            const QString zug = (feldName(z.von) + feldName(z.nach)).toLower();
            QVERIFY(klicke(mitte(z.von)) && klicke(mitte(z.nach)));
            QStringList bisher;
            QVERIFY2(warte([&] { return (bisher = zuege(protokoll())).size() == 2 * runde + 2; }),
                     qPrintable(bisher.join(' ')));
            QCOMPARE(bisher.value(2 * runde), zug);
            QVERIFY(spiele(*partie, zug).ausgefuehrt);
            QVERIFY(spiele(*partie, bisher.last()).ausgefuehrt);
            gespielt = bisher;
            QVERIFY2(warte([&] { return brettZeigtPartie(); }), "board differs from the game");
        }

        const QStringList zeilen = protokoll();
        QVERIFY(zeilen.value(6).startsWith(" 1 WH ") && zeilen.value(7).startsWith(" 1 BL "));
        QVERIFY(beende());
        QVERIFY(QFile::exists(datenordner() + "BKAuto.pgn"));
        QSettings ini(datenordner() + "Brakmor.ini", QSettings::IniFormat);
        QCOMPARE(ini.value("Allgemein/Sprache").toInt(), 1);
        QCOMPARE(ini.value("Allgemein/NameMensch1").toString(), QString("Ada"));
    }

    void zweiterStartStelltDiePartieWiederHer()
    {
        if (gespielt.size() != 8)
            QSKIP("the first start did not get through");
        {
            QSettings ini(datenordner() + "Brakmor.ini", QSettings::IniFormat);
            ini.setValue("Allgemein/Brettdesign", 1);
        }
        starteProgramm();
        QVERIFY(programm.waitForStarted(20000));
        QVERIFY2(warte([&] { return !fenster("Ada - Brakmor").isEmpty(); }), "no restored game");
        QVERIFY(fenster("^Brakmor$").isEmpty());
        const QStringList zeilen = protokoll();
        QVERIFY(zeilen.contains("Game loaded"));
        QCOMPARE(zuege(zeilen), gespielt);

        const QByteArray foto = qgetenv("BRAKMOR_FOTO");
        if (!foto.isEmpty()) {
            // The marks of the last move appear once the suggestion is in.
            QTest::qWait(3000);
            const WId id = fenster("Ada - Brakmor").toULongLong();
            QVERIFY(QGuiApplication::primaryScreen()->grabWindow(id).save(QFile::decodeName(foto)));
        }
        QVERIFY(beende());
    }

    // Started as a desktop starts it, from the Exec line of the installed menu entry with the
    // installed bin folder on the PATH; the window carries the application icon.
    void startAusDemMenueeintrag()
    {
        if (gespielt.size() != 8)
            QSKIP("the first start did not get through");
        QTemporaryDir ziel;
        QProcess cmake;
        cmake.start(CMAKE_COMMAND, {"--install", BRAKMOR_BAUORDNER, "--prefix", ziel.path()});
        QVERIFY(cmake.waitForFinished(60000));
        QCOMPARE(cmake.exitCode(), 0);
        QVERIFY(QFile::exists(ziel.filePath("share/icons/hicolor/48x48/apps/brakmor.png")));

        QSettings eintrag(ziel.filePath("share/applications/brakmor.desktop"),
                          QSettings::IniFormat);
        eintrag.beginGroup("Desktop Entry");
        QCOMPARE(eintrag.value("Icon").toString(), QString("brakmor"));
        const QStringList aufruf = eintrag.value("Exec").toString().split(' ');
        QCOMPARE(aufruf.value(1), QString("%f"));
        QProcessEnvironment env = umgebung();
        env.insert("PATH", ziel.filePath("bin") + ':' + env.value("PATH"));
        programm.setProcessEnvironment(env);
        programm.start(QStandardPaths::findExecutable(aufruf.first(), {ziel.filePath("bin")}),
                       QStringList());
        QVERIFY(programm.waitForStarted(20000));
        QVERIFY(warte([&] { return !fenster("Ada - Brakmor").isEmpty(); }));

        QProcess xprop;
        xprop.setProcessEnvironment(umgebung());
        xprop.start("xprop", {"-id", fenster("Ada - Brakmor"), "_NET_WM_ICON"});
        QVERIFY(xprop.waitForFinished(20000));
        QVERIFY(xprop.readAllStandardOutput().contains("Icon (48 x 48)"));
        QVERIFY(beende());
    }
};

int main(int argc, char *argv[])
{
    const std::unique_ptr<QProcess> server = starteXServer();
    if (!server) {
        std::fprintf(stderr, "tst_echtesfenster: Xvfb could not be started (is it installed?)\n");
        return 1;
    }
    qputenv("DISPLAY", anzeige.toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "xcb");
    int ergebnis = 0;
    {
        QTemporaryDir laufzeit;
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(laufzeit.path()));
        QGuiApplication app(argc, argv);
        TestEchtesFenster test;
        ergebnis = QTest::qExec(&test, argc, argv);
    }
    server->terminate();
    server->waitForFinished(10000);
    return ergebnis;
}

#include "tst_echtesfenster.moc"

// Runs the real brakmor in an Xvfb server of its own with a fresh HOME, driven by xdotool and read
// back through screenshots and the program's Ctrl+C. With BRAKMOR_FOTO set to a file name, the
// window of the restored game is saved there as PNG (tools/bildschirmfoto.sh).

#include "spielhilfe.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>

namespace {

// Qt::gray, the dark squares of the classic board.
const QRgb dunkel = qRgb(160, 160, 164);
const QRgb hell = qRgb(255, 255, 255);
const int wartezeit = 90000;
const QString mittelspiel("r2q1rk1/ppp2ppp/2npbn2/2b1p3/2B1P3/2NP1N2/PPP1QPPP/R1B2RK1 w - - 0 8");

QByteArray ausgabe(const QString &programm, const QStringList &argumente)
{
    QProcess prozess;
    prozess.start(programm, argumente);
    prozess.waitForFinished(60000);
    return prozess.readAllStandardOutput();
}

// Bounded: "windowfocus --sync" waits for ever on a window that cannot take the focus yet.
bool xdotool(const QStringList &argumente)
{
    QProcess prozess;
    prozess.start("xdotool", argumente);
    if (!prozess.waitForFinished(10000)) {
        prozess.kill();
        prozess.waitForFinished();
        return false;
    }
    return prozess.exitStatus() == QProcess::NormalExit && prozess.exitCode() == 0;
}

// The id of the window whose title matches `muster`, empty while there is none.
QString fenster(const QString &muster)
{
    return QString(ausgabe("xdotool", {"search", "--name", muster})).section('\n', 0, 0);
}

// The whole screen, or the part `bereich` of it.
QImage bildschirm(const QRect &bereich = QRect(0, 0, -1, -1))
{
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, bereich.x(), bereich.y(), bereich.width(), bereich.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// The dark squares of the classic board span the whole board: a1 and h8 are dark.
QRect findeBrett()
{
    const QImage bild = bildschirm();
    QRect flaeche;
    for (int y = 0; y < bild.height(); ++y) {
        for (int x = 0; x < bild.width(); ++x) {
            if (bild.pixel(x, y) == dunkel)
                flaeche |= QRect(x, y, 1, 1);
        }
    }
    return flaeche;
}

// The moves of the move list as the program's Ctrl+C puts it on the clipboard.
QStringList protokoll()
{
    QGuiApplication::clipboard()->clear();
    xdotool({"windowfocus", "--sync", fenster("Brakmor 1.26.*")});
    xdotool({"key", "ctrl+c"});
    (void)QTest::qWaitFor([] { return !QGuiApplication::clipboard()->text().isEmpty(); }, 5000);
    return QGuiApplication::clipboard()->text().split('\n');
}

QStringList zuege(const QStringList &zeilen)
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

} // namespace

class TestEchtesFenster : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir zuhause;
    QProcess programm;
    // The game as the test follows it, and the board on the screen.
    std::unique_ptr<Controller> partie;
    QStringList gespielt;
    QRect brett;

    void setzeIni(const QString &schluessel, int wert)
    {
        QSettings(zuhause.filePath(".local/share/Brakmor/Brakmor.ini"), QSettings::IniFormat)
            .setValue(schluessel, wert);
    }

    QPoint mitte(int feld) const
    {
        const double seite = brett.width() / 8.0;
        return brett.topLeft() +
               QPoint(int((feld % 10 - 1.5) * seite), int((feld / 10 - 1.5) * seite));
    }

    // Whether the middle of the square shows its plain colour, so no piece; `bild` holds the
    // board alone.
    bool istLeer(const QImage &bild, int feld) const
    {
        const int r = brett.width() / 40;
        const QPoint m = mitte(feld) - brett.topLeft();
        const QRgb grund = (feld % 10 + feld / 10) % 2 == 0 ? hell : dunkel;
        int anders = 0;
        for (int y = m.y() - r; y <= m.y() + r; ++y) {
            for (int x = m.x() - r; x <= m.x() + r; ++x)
                anders += bild.pixel(x, y) != grund;
        }
        return anders * 20 < (2 * r + 1) * (2 * r + 1);
    }

    // The squares empty on the screen but not in the game the test follows, or the other way
    // round; the origin of the last move is left out, as its mark covers it. Only the board is
    // grabbed: the test polls it, and a whole screen each time slows the program it waits for.
    QStringList falscheFelder()
    {
        const QImage bild = bildschirm(brett);
        const int letzterVon = partie->verlauf()->entry(lastIndex).von;
        QStringList falsch;
        for (int feld = 22; feld <= 99; ++feld) {
            if (feld % 10 >= 2 && feld != letzterVon &&
                istLeer(bild, feld) != (partie->brett()[feld] == LEER))
                falsch << feldName(feld);
        }
        return falsch;
    }

    bool klicke(int feld)
    {
        const QPoint p = mitte(feld);
        return xdotool({"mousemove", QString::number(p.x()), QString::number(p.y()), "click", "1"});
    }

    // A move by dragging: the button goes down on the piece, the mouse follows in four steps,
    // the button comes up on the target.
    bool ziehe(int von, int nach)
    {
        const QPoint a = mitte(von), b = mitte(nach);
        QStringList befehle{"mousemove", QString::number(a.x()), QString::number(a.y()),
                            "mousedown", "1"};
        for (const QPoint p : {(3 * a + b) / 4, (a + b) / 2, (a + 3 * b) / 4, b})
            befehle +=
                {"sleep", "0.05", "mousemove", QString::number(p.x()), QString::number(p.y())};
        return xdotool(befehle + QStringList{"mouseup", "1"});
    }

    // Starts the program on a new game at the hardest level, the classic board found.
    void starteNeu()
    {
        setzeIni("Allgemein/Sprache", 0);
        setzeIni("Allgemein/Brettdesign", 0);
        setzeIni("Bewertung/Schwierigkeit", 5);
        setzeIni("Dateien/PgnAutoLaden", 0);
        programm.start(BRAKMOR_PROGRAMM, QStringList());
        QTRY_VERIFY_WITH_TIMEOUT(!fenster("Brakmor 1.26.*").isEmpty(), wartezeit);
        QTRY_VERIFY_WITH_TIMEOUT((brett = findeBrett()).width() > 200, wartezeit);
        // Past the first tick, which starts the session's game.
        QTest::qWait(1500);
    }

    // Imports the position through the clipboard and the second entry of the "Game" menu.
    void importiere(const QString &fen)
    {
        QGuiApplication::clipboard()->setText(fen);
        xdotool({"mousemove", "--window", fenster("Brakmor 1.26.*"), "15", "10", "click", "1"});
        QTest::qWait(300);
        xdotool({"key", "Right", "Down", "Return"});
        QTRY_VERIFY_WITH_TIMEOUT(!fenster("FEN Import").isEmpty(), wartezeit);
    }

    // Quits through the last entry of the "File" menu.
    void beende()
    {
        xdotool({"mousemove", "--window", fenster("Brakmor 1.26.*"), "15", "10", "click", "1"});
        QTest::qWait(300);
        xdotool({"key", "Up", "Return"});
        QVERIFY(programm.waitForFinished(30000));
        const QByteArray meldungen = programm.readAllStandardError();
        QVERIFY2(programm.exitStatus() == QProcess::NormalExit && programm.exitCode() == 0 &&
                     meldungen.contains("TerminateApplication"),
                 meldungen.constData());
    }

private slots:
    // A test that failed with the program still open leaves no window to the next one.
    void cleanup()
    {
        if (programm.state() == QProcess::NotRunning)
            return;
        programm.kill();
        programm.waitForFinished(10000);
    }

    void initTestCase()
    {
        QVERIFY(QDir(zuhause.path()).mkpath(".local/share/Brakmor"));
        qputenv("HOME", QFile::encodeName(zuhause.path()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(zuhause.filePath(".local/share")));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(zuhause.filePath(".config")));
        // The test's own controller keeps its settings in the test-mode folders.
        QStandardPaths::setTestModeEnabled(true);
        partie = std::make_unique<Controller>();
        partie->setzeEigeneStartFen(QString());
        partie->starteSpiel(0);
    }

    void ersterStartUndVierZuege()
    {
        // No language chosen yet, so the greeting comes; the plain board is easy to find.
        setzeIni("Allgemein/Brettdesign", 0);
        setzeIni("Bewertung/Schwierigkeit", 1);
        programm.start(BRAKMOR_PROGRAMM, QStringList());
        QString dialog;
        QTRY_VERIFY_WITH_TIMEOUT(!(dialog = fenster("^Brakmor$")).isEmpty(), wartezeit);
        // The name, then the tab order leads over the German flag to the English one.
        QVERIFY(xdotool({"windowfocus", "--sync", dialog}));
        QVERIFY(xdotool({"type", "--delay", "50", "Ada"}));
        QVERIFY(xdotool({"key", "Tab", "Tab", "space"}));
        QTRY_COMPARE_WITH_TIMEOUT(protokoll().value(4), QString("You play White and move first."),
                                  wartezeit);
        QTRY_VERIFY_WITH_TIMEOUT((brett = findeBrett()).width() > 200, wartezeit);

        for (int runde = 0; runde < 4; ++runde) {
            // e2-e4 and d2-d4 when legal, for the screenshot; else the first legal move. The
            // second move is dragged, once the computer's piece has arrived: no piece can be
            // picked up while one moves.
            partie->legaleZuegeErmitteln(false);
            Zug z = partie->legaleZuege()[0];
            if (runde < 2 && partie->istLegalerZug(86 - runde, 66 - runde))
                z = Zug{86 - runde, 66 - runde, 0, 0};
            if (runde == 1)
                QTest::qWait(1500);
            QVERIFY(runde == 1 ? ziehe(z.von, z.nach) : klicke(z.von) && klicke(z.nach));
            QTRY_COMPARE_WITH_TIMEOUT(zuege(protokoll()).size(), 2 * runde + 2, wartezeit);
            gespielt = zuege(protokoll());
            QCOMPARE(gespielt.value(2 * runde), (feldName(z.von) + feldName(z.nach)).toLower());
            QVERIFY(spiele(*partie, gespielt.value(2 * runde)).ausgefuehrt);
            QVERIFY(spiele(*partie, gespielt.last()).ausgefuehrt);
            QTRY_COMPARE_WITH_TIMEOUT(falscheFelder(), QStringList(), wartezeit);
        }
        beende();
    }

    void zweiterStartStelltDiePartieWiederHer()
    {
        QVERIFY2(gespielt.size() == 8, "the first start did not get through");
        setzeIni("Allgemein/Brettdesign", 1);
        programm.start(BRAKMOR_PROGRAMM, QStringList());
        QTRY_VERIFY_WITH_TIMEOUT(!fenster("Ada - Brakmor").isEmpty(), wartezeit);
        QVERIFY(fenster("^Brakmor$").isEmpty());
        QCOMPARE(zuege(protokoll()), gespielt);
        if (qEnvironmentVariableIsSet("BRAKMOR_FOTO")) {
            // The marks of the last move appear once the suggestion is in.
            QTest::qWait(3000);
            const QPixmap foto = QGuiApplication::primaryScreen()->grabWindow(
                fenster("Ada - Brakmor").toULongLong());
            QVERIFY(foto.save(qEnvironmentVariable("BRAKMOR_FOTO")));
        }
        beende();
    }

    // Started as a desktop starts it, from the Exec line of the installed menu entry with the
    // installed bin folder on the PATH; the window carries the application icon.
    void startAusDemMenueeintrag()
    {
        QVERIFY2(gespielt.size() == 8, "the first start did not get through");
        QTemporaryDir ziel;
        ausgabe(CMAKE_COMMAND, {"--install", BRAKMOR_BAUORDNER, "--prefix", ziel.path()});
        QSettings eintrag(ziel.filePath("share/applications/brakmor.desktop"),
                          QSettings::IniFormat);
        QCOMPARE(eintrag.value("Desktop Entry/Icon").toString(), QString("brakmor"));
        // The info dialog finds the documentation beside the program.
        QVERIFY(QFileInfo(ziel.filePath("bin/../share/doc/brakmor/README.md")).isFile());
        const QStringList aufruf = eintrag.value("Desktop Entry/Exec").toString().split(' ');
        qputenv("PATH", QFile::encodeName(ziel.filePath("bin")) + ':' + qgetenv("PATH"));
        programm.start(QStandardPaths::findExecutable(aufruf.first(), {ziel.filePath("bin")}),
                       QStringList());
        QTRY_VERIFY_WITH_TIMEOUT(!fenster("Ada - Brakmor").isEmpty(), wartezeit);
        QVERIFY(ausgabe("xprop", {"-id", fenster("Ada - Brakmor"), "_NET_WM_ICON"})
                    .contains("Icon (48 x 48)"));
        beende();
    }

    // A move while the suggestion is still computed, then F3: the computer still answers.
    void computerAntwortetNachSeitenwechsel()
    {
        starteNeu();
        importiere(mittelspiel);
        QVERIFY(klicke(82) && klicke(72));
        QVERIFY(xdotool({"key", "F3"}));
        QTRY_COMPARE_WITH_TIMEOUT(zuege(protokoll()).size(), 2, wartezeit);
        QCOMPARE(zuege(protokoll()).first(), QString("a2a3"));
        beende();
    }

    // F2 about a second after a move, answered Yes: the new game gets no move of the old one,
    // and the computer answers there.
    void neuesSpielOhneAltenZug()
    {
        starteNeu();
        importiere(mittelspiel);
        QVERIFY(klicke(82) && klicke(72));
        QTest::qWait(1300);
        QVERIFY(xdotool({"key", "F2"}));
        QString frage;
        QTRY_VERIFY_WITH_TIMEOUT(!(frage = fenster("^Brakmor$")).isEmpty(), wartezeit);
        QVERIFY(xdotool({"windowfocus", "--sync", frage}) && xdotool({"key", "y"}));
        QTRY_VERIFY_WITH_TIMEOUT(fenster("^Brakmor$").isEmpty(), wartezeit);
        QTest::qWait(500);
        QTRY_VERIFY_WITH_TIMEOUT(protokoll().value(2).startsWith("Spielstart:"), wartezeit);
        QTest::qWait(6000);
        QCOMPARE(zuege(protokoll()).size(), 0);
        QVERIFY(klicke(86) && klicke(66));
        QTRY_COMPARE_WITH_TIMEOUT(zuege(protokoll()).size(), 2, wartezeit);
        beende();
    }
};

int main(int argc, char *argv[])
{
    // Xvfb picks a free display number and tells it on its first output line.
    QProcess server;
    server.setStandardErrorFile(QProcess::nullDevice());
    server.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
    QByteArray anzeige;
    while (!anzeige.contains('\n') && server.waitForReadyRead(20000))
        anzeige += server.readAllStandardOutput();
    if (anzeige.trimmed().isEmpty())
        qFatal("tst_echtesfenster: Xvfb could not be started (is it installed?)");
    qputenv("DISPLAY", ':' + anzeige.trimmed());
    qputenv("QT_QPA_PLATFORM", "xcb");
    QTemporaryDir laufzeit;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(laufzeit.path()));
    int ergebnis = 0;
    {
        QGuiApplication app(argc, argv);
        TestEchtesFenster test;
        ergebnis = QTest::qExec(&test, argc, argv);
    }
    server.terminate();
    server.waitForFinished(10000);
    return ergebnis;
}

#include "tst_echtesfenster.moc"

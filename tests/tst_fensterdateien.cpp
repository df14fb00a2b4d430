#include "fensterhilfen.h"
#include "pgn/pgnladendialog.h"
#include "pgn/pgnspeicherndialog.h"

#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTableWidget>

class TestFensterDateien : public FensterTest
{
    Q_OBJECT

    bool spieleEroeffnung()
    {
        return z().spiele("e2", "e4") && z().spiele("d2", "d4") && z().spiele("g1", "f3");
    }

private slots:
    void init() { oeffne(); }
    void cleanup() { schliesse(); }

    void speichernUndLaden()
    {
        QVERIFY(spieleEroeffnung());
        const QString ende = z().fen();

        beiModalemFenster<PgnSpeichernDialog>([](PgnSpeichernDialog *dialog) {
            dialog->findChild<QPushButton *>("okButton")->click();
        });
        QTest::keyClick(fenster.get(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!z().ungespeichert());
        QVERIFY(dateiInhalt(umgebung->datei("Brakmor.pgn")).contains("1. e4 "));

        // Saved: a new game asks nothing, and the button now loads.
        z().druecke("tbt_NeuesSpiel");
        QVERIFY(warte([&] { return z().ruhig() && lastIndex == 0; }));
        beiModalemFenster<PgnLadenDialog>([](PgnLadenDialog *dialog) {
            dialog->findChild<QTableWidget *>("tableWidget")->selectRow(0);
            dialog->findChild<QPushButton *>("okButton")->click();
        });
        z().druecke("tbt_SichernLaden");
        QVERIFY(warte([&] { return z().ruhig(); }));
        // A game from the collection is shown from its start.
        QCOMPARE(QPoint(currentIndex, lastIndex), QPoint(0, 6));
        QVERIFY(!z().ungespeichert());
        for (int i = 0; i < 6; ++i)
            z().druecke("tbt_Vor");
        QCOMPARE(z().fen(), ende);
        QVERIFY(warte([&] { return z().ruhig(); }));
    }

    // The human gives up from the menu, and the game with the computer's win goes to a file of the
    // user's choice, ".pgn" added; an existing file is replaced only after a Yes, and a folder that
    // does not exist is named in the error box.
    void aufgebenUndExportieren()
    {
        QVERIFY(spieleEroeffnung());
        beantworteBox(QMessageBox::Yes);
        z().loese("actionAufgeben");
        const QString datei = umgebung->pfad("partie.pgn");
        z().setzeExportZiel(umgebung->pfad("partie"));
        z().loese("actionPartie_exportieren");
        QVERIFY(dateiInhalt(datei).contains("1. e4 ") && dateiInhalt(datei).endsWith(" 0-1\n\n"));
        QCOMPARE(z().meldung(), "Partie exportiert: " + datei);
        beantworteBox(QMessageBox::No);
        QVERIFY(QFile::resize(datei, 3));
        z().loese("actionPartie_exportieren");
        QCOMPARE(QFileInfo(datei).size(), 3);

        z().setzeExportZiel(umgebung->pfad("fehlt/partie.pgn"));
        QString box;
        beantworteBox(QMessageBox::Ok, &box);
        z().loese("actionPartie_exportieren");
        QVERIFY2(box.startsWith(umgebung->pfad("fehlt/partie.pgn Error open")), qPrintable(box));
        QCOMPARE(z().meldung(), QString("Partie wurde nicht exportiert!"));
    }

    void autoSpeichernUndWiederherstellen()
    {
        umgebung->setze("Dateien/PgnAutoLaden", true);
        einstellungen.pgnAutoLaden = true;
        QVERIFY(spieleEroeffnung());
        const QString ende = z().fen();
        fenster->close();

        // The next start restores the game at its end, ready to play on.
        fenster = umgebung->fenster();
        QCOMPARE(QPoint(currentIndex, lastIndex), QPoint(6, 6));
        QCOMPARE(z().fen(), ende);
        QVERIFY(z().geladen() && z().ungespeichert());
        QVERIFY(z().vorschlag().von != 0);
    }
};

QTEST_MAIN(TestFensterDateien)
#include "tst_fensterdateien.moc"

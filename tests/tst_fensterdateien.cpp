#include "fensterhilfen.h"
#include "pgn/pgnladendialog.h"
#include "pgn/pgnspeicherndialog.h"

#include <QFile>
#include <QPushButton>
#include <QTableWidget>

class TestFensterDateien : public FensterTest
{
    Q_OBJECT

    bool spieleEroeffnung()
    {
        return z().spiele("e2", "e4") && z().spiele("d2", "d4") && z().spiele("g1", "f3");
    }

    static void speichernDialogMit(const char *knopf)
    {
        beiModalemFenster<PgnSpeichernDialog>(
            [=](PgnSpeichernDialog *dialog) { dialog->findChild<QPushButton *>(knopf)->click(); });
    }

    static void ladeErstePartie()
    {
        beiModalemFenster<PgnLadenDialog>([](PgnLadenDialog *dialog) {
            dialog->findChild<QTableWidget *>("tableWidget")->selectRow(0);
            dialog->findChild<QPushButton *>("okButton")->click();
        });
    }

private slots:
    void init()
    {
        pgnStartDatei.clear();
        oeffne();
    }
    void cleanup() { schliesse(); }

    void speichernUndLaden()
    {
        // Nothing to save yet and no collection to load from: Ctrl+S and Ctrl+O open nothing.
        {
            ModalZaehler dialoge;
            QTest::keyClick(fenster.get(), Qt::Key_S, Qt::ControlModifier);
            QTest::keyClick(fenster.get(), Qt::Key_O, Qt::ControlModifier);
            QCOMPARE(dialoge.anzahl, 0);
        }
        QVERIFY(spieleEroeffnung());
        const QString ende = z().fen();

        speichernDialogMit("okButton");
        QTest::keyClick(fenster.get(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!z().ungespeichert());
        QCOMPARE(z().meldung(), QString("Partie gespeichert!"));
        // Saved, the button loads.
        QCOMPARE(z().knopf("tbt_SichernLaden")->toolTip(), QString("Partie laden"));
        QVERIFY(!z().kind<QAction>("actionPartie_speichern")->isEnabled());
        QVERIFY(dateiInhalt(umgebung->datei("Brakmor.pgn")).contains("1. e4 "));

        // Saved: a new game asks nothing.
        z().druecke("tbt_NeuesSpiel");
        QVERIFY(warte([&] { return z().ruhig() && lastIndex == 0; }));

        ladeErstePartie();
        z().druecke("tbt_SichernLaden");
        QVERIFY(warte([&] { return z().ruhig(); }));
        // A game from the collection is shown from its start.
        QCOMPARE(QPoint(currentIndex, lastIndex), QPoint(0, 6));
        QCOMPARE(fenster->windowTitle(), QString("Brakmor 1.26 ;   Human - Brakmor"));
        const QStringList zeilen = z().zeilen();
        for (const char *zeile : {"Partie geladen", "Name Schwarz: Brakmor", "Zahl Züge   : 3"})
            QVERIFY2(zeilen.contains(QString::fromUtf8(zeile)), zeile);
        QCOMPARE(zeilen.filter(" 1 WS Bauer  E2-E4 ").size(), 1);
        QVERIFY(!z().ungespeichert());

        for (int i = 0; i < 6; ++i)
            z().druecke("tbt_Vor");
        QCOMPARE(z().fen(), ende);
        QVERIFY(warte([&] { return z().ruhig(); }));
    }

    void speicherDialogOeffnetLaden()
    {
        QVERIFY(z().spiele("e2", "e4"));
        speichernDialogMit("okButton");
        QTest::keyClick(fenster.get(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(z().spiele("d2", "d4"));

        // The save dialog hands over to the load dialog; loading a game leaves nothing unsaved.
        speichernDialogMit("ladenButton");
        beantworteBox(QMessageBox::Yes);
        ladeErstePartie();
        z().loese("actionPartie_speichern");
        QVERIFY(warte([&] { return z().ruhig(); }));
        QCOMPARE(lastIndex, 2);
        QVERIFY(!z().ungespeichert());

        // Cancelled, nothing changes.
        QVERIFY(z().spiele("d2", "d4"));
        speichernDialogMit("cancelButton");
        z().druecke("tbt_SichernLaden");
        QVERIFY(z().ungespeichert());
        QCOMPARE(z().meldung(), QString("Partie wurde nicht gespeichert!"));
    }

    void autoSpeichernUndWiederherstellen()
    {
        umgebung->setze("Dateien/PgnAutoLaden", true);
        einstellungen.pgnAutoLaden = true;
        QVERIFY(z().spiele("e2", "e4") && z().spiele("d2", "d4"));
        // Four half-moves are not enough for the auto-save.
        fenster->close();
        QVERIFY(!QFile::exists(umgebung->datei("BKAuto.pgn")));

        fenster = umgebung->fenster();
        QCOMPARE(lastIndex, 0);
        QVERIFY(spieleEroeffnung());
        const QString ende = z().fen();
        fenster->close();
        QVERIFY(dateiInhalt(umgebung->datei("BKAuto.pgn")).contains("BKAuto.pgn"));

        // The next start restores the game at its end, ready to play on.
        fenster = umgebung->fenster();
        QCOMPARE(QPoint(currentIndex, lastIndex), QPoint(6, 6));
        QCOMPARE(z().fen(), ende);
        QVERIFY(z().geladen() && z().ungespeichert());
        QCOMPARE(z().meldung(), QString("Starte neue Partie mit F2!"));
        QVERIFY(z().vorschlag().von != 0);

        // A restored game never asks about data loss, even after further moves.
        QVERIFY(z().spiele("b1", "c3") || z().spiele("b1", "d2"));
        z().druecke("tbt_NeuesSpiel");
        QVERIFY(warte([&] { return z().ruhig() && lastIndex == 0; }));
    }

    void startdateiAusDerBefehlszeile()
    {
        const QString datei = umgebung->pfad("partie.pgn");
        QFile pgn(datei);
        QVERIFY(pgn.open(QIODevice::WriteOnly) &&
                pgn.write("[Event \"Test\"]\n[White \"Brakmor\"]\n[Black \"Ada\"]\n[FEN "
                          "\"4k3/8/8/8/8/8/4P3/4K3 b - - 0 30\"]\n\n30... Kd7 31. e4 Ke6 *\n") > 0);
        pgn.close();

        fenster = umgebung->fenster(false);
        pgnStartDatei = datei;
        einstellungen.pgnLadeDateiname.clear();
        ladeErstePartie();
        z().ersterTick();
        QVERIFY(warte([&] { return z().ruhig(); }));
        QCOMPARE(QPoint(currentIndex, lastIndex), QPoint(0, 3));
        // The human played Black, and Black is to move.
        QVERIFY(!z().weissUnten() && z().amZug());
        QCOMPARE(einstellungen.pgnLadeDateiname, datei);
        QVERIFY(z().zeilen().contains(QString::fromUtf8(" Ereignis   : Test")));
        QCOMPARE(z().eintrag(3).fen.left(22), QString("8/8/4k3/8/4P3/8/8/4K3 "));
        pgnStartDatei.clear();
    }
};

QTEST_MAIN(TestFensterDateien)
#include "tst_fensterdateien.moc"

#include "fensterhilfen.h"
#include "pgn/pgnladendialog.h"
#include "pgn/pgnspeicherndialog.h"

#include <QFile>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>

// Saving and loading through the window: the button, the menu entries and their keys with the
// dialogs answered, the auto-save at close and the restored game at the next start.
class TestFensterDateien : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<FensterUmgebung> umgebung;
    std::unique_ptr<MainWindow> fenster;

    FensterZugang z() { return FensterZugang{*fenster}; }
    QToolButton *sichernLaden() { return z().kind<QToolButton>("tbt_SichernLaden"); }

    bool spiele(const char *von, const char *nach)
    {
        const int vorher = currentIndex;
        z().klicke(von);
        z().klicke(nach);
        return currentIndex == vorher + 1 && warte([&] { return z().ruhig(); });
    }

    bool spieleEroeffnung()
    {
        return spiele("e2", "e4") && spiele("d2", "d4") && spiele("g1", "f3");
    }

    static void speichereMitOk()
    {
        beiModalemFenster<PgnSpeichernDialog>([](PgnSpeichernDialog *dialog) {
            dialog->findChild<QPushButton *>("okButton")->click();
        });
    }

    static void ladeErstePartie()
    {
        beiModalemFenster<PgnLadenDialog>([](PgnLadenDialog *dialog) {
            dialog->findChild<QTableWidget *>("tableWidget")->selectRow(0);
            dialog->findChild<QPushButton *>("okButton")->click();
        });
    }

    static QByteArray inhalt(const QString &pfad)
    {
        QFile datei(pfad);
        return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray();
    }

private slots:
    void init()
    {
        umgebung = std::make_unique<FensterUmgebung>();
        QVERIFY(umgebung->gueltig());
        pgnStartDatei.clear();
        fenster = umgebung->fenster();
        QVERIFY(warte([&] { return z().ruhig(); }));
    }

    void cleanup()
    {
        fenster.reset();
        umgebung.reset();
    }

    void speichernUndLaden()
    {
        // Nothing to save yet and no collection to load from: Ctrl+S and Ctrl+O open nothing.
        {
            ModalZaehler fenster;
            QTest::keyClick(this->fenster.get(), Qt::Key_S, Qt::ControlModifier);
            QTest::keyClick(this->fenster.get(), Qt::Key_O, Qt::ControlModifier);
            QCOMPARE(fenster.anzahl, 0);
        }
        QVERIFY(spieleEroeffnung());
        const QString ende = z().fen();
        QCOMPARE(sichernLaden()->toolTip(), QString("Partie speichern"));

        speichereMitOk();
        QTest::keyClick(fenster.get(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!z().ungespeichert());
        QCOMPARE(z().meldung(), QString("Partie gespeichert!"));
        QCOMPARE(sichernLaden()->toolTip(), QString("Partie laden"));
        QVERIFY(!z().kind<QAction>("actionPartie_speichern")->isEnabled());
        QVERIFY(z().kind<QAction>("actionPartie_laden")->isEnabled());
        const QByteArray gespeichert = inhalt(umgebung->datei("Brakmor.pgn"));
        QVERIFY(gespeichert.contains("1. e4 "));

        // Saved: a new game asks nothing.
        QTest::mouseClick(z().kind<QToolButton>("tbt_NeuesSpiel"), Qt::LeftButton);
        QVERIFY(warte([&] { return z().ruhig() && lastIndex == 0; }));

        ladeErstePartie();
        QTest::mouseClick(sichernLaden(), Qt::LeftButton);
        QVERIFY(warte([&] { return z().ruhig(); }));
        QCOMPARE(lastIndex, 6);
        QCOMPARE(z().meldung(), QString("Partie geladen"));
        // A game from the collection is shown from its start.
        QCOMPARE(currentIndex, 0);
        QCOMPARE(fenster->windowTitle(), QString("Brakmor 1.26 ;   Human - Brakmor"));
        const QStringList zeilen = z().zeilen();
        QVERIFY(zeilen.contains("Partie geladen"));
        QVERIFY(zeilen.contains(QString::fromUtf8("Name Weiß   : Human")));
        QVERIFY(zeilen.contains("Name Schwarz: Brakmor"));
        QVERIFY(zeilen.contains(QString::fromUtf8("Zahl Züge   : 3")));
        QVERIFY(zeilen.filter(" 1 WS Bauer  E2-E4 ").size() == 1);
        QVERIFY(!z().ungespeichert());

        // Stepping to the end gives the position the game was saved in.
        for (int i = 0; i < 6; ++i)
            QTest::mouseClick(z().kind<QToolButton>("tbt_Vor"), Qt::LeftButton);
        QCOMPARE(currentIndex, 6);
        QCOMPARE(z().fen(), ende);
        QVERIFY(warte([&] { return z().ruhig(); }));
    }

    void speicherDialogOeffnetLaden()
    {
        QVERIFY(spiele("e2", "e4"));
        speichereMitOk();
        QTest::keyClick(fenster.get(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(spiele("d2", "d4"));

        // The save dialog hands over to the load dialog; loading a game leaves nothing unsaved.
        beiModalemFenster<PgnSpeichernDialog>([](PgnSpeichernDialog *dialog) {
            dialog->findChild<QPushButton *>("ladenButton")->click();
        });
        beiModalemFenster<QMessageBox>(
            [](QMessageBox *box) { box->button(QMessageBox::Yes)->click(); });
        ladeErstePartie();
        z().kind<QAction>("actionPartie_speichern")->trigger();
        QVERIFY(warte([&] { return z().ruhig(); }));
        QCOMPARE(lastIndex, 2);
        QVERIFY(!z().ungespeichert());

        // Cancelled, nothing changes.
        QVERIFY(spiele("d2", "d4"));
        beiModalemFenster<PgnSpeichernDialog>([](PgnSpeichernDialog *dialog) {
            dialog->findChild<QPushButton *>("cancelButton")->click();
        });
        QTest::mouseClick(sichernLaden(), Qt::LeftButton);
        QVERIFY(z().ungespeichert());
        QCOMPARE(z().meldung(), QString("Partie wurde nicht gespeichert!"));
    }

    void autoSpeichernUndWiederherstellen()
    {
        umgebung->setze("Dateien/PgnAutoLaden", true);
        einstellungen.pgnAutoLaden = true;
        QVERIFY(spiele("e2", "e4") && spiele("d2", "d4"));
        // Four half-moves are not enough for the auto-save.
        fenster->close();
        QVERIFY(!QFile::exists(umgebung->datei("BKAuto.pgn")));

        fenster = umgebung->fenster();
        QVERIFY(warte([&] { return z().ruhig(); }));
        QCOMPARE(lastIndex, 0);
        QVERIFY(spieleEroeffnung());
        const QString ende = z().fen();
        fenster->close();
        QVERIFY(inhalt(umgebung->datei("BKAuto.pgn")).contains("BKAuto.pgn"));

        // The next start restores the game at its end, ready to play on.
        fenster = umgebung->fenster();
        QVERIFY(warte([&] { return z().ruhig(); }));
        QCOMPARE(lastIndex, 6);
        QCOMPARE(currentIndex, 6);
        QCOMPARE(z().fen(), ende);
        QVERIFY(z().geladen());
        QVERIFY(z().ungespeichert());
        QCOMPARE(z().meldung(), QString("Starte neue Partie mit F2!"));
        QCOMPARE(sichernLaden()->toolTip(), QString("Partie speichern"));
        QVERIFY(z().vorschlag().von != 0);

        // A restored game never asks about data loss, even after further moves.
        QVERIFY(spiele("b1", "c3") || spiele("b1", "d2"));
        QTest::mouseClick(z().kind<QToolButton>("tbt_NeuesSpiel"), Qt::LeftButton);
        QVERIFY(warte([&] { return z().ruhig() && lastIndex == 0; }));
    }

    void startdateiAusDerBefehlszeile()
    {
        const QString datei = umgebung->pfad("partie.pgn");
        QFile pgn(datei);
        QVERIFY(pgn.open(QIODevice::WriteOnly));
        pgn.write("[Event \"Test\"]\n[White \"Brakmor\"]\n[Black \"Ada\"]\n"
                  "[FEN \"4k3/8/8/8/8/8/4P3/4K3 b - - 0 30\"]\n\n30... Kd7 31. e4 Ke6 *\n");
        pgn.close();

        fenster = umgebung->fenster(false);
        pgnStartDatei = datei;
        einstellungen.pgnLadeDateiname.clear();
        // The load dialog shows the file's game.
        ladeErstePartie();
        z().ersterTick();
        QVERIFY(warte([&] { return z().ruhig(); }));
        QCOMPARE(lastIndex, 3);
        QCOMPARE(currentIndex, 0);
        // The human played Black, and Black is to move.
        QVERIFY(!z().weissUnten());
        QVERIFY(z().amZug());
        QCOMPARE(einstellungen.pgnLadeDateiname, datei);
        QVERIFY(z().zeilen().contains(QString::fromUtf8(" Ereignis   : Test")));
        QCOMPARE(z().controller().verlauf()->entry(3).fen.left(22),
                 QString("8/8/4k3/8/4P3/8/8/4K3 "));
        pgnStartDatei.clear();
    }
};

QTEST_MAIN(TestFensterDateien)
#include "tst_fensterdateien.moc"

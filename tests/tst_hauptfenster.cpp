#include "fensterhilfen.h"
#include "golden.h"

#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

class TestHauptfenster : public FensterTest
{
    Q_OBJECT

private slots:
    void init() { oeffne(); }
    void cleanup() { schliesse(); }

    void ersterZugUndZwischenablage()
    {
        // Ctrl+C copies the move list, every row with its line feed.
        const QStringList zeilen = z().zeilen();
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(fenster.get(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), zeilen.join('\n') + '\n');

        // The opponent's piece selects nothing; a target that is no legal move clears the choice.
        z().klicke("e7");
        QCOMPARE(z().ausgewaehltesFeld(), 0);
        z().klicke("e2");
        QCOMPARE(z().ausgewaehltesFeld(), FensterZugang::feldNummer("e2"));
        z().klicke("e5");
        QCOMPARE(z().ausgewaehltesFeld(), 0);
        QCOMPARE(lastIndex, 0);

        QVERIFY(z().spiele("e2", "e4"));
        QCOMPARE(lastIndex, 2);
        QCOMPARE(z().zeilen()[6], QString(" 1 WS Bauer  E2-E4 "));
        QVERIFY(z().brettStimmt());
    }

    // A drag makes the move a click would; dropped where the piece cannot go it goes back; while
    // the computer is to move no piece is picked up; a pawn dragged to the last rank asks.
    void ziehenUndAblegen()
    {
        umgebung->spieleTrotzAufgabeWeiter();
        z().ziehe("e2", "e4");
        z().ziehe("d2", "d4", false);
        QVERIFY(lastIndex == 1 && z().brettStimmt());
        QTest::mouseRelease(z().ansicht()->viewport(), Qt::LeftButton);
        QVERIFY(warte([&] { return z().ruhig(); }));
        z().ziehe("d2", "d5");
        QVERIFY(lastIndex == 2 && z().brettStimmt() && z().ausgewaehltesFeld() == 0);

        // The dialog offers only kinds with a picture left: not the bishops, both on the board.
        QVERIFY(z().importiere("n3k3/1P6/8/8/8/8/8/RB2KB2 w - - 0 1"));
        QList<bool> angeboten;
        beiModalemFenster<QDialog>([&](QDialog *dialog) {
            for (const char *name : {"dameButton", "turmButton", "laeuferButton", "pferdButton"})
                angeboten << dialog->findChild<QPushButton *>(name)->isEnabled();
            dialog->findChild<QPushButton *>("turmButton")->click();
        });
        z().ziehe("b7", "a8");
        QCOMPARE(angeboten, QList<bool>({true, true, false, true}));
        QCOMPARE(z().eintrag(1).wandlungsFigur, -int(TURM));
        QVERIFY(warte([&] { return z().ruhig(); }) && z().brettStimmt());
    }

    // The view turns without changing sides and stays turned at the next start; F3 turns it on.
    void brettDrehen()
    {
        const int h1 = FensterZugang::feldNummer("h1");
        QTest::keyClick(fenster.get(), Qt::Key_F, Qt::ControlModifier);
        QVERIFY(z().weissUnten() && z().spiele("e2", "e4") && z().brettStimmt());
        fenster = umgebung->fenster();
        QCOMPARE(z().feldMitte(h1), QPointF(-245, -245));
        QTest::keyClick(fenster.get(), Qt::Key_F3);
        QVERIFY(warte([&] { return z().ruhig() && lastIndex == 1; }));
        QCOMPARE(z().feldMitte(h1), QPointF(245, 245));
    }

    // Without animation the board shows the move at once; the flow still hears of its end
    // afterwards, and the computer answers.
    void ohneAnimation()
    {
        einstellungen.animation = AnimationAus;
        z().klicke("e2");
        z().klicke("e4");
        QVERIFY(z().brettStimmt() && z().ablauf().animationLaeuft());
        QVERIFY(warte([&] { return z().ruhig() && lastIndex == 2; }) && z().brettStimmt());
    }

    // Even at the smallest size a square is 40 pixels wide; upright, the board takes the width.
    void kleinsteGroesse()
    {
        int feld = 0;
        for (const QSize groesse : {QSize(100, 100), QSize(100, 2000), QSize(600, 1000)}) {
            fenster->resize(groesse);
            QTest::qWait(50);
            feld = z().ansicht()->mapFromScene(QRectF(0, 0, 70, 70)).boundingRect().width();
            QVERIFY(feld >= 40);
        }
        QVERIFY(feld * 8 > z().ansicht()->width() * 0.85);
    }

    void zurueckUndVor()
    {
        QVERIFY(z().spiele("e2", "e4") && z().spiele("d2", "d4"));
        const QString ende = z().fen();

        z().druecke("tbt_Zurueck");
        // Black is to move here, so the human takes Black and the computer White.
        QCOMPARE(currentIndex, 3);
        QCOMPARE(QPoint(z().spielerWeiss(), z().spielerSchwarz()), QPoint(1, 0));
        for (int i = 0; i < 3; ++i)
            z().druecke("tbt_Zurueck");
        QVERIFY(!z().knopf("tbt_Zurueck")->isEnabled());
        QCOMPARE(z().fen(), QString(startFen));
        QVERIFY(z().brettStimmt());

        for (int i = 0; i < 4; ++i)
            z().druecke("tbt_Vor");
        QCOMPARE(z().fen(), ende);
        QCOMPARE(z().spielerWeiss(), 0);
        QVERIFY(warte([&] { return z().ruhig(); }));

        // A move in review replaces the rest of the game.
        z().druecke("tbt_Zurueck");
        z().druecke("tbt_Zurueck");
        QVERIFY(z().spiele("g1", "f3"));
        QCOMPARE(lastIndex, 4);
        QVERIFY(z().zeilen().filter("D2-D4").isEmpty());
    }

    void vorschlagMitZweiDruecken()
    {
        const Zug vorschlag = z().vorschlag();
        QVERIFY(vorschlag.von != 0);
        QTest::keyClick(fenster.get(), Qt::Key_F4);
        QVERIFY(z().meldung().startsWith("Vorschlag: "));
        QCOMPARE(lastIndex, 0);

        z().druecke("tbt_Vor");
        QCOMPARE(QPoint(z().eintrag(1).von, z().eintrag(1).nach),
                 QPoint(vorschlag.von, vorschlag.nach));
        QVERIFY(warte([&] { return z().ruhig() && lastIndex == 2; }));
    }

    // After F3 the computer plays White and the board is turned.
    void seitenwechsel()
    {
        QTest::keyClick(fenster.get(), Qt::Key_F3);
        QVERIFY(warte([&] { return z().ruhig() && lastIndex == 1; }));
        QVERIFY(!z().weissUnten());
        QCOMPARE(z().feldMitte(FensterZugang::feldNummer("h1")), QPointF(-245, -245));
        QVERIFY(z().brettStimmt());
        QVERIFY(z().amZug() && z().spiele("e7", "e5"));
    }

    void befehlWartetAufDenComputer()
    {
        // New game while the computer computes, which the message line tells: its (stopped)
        // move is still played and ends the telling, then the new game asks about the unsaved
        // moves.
        QVERIFY(z().spiele("e2", "e4"));
        z().loese("actionSehrSchwer");
        z().klicke("d2");
        z().klicke("d4");
        QVERIFY(warte([&] { return z().rechnetComputerzug(); }));
        QVERIFY(z().meldung().startsWith("Brakmor denkt nach: "));
        int beiDerFrage = 0;
        QString meldung;
        beiModalemFenster<QMessageBox>([&](QMessageBox *box) {
            beiDerFrage = lastIndex;
            meldung = z().meldung();
            box->button(QMessageBox::Yes)->click();
        });
        QTest::keyClick(fenster.get(), Qt::Key_F2);
        QVERIFY(warte([&] { return z().ruhig() && lastIndex == 0; }));
        QCOMPARE(beiDerFrage, 4);
        QVERIFY(!meldung.contains("denkt"));
    }

    void fenImportFehler_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("meldung");
        QTest::newRow("Zeichen") << "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNX w KQkq - 0 1"
                                 << "Fen String fehlerhaft an Position: 42";
        QTest::newRow("Gegner im Schach")
            << "k7/8/8/8/8/8/8/R6K w - - 0 1"
            << "Die Stellung ist nicht spielbar: Die Seite, die nicht am Zug ist, steht im Schach.";
    }

    // A text that is no valid FEN, or a position no game can be played from, is named in a
    // warning and changes nothing.
    void fenImportFehler()
    {
        QFETCH(QString, text);
        QFETCH(QString, meldung);
        QVERIFY(z().spiele("e2", "e4"));
        const QString vorher = z().fen();
        QGuiApplication::clipboard()->setText(text);
        QString box;
        beantworteBox(QMessageBox::Ok, &box);
        z().loese("actionFen_Import_aus_Zwischenablage");
        QVERIFY2(box.startsWith(meldung) && box.endsWith("\n\r\n\r" + text), qPrintable(box));
        QCOMPARE(z().fen(), vorher);
    }

    // The board after each step, against fenster.erwartet: the start, a piece chosen, a position
    // with Black to move (the board turns), Black's mate on the first rank (White in check), the
    // level menu, the window's texts, menus with their keys and tips in English, a step back.
    void ansichtWieAufgezeichnet()
    {
        QString ist = z().bild();
        z().klicke("b1");
        ist += "\n" + z().bild();
        const QString fen = "r6k/8/8/8/8/6Q1/2PP1PPP/6K1 b - - 0 1";
        QVERIFY(z().importiere(fen) && z().fen() == fen && z().brettStimmt());
        ist += "\n" + z().bild();
        QVERIFY(z().spiele("a8", "a1") && z().spielEnde() && z().brettStimmt());
        z().loese("actionSchwer");
        Languages::instance()->ladeSprache(1);
        z().setzeTexte();
        ist += "\n" + z().bild() +
               QString("\nlevel %1 back %2")
                   .arg(einstellungen.schwierigkeit)
                   .arg(z().knopf("tbt_Zurueck")->isEnabled());
        for (const char *name : {"lblZeitWeissBeschriftung", "lblZeitSchwarzBeschriftung"})
            ist += '\n' + z().kind<QLabel>(name)->text();
        for (const QMenu *menue : fenster->findChildren<QMenu *>()) {
            for (const QAction *aktion : menue->actions())
                ist += '\n' + menue->title() + " > " + aktion->text();
        }
        for (const QWidget *teil : fenster->findChildren<QWidget *>()) {
            if (!teil->toolTip().isEmpty())
                ist += '\n' + teil->objectName() + ": " + teil->toolTip();
        }
        z().druecke("tbt_Zurueck");
        ist += "\nback: " + z().knopf("tbt_Vor")->toolTip();
        VERGLEICHE_MIT_DATEI(ist, "fenster.erwartet");
    }

    // The configuration dialog turns the window's texts and its board.
    void spracheUndBrettdesign()
    {
        beiModalemFenster<QDialog>([](QDialog *dialog) {
            dialog->findChild<QComboBox *>("SpracheComboBox")->setCurrentIndex(1);
            dialog->findChild<QComboBox *>("BrettDesignComboBox")->setCurrentIndex(0);
            dialog->findChild<QPushButton *>("okButton")->click();
        });
        QVERIFY(!z().textur(FensterZugang::feldNummer("a8")).isNull());
        z().loese("actionKonfiguration");
        QCOMPARE(
            QStringList({z().kind<QMenu>("menuDatei")->title(), z().knopf("tbt_Vor")->toolTip(),
                         z().kind<QLabel>("lblZeitWeissBeschriftung")->text()}),
            QStringList({"File", "Suggestion", "White's time"}));
        QVERIFY(z().textur(FensterZugang::feldNummer("a8")).isNull());
        QCOMPARE(z().farbe(FensterZugang::feldNummer("b8")), QColor(Qt::gray));
    }

    void schliessenWaehrendJob()
    {
        // A long search at the hardest level is stopped, not waited out.
        QVERIFY(z().spiele("e2", "e4"));
        z().loese("actionSehrSchwer");
        z().klicke("d2");
        z().klicke("d4");
        QVERIFY(warte([&] { return z().rechnetComputerzug(); }));
        fenster->close();
        QVERIFY(!z().engineLaeuft() && !fenster->isVisible());

        // The destructor alone stops a running job too: here the first suggestion.
        fenster = umgebung->fenster(false);
        z().ersterTick();
        QVERIFY(z().engineLaeuft());
        fenster.reset();
    }
};

QTEST_MAIN(TestHauptfenster)
#include "tst_hauptfenster.moc"

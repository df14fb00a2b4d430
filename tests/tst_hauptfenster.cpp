#include "app/languages.h"
#include "fensterhilfen.h"
#include "game/spielzustand.h"

#include <QLabel>
#include <QMenu>
#include <QPushButton>

class TestHauptfenster : public FensterTest
{
    Q_OBJECT

    static int feld(const char *name) { return FensterZugang::feldNummer(name); }
    // Whether Back, the save-or-load button and the save entry are enabled.
    QList<bool> frei() const
    {
        return {z().knopf("tbt_Zurueck")->isEnabled(), z().knopf("tbt_SichernLaden")->isEnabled(),
                z().kind<QAction>("actionPartie_speichern")->isEnabled()};
    }

private slots:
    void init() { oeffne(); }
    void cleanup() { schliesse(); }

    void neuesSpielUndErsterZug()
    {
        const QStringList zeilen = z().zeilen();
        QVERIFY(zeilen[2].startsWith("Spielstart: " + QDate::currentDate().toString("dd.MM.yyyy")));
        QCOMPARE(
            zeilen.mid(0, 2) + zeilen.mid(3),
            QStringList({"Willkommen zu Brakmor", "Version 1.26", "Schwierigkeit: Sehr einfach",
                         QString::fromUtf8("Sie haben weiß und fangen an."), QString()}));
        QCOMPARE(z().liste()->currentRow(), 5);
        QCOMPARE(z().zeile("tEdit_Statuszeile3"), QString("KQkq"));
        // Nothing to save, and without a game collection nothing to load.
        QCOMPARE(frei(), QList<bool>({false, false, false}));
        QVERIFY(z().brettStimmt());

        // Ctrl+C copies the move list, every row with its line feed.
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(fenster.get(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), zeilen.join('\n') + '\n');

        // The opponent's piece selects nothing; a target that is no legal move clears the choice.
        const char *const klicks[][2] = {{"e7", ""}, {"e2", "e2"}, {"e5", ""}};
        for (const auto &klick : klicks) {
            z().klicke(klick[0]);
            QCOMPARE(z().ausgewaehltesFeld(), *klick[1] ? feld(klick[1]) : 0);
        }
        QCOMPARE(lastIndex, 0);

        QVERIFY(z().spiele("e2", "e4"));
        QCOMPARE(lastIndex, 2);
        QCOMPARE(z().zeilen()[6], QString(" 1 WS Bauer  E2-E4 "));
        QVERIFY(z().zeilen()[7].startsWith(" 1 SW "));
        QCOMPARE(z().liste()->currentRow(), 7);
        QCOMPARE(frei(), QList<bool>({true, true, true}));
        QVERIFY(z().brettStimmt());
    }

    void wandlung_data()
    {
        QTest::addColumn<QString>("fen");
        QTest::addColumn<QString>("knopf"); // empty: the dialog is closed
        QTest::addColumn<int>("figur");
        QTest::addColumn<QList<bool>>("frei");
        // Both own rooks on the board: no rook picture is free.
        QTest::newRow("Dame") << "4k3/1P6/8/8/8/8/8/R3K2R w - - 0 1"
                              << "dameButton" << int(DAME) << QList<bool>{true, false, true, true};
        QTest::newRow("Turm schlägt")
            << "n3k3/1P6/8/8/8/8/8/4K3 w - - 0 1"
            << "turmButton" << int(TURM) << QList<bool>{true, true, true, true};
        // Nothing to offer: the knight it defaults to has no picture left and is not drawn.
        QTest::newRow("kein Bild frei")
            << "4k3/1P6/8/8/8/8/N7/QQRRBBNK w - - 0 1"
            << "" << int(PFERD) << QList<bool>{false, false, false, false};
    }

    void wandlung()
    {
        QFETCH(QString, fen);
        QFETCH(QString, knopf);
        QFETCH(int, figur);
        QFETCH(QList<bool>, frei);
        umgebung->beantworteAufgabe(QMessageBox::Yes);
        QVERIFY(z().importiere(fen));
        QList<bool> angeboten;
        beiModalemFenster<QDialog>([&](QDialog *dialog) {
            for (const char *name : {"dameButton", "turmButton", "laeuferButton", "pferdButton"})
                angeboten << dialog->findChild<QPushButton *>(name)->isEnabled();
            if (knopf.isEmpty())
                dialog->reject();
            else
                dialog->findChild<QPushButton *>(knopf)->click();
        });
        const int ziel = fen.startsWith('n') ? feld("a8") : feld("b8");
        z().klicke("b7");
        z().klicke(ziel);
        QCOMPARE(angeboten, frei);
        QCOMPARE(z().eintrag(1).wandlungsFigur, -figur);
        QVERIFY(warte([&] { return z().ruhig(); }));
        QVERIFY(z().brettStimmt());
    }

    void zurueckVorUndListe()
    {
        QVERIFY(z().spiele("e2", "e4") && z().spiele("d2", "d4"));
        const QString ende = z().fen();

        z().druecke("tbt_Zurueck");
        QCOMPARE(currentIndex, 3);
        // Black is to move here, so the human takes Black and the computer White.
        QVERIFY(z().amZug());
        QCOMPARE(QPoint(z().spielerWeiss(), z().spielerSchwarz()), QPoint(1, 0));
        QCOMPARE(z().knopf("tbt_Vor")->toolTip(), QString("Zug vor"));
        QCOMPARE(z().liste()->currentRow(), z().eintrag(3).listenZeile);
        QVERIFY(z().brettStimmt());
        // F4 only acts at the end of the game.
        QTest::keyClick(fenster.get(), Qt::Key_F4);
        QCOMPARE(currentIndex, 3);

        for (int i = 0; i < 3; ++i)
            z().druecke("tbt_Zurueck");
        QVERIFY(!z().knopf("tbt_Zurueck")->isEnabled());
        QCOMPARE(z().fen(), QString(startFen));
        QVERIFY(z().brettStimmt());

        for (int i = 0; i < 4; ++i)
            z().druecke("tbt_Vor");
        QCOMPARE(z().fen(), ende);
        QCOMPARE(z().spielerWeiss(), 0);
        QCOMPARE(z().knopf("tbt_Vor")->toolTip(), QString("Vorschlag"));
        QVERIFY(warte([&] { return z().ruhig(); }));

        // A move in review replaces the rest of the game and its rows.
        z().druecke("tbt_Zurueck");
        z().druecke("tbt_Zurueck");
        const int zeilenVorher = z().eintrag(2).listenZeile + 1;
        QVERIFY(z().spiele("g1", "f3"));
        QCOMPARE(lastIndex, 4);
        QCOMPARE(z().liste()->count(), zeilenVorher + 2);
        QVERIFY(z().zeilen()[zeilenVorher].contains("G1-F3"));
    }

    // Taken back during the computer's pause, the position goes to the human and the computer
    // does not move.
    void zurueckInDerPause()
    {
        z().zugTimer()->setInterval(10000);
        z().klicke("e2");
        z().klicke("e4");
        QVERIFY(warte([&] { return !z().animationLaeuft(); }));
        QVERIFY(z().zugTimer()->isActive());
        z().druecke("tbt_Zurueck");
        QVERIFY(!z().zugTimer()->isActive());
        QVERIFY(warte([&] { return z().ruhig(); }));
        QCOMPARE(QPoint(currentIndex, lastIndex), QPoint(0, 1));
        QCOMPARE(z().spielerWeiss(), 0);
        QVERIFY(!z().amZug());
    }

    // After mate the game stays over when its end is shown again.
    void mattBleibtMatt()
    {
        QVERIFY(z().importiere("6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1"));
        QVERIFY(z().spiele("a1", "a8"));
        QVERIFY(z().spielEnde());
        QVERIFY(z().zeilen().last().endsWith(QString::fromUtf8("Weiß gewinnt")));
        z().druecke("tbt_Zurueck");
        QVERIFY(!z().spielEnde());
        z().druecke("tbt_Vor");
        QVERIFY(z().spielEnde());
        QVERIFY(!z().knopf("tbt_Vor")->isEnabled() && !z().engineLaeuft());
        z().klicke("g8");
        QCOMPARE(z().ausgewaehltesFeld(), 0);
    }

    void vorschlagMitZweiDruecken()
    {
        const Zug vorschlag = z().vorschlag();
        QVERIFY(vorschlag.von != 0);
        QTest::keyClick(fenster.get(), Qt::Key_F4);
        QVERIFY(z().meldung().startsWith("Vorschlag: "));
        QCOMPARE(lastIndex, 0);

        z().druecke("tbt_Vor");
        QCOMPARE(lastIndex, 1);
        QCOMPARE(QPoint(z().eintrag(1).von, z().eintrag(1).nach),
                 QPoint(vorschlag.von, vorschlag.nach));
        QVERIFY(warte([&] { return z().ruhig() && lastIndex == 2; }));
        QVERIFY(z().brettStimmt());
    }

    void befehlWartetAufDenComputer()
    {
        // A human move while the suggestion is computed stops it; the computer moves after it.
        z().starteVorschlag();
        QVERIFY(z().engineLaeuft());
        z().klicke("e2");
        z().klicke("e4");
        QCOMPARE(z().wartenderBefehl(), 7);
        QVERIFY(!z().zugTimer()->isActive());
        QVERIFY(warte([&] { return z().ruhig() && lastIndex == 2; }));
        QVERIFY(z().vorschlag().von != 0);

        // New game while the computer computes: its (stopped) move is still played, then the
        // new game asks about the unsaved moves.
        z().klicke("d2");
        z().klicke("d4");
        QVERIFY(z().zugTimer()->isActive());
        z().zugTimer()->stop();
        z().starteComputerzug();
        QVERIFY(z().engineLaeuft());
        int beiDerFrage = 0;
        QString frage;
        beiModalemFenster<QMessageBox>([&](QMessageBox *box) {
            beiDerFrage = lastIndex;
            frage = box->text();
            box->button(QMessageBox::Yes)->click();
        });
        QTest::keyClick(fenster.get(), Qt::Key_F2);
        QCOMPARE(z().wartenderBefehl(), 1);
        QVERIFY(warte([&] { return z().ruhig() && lastIndex == 0; }));
        QCOMPARE(beiDerFrage, 4);
        QVERIFY(frage.startsWith("Achtung: Datenverlust!"));
        QCOMPARE(z().zeilen().size(), 6);
    }

    void neuesSpielFragtNurBeiUngespeichertem()
    {
        QVERIFY(z().spiele("e2", "e4"));
        beantworteBox(QMessageBox::No);
        QTest::keyClick(fenster.get(), Qt::Key_F2);
        QCOMPARE(lastIndex, 2);
        // In review too.
        z().druecke("tbt_Zurueck");
        beantworteBox(QMessageBox::Yes);
        z().druecke("tbt_NeuesSpiel");
        QVERIFY(warte([&] { return z().ruhig() && lastIndex == 0; }));
        // A fresh game asks nothing.
        ModalZaehler fragen;
        QTest::keyClick(fenster.get(), Qt::Key_F2);
        QVERIFY(warte([&] { return z().ruhig(); }));
        QCOMPARE(fragen.anzahl, 0);
    }

    void computerzugAusDemErgebnis_data()
    {
        QTest::addColumn<QString>("ergebnis");
        QTest::addColumn<bool>("abgebrochen");
        QTest::addColumn<bool>("remis");
        QTest::addColumn<QString>("gespielt");
        QTest::addColumn<QString>("status"); // both status lines
        QTest::newRow("bester Zug") << "35|55|20|36|56|10|T3 20|12|S" << false << false << "d7d5"
                                    << "S T3 20|12ms";
        QTest::newRow("abgebrochen") << "35|55|20|00|00|0|T3 05|99999|-" << true << false << "d7d5"
                                     << "- Abbruch|99999ms";
        QTest::newRow("Remis droht")
            << "35|55|20|36|56|-120|T3 20|123456|S" << false << true << "e7e5"
            << "S T3 20|123456";
        QTest::newRow("Remis droht, Ausweichen zu schlecht")
            << "35|55|20|36|56|-140|T3 20|5|S" << false << true << "d7d5"
            << "S T3 20|5ms";
    }

    // The window plays the move of the job's result, or the runner-up when a draw threatens and
    // it is good enough, and shows the status.
    void computerzugAusDemErgebnis()
    {
        QFETCH(QString, ergebnis);
        QFETCH(bool, abgebrochen);
        QFETCH(bool, remis);
        QFETCH(QString, gespielt);
        QFETCH(QString, status);
        z().klicke("e2");
        z().klicke("e4");
        z().zugTimer()->stop();
        QVERIFY(warte([&] { return z().ruhig(); }));
        remisDroht = remis;
        if (remis)
            QTest::ignoreMessage(QtDebugMsg, "Remis");
        z().computerzugErgebnis(ergebnis, abgebrochen);
        const HistoryEntry zug = z().eintrag(2);
        QCOMPARE((feldName(zug.von) + feldName(zug.nach)).toLower(), gespielt);
        QCOMPARE(z().zeile("tEdit_Statuszeile1") + '|' + z().zeile("tEdit_Statuszeile2"), status);
        // After a stopped job no suggestion is computed.
        QCOMPARE(z().engineLaeuft(), !abgebrochen);
        QVERIFY(warte([&] { return z().ruhig(); }));
    }

    void aufgabeHoechstensEinmal()
    {
        const QString zweiDamen = "4k3/8/8/8/8/8/8/QQ2K3 w - - 0 1";
        umgebung->beantworteAufgabe(QMessageBox::Yes);
        QVERIFY(z().importiere(zweiDamen));
        QVERIFY(z().spiele("a1", "a7"));
        QCOMPARE(umgebung->aufgabeGefragtZahl, 1);
        QVERIFY(!z().spielEnde());
        QVERIFY(z().spiele("b1", "b2"));
        QCOMPARE(umgebung->aufgabeGefragtZahl, 1);

        // Accepted, the resignation ends the game with the computer's last move.
        umgebung->beantworteAufgabe(QMessageBox::No);
        QVERIFY(z().importiere(zweiDamen));
        QVERIFY(z().spiele("a1", "a7"));
        QVERIFY(z().spielEnde() && (z().eintrag(2).flags & ZUG_AUFGEGEBEN));
        QVERIFY(z().zeilen().last().endsWith(QString::fromUtf8("Aufgegeben, Weiß gewinnt")));
        z().klicke("b1");
        QCOMPARE(z().ausgewaehltesFeld(), 0);
    }

    // A text that is no valid FEN is named in a warning and changes nothing.
    void fenImportFehler()
    {
        QVERIFY(z().spiele("e2", "e4"));
        const QString vorher = z().fen();
        const QPair<QString, QString> faelle[] = {
            {"Hallo Welt", "In der Zwischenablage befindet sich kein FEN-String."},
            {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNX w KQkq - 0 1",
             "Fen String fehlerhaft an Position: 42"},
            {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -",
             "Fen String fehlerhaft an Position:"}};
        for (const auto &[text, meldung] : faelle) {
            QGuiApplication::clipboard()->setText(text);
            QString box;
            QMessageBox::Icon symbol = QMessageBox::NoIcon;
            beiModalemFenster<QMessageBox>([&](QMessageBox *b) {
                box = b->text();
                symbol = b->icon();
                b->accept();
            });
            z().loese("actionFen_Import_aus_Zwischenablage");
            QVERIFY2(box.startsWith(meldung) && box.endsWith("\n\r\n\r" + text.left(100)),
                     qPrintable(box));
            QCOMPARE(symbol, QMessageBox::Warning);
            QCOMPARE(z().fen(), vorher);
        }
    }

    void fenImportMitSchwarzAmZug()
    {
        QVERIFY(z().spiele("e2", "e4"));
        // No: the game stays.
        const QString fen = "4k3/8/8/8/8/8/4P3/4K3 b - - 3 40";
        QGuiApplication::clipboard()->setText(fen);
        beantworteBox(QMessageBox::No);
        z().loese("actionFen_Import_aus_Zwischenablage");
        QCOMPARE(lastIndex, 2);

        QVERIFY(z().importiere(fen));
        QCOMPARE(z().fen(), fen);
        QCOMPARE(fenster->windowTitle(), QString("Brakmor 1.26 ;   FEN Import"));
        QVERIFY(!z().weissUnten() && z().amZug());
        QCOMPARE(z().spielerSchwarz(), 0);
        QCOMPARE(z().zeilen()[4], QString("FEN Startbrett geladen"));
        QVERIFY(z().vorschlag().von != 0);
        QVERIFY(z().brettStimmt());
        QVERIFY(z().spiele("e8", "d7"));
        QCOMPARE(lastIndex, 2);
    }

    void fenExport()
    {
        QVERIFY(z().spiele("e2", "e4"));
        QString box;
        beantworteBox(QMessageBox::Ok, &box);
        z().loese("actionFen_Export_in_Zwischenablage");
        QCOMPARE(QGuiApplication::clipboard()->text(), z().eintrag(2).fen);
        QVERIFY(box.endsWith("\n\r\n\r" + z().eintrag(2).fen));

        // In review the position shown is exported.
        z().druecke("tbt_Zurueck");
        beantworteBox(QMessageBox::Ok);
        z().loese("actionFen_Export_in_Zwischenablage");
        QCOMPARE(QGuiApplication::clipboard()->text(), z().eintrag(1).fen);
    }

    void exotischeStellungen_data()
    {
        QTest::addColumn<QString>("fen");
        QTest::addColumn<bool>("vorbei");
        QTest::newRow("Weiß ohne König") << "4k3/8/8/8/8/8/4P3/8 w - - 0 1" << false;
        QTest::newRow("Schwarz ohne König") << "8/8/8/8/8/8/4P3/4K3 w - - 0 1" << false;
        QTest::newRow("ohne Könige") << "8/8/8/3q4/8/8/4P3/8 w - - 0 1" << false;
        QTest::newRow("Gegner im Schach") << "k7/8/8/8/8/8/8/R6K w - - 0 1" << true;
        QTest::newRow("Bauern auf der letzten Reihe") << "P3k3/8/8/8/8/8/8/p3K3 w - - 0 1" << false;
        QTest::newRow("keine weißen Figuren") << "rnbqkbnr/pppppppp/8/8/8/8/8/8 w - - 0 1" << true;
        QTest::newRow("zwei Könige") << "k7/8/8/8/8/8/8/K1K5 w - - 0 1" << false;
        QTest::newRow("patt") << "k7/2Q5/1K6/8/8/8/8/8 b - - 0 1" << true;
    }

    // Whatever the reader accepts leaves a working program: the game is over when the side to
    // move has no move, otherwise both sides play on.
    void exotischeStellungen()
    {
        QFETCH(QString, fen);
        QFETCH(bool, vorbei);
        umgebung->beantworteAufgabe(QMessageBox::Yes);
        QVERIFY(z().importiere(fen));
        QCOMPARE(z().spielEnde(), vorbei);
        QVERIFY(z().brettStimmt());
        if (vorbei) {
            QVERIFY(!z().knopf("tbt_Vor")->isEnabled());
            return;
        }
        QVERIFY(z().vorschlag().von != 0);
        // The suggestion is played, the computer answers, and the board follows.
        QTest::keyClick(fenster.get(), Qt::Key_F4);
        QTest::keyClick(fenster.get(), Qt::Key_F4);
        QVERIFY(warte([&] { return z().ruhig(); }));
        QVERIFY(lastIndex >= 1 && z().brettStimmt());
        z().druecke("tbt_Zurueck");
        QVERIFY(z().brettStimmt());
    }

    void spracheUndSchwierigkeit()
    {
        z().loese("actionMittel");
        QVERIFY(!z().kind<QAction>("actionSehrEinfach")->isChecked());
        QCOMPARE(z().zeile("tEdit_Statuszeile4"), QString("Mittel"));
        QCOMPARE(z().zeilen().last(), QString("Schwierigkeit: Mittel"));
        QSettings ini(umgebung->datei("Brakmor.ini"), QSettings::IniFormat);
        QCOMPARE(ini.value("Bewertung/Schwierigkeit").toInt(), 3);

        // The menu on the Info button's arrow offers the levels too, and follows the main menu.
        const QList<QAction *> stufen = z().knopf("tbt_Info")->menu()->actions();
        QVERIFY(stufen[2]->isChecked());
        stufen[0]->trigger();
        QCOMPARE(einstellungen.schwierigkeit, 1);
        QVERIFY(z().kind<QAction>("actionSehrEinfach")->isChecked());

        // The configuration dialog, opened from the Info button's menu, turns the texts.
        const char *const sprachen[][4] = {{"1", "File", "Suggestion", "White's time"},
                                           {"0", "Datei", "Vorschlag", "Zeit Weiß"}};
        for (const auto &e : sprachen) {
            einstellungen.sprache = QByteArray(e[0]).toInt();
            Languages::instance()->ladeSprache(einstellungen.sprache);
            beiModalemFenster<QDialog>(
                [](QDialog *dialog) { dialog->findChild<QPushButton *>("okButton")->click(); });
            stufen[6]->trigger();
            QCOMPARE(
                QStringList({z().kind<QMenu>("menuDatei")->title(), z().knopf("tbt_Vor")->toolTip(),
                             z().kind<QLabel>("lblZeitWeissBeschriftung")->text()}),
                QStringList({e[1], e[2], QString::fromUtf8(e[3])}));
            QCOMPARE(stufen[0]->text(), Languages::instance()->text(94, "Sehr einfach"));
        }
        stufen[8]->trigger();
        QVERIFY(!fenster->isVisible());
    }

    void schliessenWaehrendJob()
    {
        // A long search at the hardest level is stopped, not waited out.
        QVERIFY(z().spiele("e2", "e4"));
        z().loese("actionSehrSchwer");
        z().klicke("d2");
        z().klicke("d4");
        z().zugTimer()->stop();
        z().starteComputerzug();
        QVERIFY(z().engineLaeuft());
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

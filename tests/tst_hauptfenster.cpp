#include "app/languages.h"
#include "fensterhilfen.h"
#include "game/spielzustand.h"
#include "ui/infodialog.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>

namespace {

const QString grundstellung = QString::fromLatin1(startFen);

} // namespace

class TestHauptfenster : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<FensterUmgebung> umgebung;
    std::unique_ptr<MainWindow> fenster;

    FensterZugang z() { return FensterZugang{*fenster}; }

    QToolButton *knopf(const char *name) { return z().kind<QToolButton>(name); }

    // A human move by two clicks; waits until the computer has answered and its suggestion is in.
    bool spiele(const char *von, const char *nach)
    {
        const int vorher = currentIndex;
        z().klicke(von);
        z().klicke(nach);
        return currentIndex == vorher + 1 && warte([&] { return z().ruhig(); });
    }

    // Puts `fen` on the clipboard and imports it, answering a data-loss question with Yes.
    bool importiere(const QString &fen)
    {
        QGuiApplication::clipboard()->setText(fen);
        if (z().ungespeichert())
            beantworteBox(QMessageBox::Yes);
        QAction *import = z().kind<QAction>("actionFen_Import_aus_Zwischenablage");
        import->trigger();
        return warte([&] { return z().ruhig(); });
    }

    bool brettStimmt()
    {
        const QMap<int, int32_t> gezeigt = z().gezeigteFiguren();
        const QMap<int, int32_t> erwartet = z().figurenImBrett();
        if (gezeigt != erwartet)
            qWarning() << "gezeigt" << gezeigt << "erwartet" << erwartet;
        return gezeigt == erwartet;
    }

private slots:
    void init()
    {
        umgebung = std::make_unique<FensterUmgebung>();
        QVERIFY(umgebung->gueltig());
        fenster = umgebung->fenster();
        QVERIFY(warte([&] { return z().ruhig(); }));
    }

    void cleanup()
    {
        fenster.reset();
        umgebung.reset();
    }

    void aufbauUndNeuesSpiel()
    {
        QCOMPARE(fenster->minimumSize(), QSize(538, 418));
        QCOMPARE(fenster->windowTitle(), QString("Brakmor 1.26"));
        QStringList menues;
        for (QAction *menue : fenster->menuBar()->actions())
            menues << menue->text();
        QCOMPARE(menues, QStringList({"Datei", "Spiel", "Einstellungen"}));
        QStringList tasten;
        for (QShortcut *kuerzel : fenster->findChildren<QShortcut *>())
            tasten << kuerzel->key().toString();
        tasten.sort();
        QCOMPARE(tasten, QStringList({"Ctrl+C", "Ctrl+O", "Ctrl+S", "F2", "F3", "F4"}));

        const QStringList zeilen = z().zeilen();
        QCOMPARE(zeilen.size(), 6);
        QCOMPARE(zeilen[0], QString("Willkommen zu Brakmor"));
        QCOMPARE(zeilen[1], QString("Version 1.26"));
        QVERIFY(zeilen[2].startsWith("Spielstart: " + QDate::currentDate().toString("dd.MM.yyyy")));
        QCOMPARE(zeilen[3], QString("Schwierigkeit: Sehr einfach"));
        QCOMPARE(zeilen[4], QString::fromUtf8("Sie haben weiß und fangen an."));
        QCOMPARE(zeilen[5], QString());
        QCOMPARE(z().liste()->currentRow(), 5);
        QCOMPARE(z().kind<QLineEdit>("tEdit_Statuszeile3")->text(), QString("KQkq"));
        QCOMPARE(z().kind<QLineEdit>("tEdit_Statuszeile4")->text(), QString("Sehr einfach"));
        QVERIFY(z().kind<QLineEdit>("tEdit_Meldezeile")->isReadOnly());
        QVERIFY(!knopf("tbt_Zurueck")->isEnabled());
        QVERIFY(!z().kind<QAction>("actionPartie_speichern")->isEnabled());
        // Without a game collection there is nothing to load.
        QVERIFY(!knopf("tbt_SichernLaden")->isEnabled());
        QVERIFY(z().kind<QAction>("actionSehrEinfach")->isChecked());

        // The suggestion for White's first move is ready.
        QVERIFY(z().vorschlag().von != 0);
        QVERIFY(knopf("tbt_Vor")->isEnabled());
        QCOMPARE(z().fen(), grundstellung);
        QVERIFY(brettStimmt());

        // Ctrl+C copies the move list, every row with its line feed.
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(fenster.get(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), zeilen.join('\n') + '\n');
    }

    void zugMitZweiKlicks()
    {
        // A press on the opponent's piece or an empty square selects nothing.
        z().klicke("e7");
        QCOMPARE(z().ausgewaehltesFeld(), 0);
        z().klicke("e4");
        QCOMPARE(z().ausgewaehltesFeld(), 0);

        z().klicke("g1");
        QCOMPARE(z().ausgewaehltesFeld(), FensterZugang::feldNummer("g1"));
        QCOMPARE(z().farbe(FensterZugang::feldNummer("f3")), QColor(204, 255, 204));
        QCOMPARE(z().farbe(FensterZugang::feldNummer("h3")), QColor(204, 255, 204));
        QCOMPARE(z().farbe(FensterZugang::feldNummer("g1")), QColor(136, 255, 136));
        // Another own piece takes the selection over.
        z().klicke("e2");
        QCOMPARE(z().ausgewaehltesFeld(), FensterZugang::feldNummer("e2"));
        QVERIFY(z().farbe(FensterZugang::feldNummer("f3")) != QColor(204, 255, 204));
        // A target that is no legal move clears it.
        z().klicke("e5");
        QCOMPARE(z().ausgewaehltesFeld(), 0);
        QCOMPARE(lastIndex, 0);

        QVERIFY(spiele("e2", "e4"));
        QCOMPARE(lastIndex, 2);
        const QStringList zeilen = z().zeilen();
        QCOMPARE(zeilen[6], QString(" 1 WS Bauer  E2-E4 "));
        QVERIFY(zeilen[7].startsWith(" 1 SW "));
        QCOMPARE(z().liste()->currentRow(), 7);
        QVERIFY(!z().amZug());
        QVERIFY(z().ungespeichert());
        QVERIFY(knopf("tbt_Zurueck")->isEnabled());
        QVERIFY(knopf("tbt_SichernLaden")->isEnabled());
        QVERIFY(z().kind<QAction>("actionPartie_speichern")->isEnabled());
        QVERIFY(!z().kind<QLineEdit>("tEdit_Statuszeile1")->text().isEmpty());
        QVERIFY(z().kind<QLineEdit>("tEdit_Statuszeile2")->text().endsWith("ms"));
        QVERIFY(brettStimmt());
        // The clock of the side to move is the highlighted one.
        QCOMPARE(z().kind<QLabel>("lblZeitWeiss")->styleSheet(),
                 QString("background-color: white; color: green"));
        QCOMPARE(z().kind<QLabel>("lblZeitSchwarz")->styleSheet(),
                 QString("background-color: transparent; color: black"));
    }

    void wandlungMitAuswahl_data()
    {
        QTest::addColumn<QString>("fen");
        QTest::addColumn<QString>("knopf");
        QTest::addColumn<int>("figur");
        QTest::addColumn<QList<bool>>("frei");
        // Both own rooks on the board: no rook can be shown.
        QTest::newRow("Dame") << "4k3/1P6/8/8/8/8/8/R3K2R w - - 0 1"
                              << "dameButton" << int(DAME) << QList<bool>{true, false, true, true};
        QTest::newRow("Springer") << "4k3/1P6/8/8/8/8/8/4K3 w - - 0 1"
                                  << "pferdButton" << int(PFERD)
                                  << QList<bool>{true, true, true, true};
        QTest::newRow("Turm schlägt")
            << "n3k3/1P6/8/8/8/8/8/4K3 w - - 0 1"
            << "turmButton" << int(TURM) << QList<bool>{true, true, true, true};
    }

    void wandlungMitAuswahl()
    {
        QFETCH(QString, fen);
        QFETCH(QString, knopf);
        QFETCH(int, figur);
        QFETCH(QList<bool>, frei);
        umgebung->beantworteAufgabe(QMessageBox::Yes);
        QVERIFY(importiere(fen));
        QList<bool> angeboten;
        beiModalemFenster<QDialog>([&](QDialog *dialog) {
            for (const char *name : {"dameButton", "turmButton", "laeuferButton", "pferdButton"})
                angeboten << dialog->findChild<QPushButton *>(name)->isEnabled();
            dialog->findChild<QPushButton *>(knopf)->click();
        });
        const int ziel =
            fen.startsWith('n') ? FensterZugang::feldNummer("a8") : FensterZugang::feldNummer("b8");
        z().klicke("b7");
        z().klicke(ziel);
        QCOMPARE(angeboten, frei);
        QCOMPARE(z().controller().verlauf()->entry(1).wandlungsFigur, -figur);
        QCOMPARE(z().brett(ziel), -figur);
        QVERIFY(warte([&] { return z().ruhig(); }));
        QVERIFY(brettStimmt());
    }

    void zurueckVorUndListe()
    {
        QVERIFY(spiele("e2", "e4"));
        QVERIFY(spiele("d2", "d4"));
        QCOMPARE(lastIndex, 4);
        const QString ende = z().fen();

        QTest::mouseClick(knopf("tbt_Zurueck"), Qt::LeftButton);
        QCOMPARE(currentIndex, 3);
        // Black is to move here, so the human takes Black and the computer White.
        QVERIFY(z().amZug());
        QCOMPARE(z().spielerSchwarz(), 0);
        QCOMPARE(z().spielerWeiss(), 1);
        QCOMPARE(knopf("tbt_Vor")->toolTip(), QString("Zug vor"));
        QVERIFY(knopf("tbt_Vor")->isEnabled());
        QCOMPARE(z().liste()->currentRow(), z().controller().verlauf()->entry(3).listenZeile);
        QVERIFY(brettStimmt());
        // F4 only acts at the end of the game.
        QTest::keyClick(fenster.get(), Qt::Key_F4);
        QCOMPARE(currentIndex, 3);

        QTest::mouseClick(knopf("tbt_Zurueck"), Qt::LeftButton);
        QTest::mouseClick(knopf("tbt_Zurueck"), Qt::LeftButton);
        QTest::mouseClick(knopf("tbt_Zurueck"), Qt::LeftButton);
        QCOMPARE(currentIndex, 0);
        QVERIFY(!knopf("tbt_Zurueck")->isEnabled());
        QCOMPARE(z().fen(), grundstellung);
        QVERIFY(z().gezeigteFiguren() == z().figurenImBrett());

        // A click on a move in the list shows its position.
        const int zeile = z().controller().verlauf()->entry(2).listenZeile;
        z().liste()->setCurrentRow(zeile);
        QCOMPARE(currentIndex, 2);
        QCOMPARE(z().fen(), z().controller().verlauf()->entry(2).fen);

        QTest::mouseClick(knopf("tbt_Vor"), Qt::LeftButton);
        QTest::mouseClick(knopf("tbt_Vor"), Qt::LeftButton);
        QCOMPARE(currentIndex, 4);
        QCOMPARE(z().fen(), ende);
        QCOMPARE(z().spielerWeiss(), 0);
        QCOMPARE(knopf("tbt_Vor")->toolTip(), QString("Vorschlag"));
        QVERIFY(warte([&] { return z().ruhig(); }));
        QVERIFY(knopf("tbt_Vor")->isEnabled());

        // A move in review replaces the rest of the game and its rows.
        QTest::mouseClick(knopf("tbt_Zurueck"), Qt::LeftButton);
        QTest::mouseClick(knopf("tbt_Zurueck"), Qt::LeftButton);
        QCOMPARE(currentIndex, 2);
        const int zeilenVorher = z().controller().verlauf()->entry(2).listenZeile + 1;
        QVERIFY(spiele("g1", "f3"));
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
        QTest::mouseClick(knopf("tbt_Zurueck"), Qt::LeftButton);
        QCOMPARE(currentIndex, 0);
        QVERIFY(!z().zugTimer()->isActive());
        QVERIFY(warte([&] { return z().ruhig(); }));
        QCOMPARE(lastIndex, 1);
        QCOMPARE(currentIndex, 0);
        QCOMPARE(z().spielerWeiss(), 0);
        QVERIFY(!z().amZug());
    }

    // After mate the game stays over when its end is shown again.
    void mattBleibtMatt()
    {
        QVERIFY(importiere("6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1"));
        z().klicke("a1");
        z().klicke("a8");
        QVERIFY(warte([&] { return z().ruhig(); }));
        QVERIFY(z().spielEnde());
        QVERIFY(z().zeilen().last().endsWith(QString::fromUtf8("Weiß gewinnt")));
        QTest::mouseClick(knopf("tbt_Zurueck"), Qt::LeftButton);
        QVERIFY(!z().spielEnde());
        QTest::mouseClick(knopf("tbt_Vor"), Qt::LeftButton);
        QVERIFY(z().spielEnde());
        QVERIFY(!knopf("tbt_Vor")->isEnabled());
        QVERIFY(!z().engineLaeuft());
        z().klicke("g8");
        QCOMPARE(z().ausgewaehltesFeld(), 0);
    }

    void infoUndMenueAmInfoKnopf()
    {
        QString stempel;
        beiModalemFenster<QDialog>([&](QDialog *dialog) {
            stempel = dialog->findChild<QLabel *>("DatumOutLabel")->text();
            dialog->accept();
        });
        QTest::mouseClick(knopf("tbt_Info"), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        QCOMPARE(stempel, bauStempel());

        const QList<QAction *> eintraege = knopf("tbt_Info")->menu()->actions();
        QCOMPARE(eintraege.size(), 9);
        QCOMPARE(eintraege[5]->text(), QString("Info"));
        bool konfiguration = false;
        beiModalemFenster<QDialog>([&](QDialog *dialog) {
            konfiguration = dialog->findChild<QWidget *>("okButton") != nullptr;
            dialog->reject();
        });
        eintraege[6]->trigger();
        QVERIFY(konfiguration);
        eintraege[8]->trigger();
        QVERIFY(!fenster->isVisible());
    }

    void vorschlagMitZweiDruecken()
    {
        const Zug vorschlag = z().vorschlag();
        QVERIFY(vorschlag.von != 0);
        QTest::keyClick(fenster.get(), Qt::Key_F4);
        QVERIFY(z().meldung().startsWith("Vorschlag: "));
        QCOMPARE(z().zeilen().last(), z().meldung());
        QCOMPARE(knopf("tbt_Vor")->toolTip(), QString("Zug vor"));
        QVERIFY(z().farbe(vorschlag.von) != Qt::white && z().farbe(vorschlag.von) != Qt::gray);
        QCOMPARE(lastIndex, 0);

        QTest::mouseClick(knopf("tbt_Vor"), Qt::LeftButton);
        QCOMPARE(lastIndex, 1);
        const HistoryEntry gespielt = z().controller().verlauf()->entry(1);
        QCOMPARE(gespielt.von, vorschlag.von);
        QCOMPARE(gespielt.nach, vorschlag.nach);
        QVERIFY(warte([&] { return z().ruhig() && lastIndex == 2; }));
        QVERIFY(brettStimmt());
    }

    void seitenwechselUndEroeffnung()
    {
        QTest::keyClick(fenster.get(), Qt::Key_F3);
        QVERIFY(!z().weissUnten());
        QCOMPARE(z().meldung(), QString("Figurentausch"));
        QCOMPARE(z().spielerWeiss(), 1);
        QCOMPARE(z().spielerSchwarz(), 0);
        QVERIFY(warte([&] { return z().ruhig() && lastIndex == 1; }));
        // The computer opens with one of its three first moves.
        const HistoryEntry erster = z().controller().verlauf()->entry(1);
        const QList<QPair<int, int>> eroeffnungen = {{86, 66}, {85, 65}, {84, 64}};
        QVERIFY(eroeffnungen.contains({erster.von, erster.nach}));
        QVERIFY(z().amZug());
        QVERIFY(brettStimmt());

        // Turned, h1 is in the top-left corner.
        const QPointF links = z().feldMitte(FensterZugang::feldNummer("h1"));
        QVERIFY(links.x() < -240 && links.y() < -240);
        QVERIFY(spiele("e7", "e5") || spiele("c7", "c5"));
        QVERIFY(z().amZug());
    }

    void eroeffnungenWechselnSich()
    {
        QList<int> folge;
        for (int partie = 0; partie < 3; ++partie) {
            QTest::mouseClick(knopf("tbt_SeiteTauschen"), Qt::LeftButton);
            QVERIFY(warte([&] { return z().ruhig() && lastIndex == 1; }));
            folge << z().controller().verlauf()->entry(1).von;
            beantworteBox(QMessageBox::Yes);
            QTest::mouseClick(knopf("tbt_NeuesSpiel"), Qt::LeftButton);
            QVERIFY(warte([&] { return z().ruhig() && lastIndex == 0; }));
        }
        // e2-e4, d2-d4, c2-c4 in turn from wherever the cycle began.
        QCOMPARE((folge[0] - folge[1] + 3) % 3, 1);
        QCOMPARE((folge[1] - folge[2] + 3) % 3, 1);
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
        beiModalemFenster<QMessageBox>([&](QMessageBox *box) {
            beiDerFrage = lastIndex;
            QVERIFY(box->text().startsWith("Achtung: Datenverlust!"));
            box->button(QMessageBox::Yes)->click();
        });
        QTest::keyClick(fenster.get(), Qt::Key_F2);
        QCOMPARE(z().wartenderBefehl(), 1);
        QVERIFY(warte([&] { return z().ruhig() && lastIndex == 0; }));
        QCOMPARE(beiDerFrage, 4);
        QVERIFY(!z().ungespeichert());
        QCOMPARE(z().zeilen().size(), 6);
    }

    void neuesSpielFragtNurBeiUngespeichertem()
    {
        QVERIFY(spiele("e2", "e4"));
        beantworteBox(QMessageBox::No);
        QTest::keyClick(fenster.get(), Qt::Key_F2);
        QCOMPARE(lastIndex, 2);
        // In review too.
        QTest::mouseClick(knopf("tbt_Zurueck"), Qt::LeftButton);
        beantworteBox(QMessageBox::Yes);
        QTest::mouseClick(knopf("tbt_NeuesSpiel"), Qt::LeftButton);
        QVERIFY(warte([&] { return z().ruhig(); }));
        QCOMPARE(lastIndex, 0);
        // A fresh game asks nothing.
        QTest::keyClick(fenster.get(), Qt::Key_F2);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }

    void computerzugAusDemErgebnis_data()
    {
        QTest::addColumn<QString>("ergebnis");
        QTest::addColumn<bool>("abgebrochen");
        QTest::addColumn<bool>("remis");
        QTest::addColumn<QString>("gespielt");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("zeit");
        QTest::newRow("bester Zug") << "35|55|20|36|56|10|T3 20|12|S" << false << false << "d7d5"
                                    << "S T3 20"
                                    << "12ms";
        QTest::newRow("abgebrochen") << "35|55|20|00|00|0|T3 05|99999|-" << true << false << "d7d5"
                                     << "- Abbruch"
                                     << "99999ms";
        QTest::newRow("Remis droht")
            << "35|55|20|36|56|-120|T3 20|123456|S" << false << true << "e7e5"
            << "S T3 20"
            << "123456";
        QTest::newRow("Remis droht, Ausweichen zu schlecht")
            << "35|55|20|36|56|-140|T3 20|5|S" << false << true << "d7d5"
            << "S T3 20"
            << "5ms";
    }

    // The result text of a computer move job as the window reads it: the move, or the
    // runner-up when a draw threatens and it is good enough; the status lines.
    void computerzugAusDemErgebnis()
    {
        QFETCH(QString, ergebnis);
        QFETCH(bool, abgebrochen);
        QFETCH(bool, remis);
        QFETCH(QString, gespielt);
        QFETCH(QString, status);
        QFETCH(QString, zeit);
        z().klicke("e2");
        z().klicke("e4");
        z().zugTimer()->stop();
        QVERIFY(warte([&] { return z().ruhig(); }));
        remisDroht = remis;
        if (remis)
            QTest::ignoreMessage(QtDebugMsg, "Remis");
        z().computerzugErgebnis(ergebnis, abgebrochen);
        const HistoryEntry zug = z().controller().verlauf()->entry(2);
        QCOMPARE((feldName(zug.von) + feldName(zug.nach)).toLower(), gespielt);
        QCOMPARE(z().kind<QLineEdit>("tEdit_Statuszeile1")->text(), status);
        QCOMPARE(z().kind<QLineEdit>("tEdit_Statuszeile2")->text(), zeit);
        // After a stopped job no suggestion is computed.
        QCOMPARE(z().engineLaeuft(), !abgebrochen);
        QVERIFY(warte([&] { return z().ruhig(); }));
    }

    void aufgabeHoechstensEinmal()
    {
        umgebung->beantworteAufgabe(QMessageBox::Yes);
        QVERIFY(importiere("4k3/8/8/8/8/8/8/QQ2K3 w - - 0 1"));
        QVERIFY(spiele("a1", "a7"));
        QCOMPARE(umgebung->aufgabeGefragtZahl, 1);
        QVERIFY(!z().spielEnde());
        QVERIFY(spiele("b1", "b2"));
        QCOMPARE(umgebung->aufgabeGefragtZahl, 1);

        // Accepted, the resignation ends the game with the computer's last move.
        umgebung->beantworteAufgabe(QMessageBox::No);
        QVERIFY(importiere("4k3/8/8/8/8/8/8/QQ2K3 w - - 0 1"));
        QVERIFY(spiele("a1", "a7"));
        QVERIFY(z().spielEnde());
        QVERIFY(z().controller().verlauf()->entry(2).flags & ZUG_AUFGEGEBEN);
        QVERIFY(z().zeilen().last().endsWith(QString::fromUtf8("Aufgegeben, Weiß gewinnt")));
        QVERIFY(!knopf("tbt_Vor")->isEnabled());
        z().klicke("b1");
        QCOMPARE(z().ausgewaehltesFeld(), 0);
    }

    void fenImport_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("meldung");
        QTest::newRow("kein FEN") << "Hallo Welt"
                                  << "In der Zwischenablage befindet sich kein FEN-String.";
        QTest::newRow("falsches Zeichen")
            << "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNX w KQkq - 0 1"
            << "Fen String fehlerhaft an Position: 42";
        QTest::newRow("ohne Zähler") << "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -"
                                     << "Fen String fehlerhaft an Position:";
    }

    void fenImport()
    {
        QFETCH(QString, text);
        QFETCH(QString, meldung);
        QVERIFY(spiele("e2", "e4"));
        const QString vorher = z().fen();
        QGuiApplication::clipboard()->setText(text);
        QString box;
        QMessageBox::Icon symbol = QMessageBox::NoIcon;
        beiModalemFenster<QMessageBox>([&](QMessageBox *b) {
            box = b->text();
            symbol = b->icon();
            b->accept();
        });
        z().kind<QAction>("actionFen_Import_aus_Zwischenablage")->trigger();
        QVERIFY2(box.startsWith(meldung), qPrintable(box));
        QVERIFY(box.endsWith("\n\r\n\r" + text.left(100)));
        QCOMPARE(symbol, QMessageBox::Warning);
        QCOMPARE(z().fen(), vorher);
    }

    void fenImportMitSchwarzAmZug()
    {
        QVERIFY(spiele("e2", "e4"));
        // No: the game stays.
        const QString fen = "4k3/8/8/8/8/8/4P3/4K3 b - - 3 40";
        QGuiApplication::clipboard()->setText(fen);
        beantworteBox(QMessageBox::No);
        z().kind<QAction>("actionFen_Import_aus_Zwischenablage")->trigger();
        QCOMPARE(lastIndex, 2);

        QVERIFY(importiere(fen));
        QCOMPARE(lastIndex, 0);
        QCOMPARE(z().fen(), fen);
        QCOMPARE(fenster->windowTitle(), QString("Brakmor 1.26 ;   FEN Import"));
        QVERIFY(!z().weissUnten());
        QVERIFY(z().amZug());
        QCOMPARE(z().spielerSchwarz(), 0);
        QCOMPARE(z().zeilen()[4], QString("FEN Startbrett geladen"));
        QVERIFY(z().vorschlag().von != 0);
        QVERIFY(brettStimmt());
        QVERIFY(spiele("e8", "d7"));
        QCOMPARE(lastIndex, 2);
    }

    void fenExportUndProtokoll()
    {
        QVERIFY(spiele("e2", "e4"));
        QString box;
        beiModalemFenster<QMessageBox>([&](QMessageBox *b) {
            box = b->text();
            b->accept();
        });
        z().kind<QAction>("actionFen_Export_in_Zwischenablage")->trigger();
        const QString fen = QGuiApplication::clipboard()->text();
        QCOMPARE(fen, z().controller().verlauf()->entry(2).fen);
        QVERIFY(box.startsWith("Die Figurenstellung auf dem Brett wurde als FEN Zeichenfolge\n\r"));
        QVERIFY(box.endsWith("\n\r\n\r" + fen));

        // In review the position shown is exported.
        QTest::mouseClick(knopf("tbt_Zurueck"), Qt::LeftButton);
        beantworteBox(QMessageBox::Ok);
        z().kind<QAction>("actionFen_Export_in_Zwischenablage")->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), z().controller().verlauf()->entry(1).fen);

        z().kind<QAction>("actionProtokoll_in_Zwischenablage")->trigger();
        const QString protokoll = QGuiApplication::clipboard()->text();
        QVERIFY(protokoll.contains("\n 1 WS Bauer  E2-E4 \n"));
        QCOMPARE(protokoll.count('\n'), z().liste()->count());
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
        QVERIFY(importiere(fen));
        QCOMPARE(z().spielEnde(), vorbei);
        QVERIFY(brettStimmt());
        if (vorbei) {
            QVERIFY(!knopf("tbt_Vor")->isEnabled());
            return;
        }
        QVERIFY(z().vorschlag().von != 0);
        // The suggestion is played, the computer answers, and the board follows.
        QTest::keyClick(fenster.get(), Qt::Key_F4);
        QTest::keyClick(fenster.get(), Qt::Key_F4);
        QVERIFY(warte([&] { return z().ruhig(); }));
        QVERIFY(lastIndex >= 1);
        QVERIFY(brettStimmt());
        QTest::mouseClick(knopf("tbt_Zurueck"), Qt::LeftButton);
        QVERIFY(brettStimmt());
    }

    void mehrFigurenAlsBilder()
    {
        // Two queens, both rooks, bishops and knights on the board: the promotion dialog has
        // nothing to offer, the knight it defaults to has no picture and is not drawn.
        umgebung->beantworteAufgabe(QMessageBox::Yes);
        QVERIFY(importiere("4k3/1P6/8/8/8/8/N7/QQRRBBNK w - - 0 1"));
        QList<bool> angeboten;
        beiModalemFenster<QDialog>([&](QDialog *dialog) {
            for (QPushButton *b : dialog->findChildren<QPushButton *>())
                angeboten << b->isEnabled();
            dialog->reject();
        });
        z().klicke("b7");
        z().klicke("b8");
        QCOMPARE(angeboten, QList<bool>({false, false, false, false}));
        QCOMPARE(z().brett(FensterZugang::feldNummer("b8")), -PFERD);
        QVERIFY(warte([&] { return z().ruhig(); }));
        QCOMPARE(z().gezeigteFiguren().values().count(-PFERD), 2);
        QVERIFY(brettStimmt());
    }

    void spracheUndSchwierigkeit()
    {
        z().kind<QAction>("actionMittel")->trigger();
        QCOMPARE(einstellungen.schwierigkeit, 3);
        QVERIFY(z().kind<QAction>("actionMittel")->isChecked());
        QVERIFY(!z().kind<QAction>("actionSehrEinfach")->isChecked());
        QCOMPARE(z().kind<QLineEdit>("tEdit_Statuszeile4")->text(), QString("Mittel"));
        QCOMPARE(z().zeilen().last(), QString("Schwierigkeit: Mittel"));
        QSettings ini(umgebung->datei("Brakmor.ini"), QSettings::IniFormat);
        QCOMPARE(ini.value("Bewertung/Schwierigkeit").toInt(), 3);

        // The menu on the Info button's arrow offers the same levels.
        QMenu *menue = knopf("tbt_Info")->menu();
        QVERIFY(menue);
        QCOMPARE(knopf("tbt_Info")->popupMode(), QToolButton::MenuButtonPopup);
        QVERIFY(menue->actions()[2]->isChecked());
        menue->actions()[0]->trigger();
        QCOMPARE(einstellungen.schwierigkeit, 1);
        QVERIFY(z().kind<QAction>("actionSehrEinfach")->isChecked());
        QVERIFY(menue->actions()[0]->isChecked());
        z().kind<QAction>("actionSehrSchwer")->trigger();
        for (int i = 0; i < 4; ++i)
            QVERIFY(!menue->actions()[i]->isChecked());
        z().kind<QAction>("actionSehrEinfach")->trigger();

        struct Erwartet
        {
            int sprache;
            const char *datei;
            const char *vor;
            const char *zeitWeiss;
        };
        const Erwartet sprachen[] = {{1, "File", "Suggestion", "White's time"},
                                     {2, "Fichier", nullptr, nullptr},
                                     {0, "Datei", "Vorschlag", "Zeit Weiß"}};
        for (const Erwartet &e : sprachen) {
            einstellungen.sprache = e.sprache;
            Languages::instance()->ladeSprache(e.sprache);
            beiModalemFenster<QDialog>(
                [](QDialog *dialog) { dialog->findChild<QPushButton *>("okButton")->click(); });
            z().kind<QAction>("actionKonfiguration")->trigger();
            QCOMPARE(z().kind<QMenu>("menuDatei")->title(), QString::fromUtf8(e.datei));
            if (e.vor) {
                QCOMPARE(knopf("tbt_Vor")->toolTip(), QString::fromUtf8(e.vor));
                QCOMPARE(z().kind<QLabel>("lblZeitWeissBeschriftung")->text(),
                         QString::fromUtf8(e.zeitWeiss));
            }
            QCOMPARE(menue->actions()[0]->text(), Languages::instance()->text(94, "Sehr einfach"));
        }
    }

    void konfigurationZeigtBrettUndMarken()
    {
        QVERIFY(spiele("e2", "e4"));
        const int a8 = FensterZugang::feldNummer("a8");
        QVERIFY(z().hatTextur(a8));
        QVERIFY(z().markenSichtbar());
        beiModalemFenster<QDialog>([](QDialog *dialog) {
            dialog->findChild<QComboBox *>("BrettDesignComboBox")->setCurrentIndex(0);
            dialog->findChild<QCheckBox *>("MarkiereZugCheckBox")->setChecked(false);
            dialog->findChild<QPushButton *>("okButton")->click();
        });
        z().kind<QAction>("actionKonfiguration")->trigger();
        QVERIFY(!z().hatTextur(a8));
        QCOMPARE(z().farbe(a8), QColor(Qt::white));
        QCOMPARE(z().farbe(FensterZugang::feldNummer("b8")), QColor(Qt::gray));
        QCOMPARE(z().ansicht()->styleSheet(), QString("background-color: transparent;"));
        QVERIFY(!z().markenSichtbar());
    }

    void schliessenWaehrendJob()
    {
        // A long search at the hardest level is stopped, not waited out.
        QVERIFY(spiele("e2", "e4"));
        z().kind<QAction>("actionSehrSchwer")->trigger();
        z().klicke("d2");
        z().klicke("d4");
        z().zugTimer()->stop();
        z().starteComputerzug();
        QVERIFY(z().engineLaeuft());
        fenster->close();
        QVERIFY(!z().engineLaeuft());
        QVERIFY(!fenster->isVisible());

        // The destructor alone stops a running job too: here the first suggestion.
        fenster = umgebung->fenster();
        QVERIFY(z().engineLaeuft());
        fenster.reset();
    }
};

QTEST_MAIN(TestHauptfenster)
#include "tst_hauptfenster.moc"

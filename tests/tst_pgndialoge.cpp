#include "app/einstellungen.h"
#include "app/languages.h"
#include "pgn/pgn.h"
#include "pgn/pgnladendialog.h"
#include "pgn/pgnspeicherndialog.h"
#include "widgethilfen.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QtTest>

namespace {

using Paare = QList<QPair<int, int>>;

// Five games at every hundredth character of their file's text.
QList<Pgn> fuenfPartien()
{
    QList<Pgn> partien;
    for (int i = 0; i < 5; ++i) {
        Pgn partie;
        partie.position = 100 * i;
        partie.event = QString("Partie %1").arg(i + 1);
        partie.datum = QDateTime(QDate(2018, 7, 27), QTime(16, 52));
        partie.ergebnis = "*";
        partien << partie;
    }
    return partien;
}

QTableWidget *tabelle(QDialog &dialog)
{
    return dialog.findChild<QTableWidget *>("tableWidget");
}

QPushButton *knopf(QDialog &dialog, const char *name)
{
    return dialog.findChild<QPushButton *>(name);
}

// Clicks a row as the user does; with Ctrl it is added to the selection.
void klicke(QDialog &dialog, int zeile, Qt::KeyboardModifiers tasten = {})
{
    QTableWidget *t = tabelle(dialog);
    QTest::mouseClick(t->viewport(), Qt::LeftButton, tasten,
                      t->visualRect(t->model()->index(zeile, 1)).center());
}

QString freigegeben(QDialog &dialog)
{
    return QString(knopf(dialog, "deleteButton")->isEnabled() ? "löschen" : "") +
           (knopf(dialog, "okButton")->isEnabled() ? "+laden" : "");
}

Paare paare(const QList<Bereich> &bereiche)
{
    Paare ergebnis;
    for (const Bereich &b : bereiche)
        ergebnis << qMakePair(b.start, b.ende);
    return ergebnis;
}

Pgn beispiel()
{
    Pgn eintrag;
    eintrag.datum = QDateTime(QDate(2018, 7, 27), QTime(16, 52));
    eintrag.event = "Einfach";
    eintrag.site = "Brakmor V1.26";
    eintrag.eco = "C20";
    eintrag.runde = 4;
    eintrag.weiss = "Ada";
    eintrag.weissElo = 1850;
    eintrag.schwarz = "Brakmor";
    eintrag.schwarzElo = 0;
    eintrag.ergebnis = "1-0";
    eintrag.fen = "8/8/8/8/8/8/8/K1k5 w - - 0 1";
    return eintrag;
}

QString felder(const Pgn &e)
{
    return QStringList({e.datum.date().toString(Qt::ISODate), e.event, e.site, e.eco,
                        QString::number(e.runde), e.weiss, QString::number(e.weissElo), e.schwarz,
                        QString::number(e.schwarzElo), e.ergebnis, e.fen})
        .join('|');
}

QLineEdit *zeile(QDialog &dialog, const char *name)
{
    return dialog.findChild<QLineEdit *>(name);
}

} // namespace

// The dialogs that save a game to the collection and pick games from it.
class TestPgnDialoge : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestUmgebung> umgebung;

    static QString sammlung() { return appVerzeichnis + "Brakmor.pgn"; }

private slots:
    void init()
    {
        umgebung = std::make_unique<TestUmgebung>();
        Languages::instance()->ladeSprache(0);
    }

    void cleanup() { umgebung.reset(); }

    void tabellenInhalt()
    {
        PgnLadenDialog dialog(sammlung(), {beispiel()});

        QTableWidget *t = tabelle(dialog);
        QStringList inhalt;
        for (int spalte = 0; spalte < t->columnCount(); ++spalte) {
            inhalt << t->item(0, spalte)->text();
            QVERIFY(!(t->item(0, spalte)->flags() & Qt::ItemIsEditable));
        }
        QCOMPARE(inhalt, QStringList({" Einfach", "Brakmor V1.26", "27.07.18", "F", "4", "C20",
                                      " Ada", "1850", " Brakmor", "0", "1-0"}));

        // The only game is chosen already.
        QCOMPARE(t->selectionModel()->selectedRows().size(), 1);
        QCOMPARE(freigegeben(dialog), QString("löschen+laden"));
        const QString link = dialog.findChild<QLabel *>("PGN_DateinameLabel")->text();
        const QString ordner = QUrl::fromLocalFile(QFileInfo(sammlung()).absolutePath()).toString();
        QVERIFY2(link.contains(ordner) && link.contains(">" + sammlung() + "</a>"),
                 qPrintable(link));
    }

    void auswahlregeln()
    {
        PgnLadenDialog dialog(sammlung(), fuenfPartien());
        QVERIFY(zeige(dialog));
        QCOMPARE(freigegeben(dialog), QString());
        klicke(dialog, 1);
        QCOMPARE(freigegeben(dialog), QString("löschen+laden"));
        klicke(dialog, 3, Qt::ControlModifier);
        QCOMPARE(freigegeben(dialog), QString("löschen"));
        klicke(dialog, 2, Qt::ShiftModifier);
        QCOMPARE(freigegeben(dialog), QString("löschen"));
        klicke(dialog, 3, Qt::ControlModifier);
        klicke(dialog, 2, Qt::ControlModifier);
        klicke(dialog, 1, Qt::ControlModifier);
        QCOMPARE(freigegeben(dialog), QString());
    }

    void laden()
    {
        PgnLadenDialog dialog(sammlung(), fuenfPartien());
        QVERIFY(zeige(dialog));
        klicke(dialog, 2);
        QTest::mouseClick(knopf(dialog, "okButton"), Qt::LeftButton);
        QCOMPARE(dialog.result(), 1);
        QCOMPARE(dialog.ausgewaehltePartie().event, QString("Partie 3"));

        // A double click loads the game.
        PgnLadenDialog doppelt(sammlung(), fuenfPartien());
        QVERIFY(zeige(doppelt));
        QTableWidget *t = tabelle(doppelt);
        const QPoint punkt = t->visualRect(t->model()->index(3, 0)).center();
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, punkt);
        QTest::mouseDClick(t->viewport(), Qt::LeftButton, {}, punkt);
        QCOMPARE(doppelt.result(), 1);
        QCOMPARE(doppelt.ausgewaehltePartie().position, 300);
        QVERIFY(doppelt.loeschBereiche().isEmpty());
    }

    void loeschen_data()
    {
        QTest::addColumn<QList<int>>("zeilen");
        QTest::addColumn<QString>("frage");
        QTest::addColumn<Paare>("bereiche");
        QTest::newRow("die letzte")
            << QList<int>{4} << "Möchten Sie die ausgewählte Partie löschen?" << Paare{{400, -1}};
        QTest::newRow("erste und dritte")
            << QList<int>{2, 0} << "Möchten Sie die 2  Partie(n) löschen?"
            << Paare{{200, 299}, {0, 99}};
        QTest::newRow("drei am Ende")
            << QList<int>{4, 2, 3} << "Möchten Sie die 3  Partie(n) löschen?"
            << Paare{{400, -1}, {300, 399}, {200, 299}};
    }

    void loeschen()
    {
        QFETCH(QList<int>, zeilen);
        QFETCH(QString, frage);
        QFETCH(Paare, bereiche);
        PgnLadenDialog dialog(sammlung(), fuenfPartien());
        QVERIFY(zeige(dialog));
        for (int zeile : zeilen)
            klicke(dialog, zeile, Qt::ControlModifier);

        // First the user thinks better of it; Return would have said No too.
        QString text;
        beiModalemFenster<QMessageBox>([&](QMessageBox *box) {
            text = box->text() + '|' + box->informativeText();
            QCOMPARE(box->defaultButton(), box->button(QMessageBox::No));
            box->button(QMessageBox::No)->click();
        });
        QTest::mouseClick(knopf(dialog, "deleteButton"), Qt::LeftButton);
        QCOMPARE(text, QString::fromUtf8("Partien löschen|") + frage);
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.loeschBereiche().isEmpty());

        beiModalemFenster<QMessageBox>(
            [](QMessageBox *box) { box->button(QMessageBox::Yes)->click(); });
        QTest::mouseClick(knopf(dialog, "deleteButton"), Qt::LeftButton);
        QCOMPARE(dialog.result(), 100);
        QCOMPARE(paare(dialog.loeschBereiche()), bereiche);
    }

    void andereDateiWaehlen()
    {
        const QString andere = umgebung->pfad("Turnier.pgn");
        QFile datei(andere);
        QVERIFY(datei.open(QIODevice::WriteOnly));
        datei.close();
        speichereEinstellungen();

        // Cancelled: nothing changes and the dialog stays.
        PgnLadenDialog dialog(sammlung(), fuenfPartien());
        QVERIFY(zeige(dialog));
        beiModalemFenster<QFileDialog>([&](QFileDialog *auswahl) { auswahl->reject(); });
        QTest::mouseClick(knopf(dialog, "pathButton"), Qt::LeftButton);
        QVERIFY(dialog.isVisible() && einstellungen.pgnLadenAusAppVerzeichnis);
        QVERIFY(einstellungen.pgnLadeDateiname.isEmpty());

        beiModalemFenster<QFileDialog>([&](QFileDialog *auswahl) {
            // Typed rather than selectFile(): that one leaves the name field alone while it has
            // the focus, and only finds the file once the folder listing has arrived.
            auswahl->findChild<QLineEdit *>("fileNameEdit")->setText(andere);
            static_cast<QDialog *>(auswahl)->accept(); // protected in QFileDialog
        });
        QTest::mouseClick(knopf(dialog, "pathButton"), Qt::LeftButton);
        QCOMPARE(dialog.result(), 101);
        QCOMPARE(einstellungen.pgnLadeDateiname, QDir::toNativeSeparators(andere));
        QVERIFY(!einstellungen.pgnLadenAusAppVerzeichnis);
        QSettings ini(appVerzeichnis + "Brakmor.ini", QSettings::IniFormat);
        QCOMPARE(ini.value("Dateien/PgnLadeDateiname").toString(), einstellungen.pgnLadeDateiname);
        QCOMPARE(ini.value("Dateien/PgnLadenAusAppVerzeichnis").toBool(), false);
    }

    void appDirUmschalten()
    {
        einstellungen.pgnLadeDateiname.clear();
        {
            PgnLadenDialog ohneAndereDatei(sammlung(), fuenfPartien());
            QVERIFY(!ohneAndereDatei.findChild<QCheckBox *>("AppDirCheckBox")->isEnabled());
        }

        einstellungen.pgnLadeDateiname = umgebung->pfad("Turnier.pgn");
        PgnLadenDialog dialog(sammlung(), fuenfPartien());
        auto *kaestchen = dialog.findChild<QCheckBox *>("AppDirCheckBox");
        QVERIFY(kaestchen->isEnabled() && kaestchen->isChecked());
        // Showing the stored state saves nothing and closes nothing.
        QCOMPARE(dialog.result(), 0);
        QVERIFY(!QFile::exists(appVerzeichnis + "Brakmor.ini"));

        beiModalemFenster<PgnLadenDialog>([](PgnLadenDialog *offen) {
            QTest::mouseClick(offen->findChild<QCheckBox *>("AppDirCheckBox"), Qt::LeftButton);
        });
        QCOMPARE(dialog.exec(), 101);
        QVERIFY(!einstellungen.pgnLadenAusAppVerzeichnis);
        QSettings ini(appVerzeichnis + "Brakmor.ini", QSettings::IniFormat);
        QCOMPARE(ini.value("Dateien/PgnLadenAusAppVerzeichnis").toBool(), false);
    }

    void zeigenUndEingabegrenzen()
    {
        Pgn eintrag = beispiel();
        PgnSpeichernDialog dialog(&eintrag);
        QCOMPARE(dialog.findChild<QDateTimeEdit *>("dateEdit")->date(), QDate(2018, 7, 27));
        QStringList texte;
        for (const char *name :
             {"BezeichnungL_Edit", "EcoL_Edit", "SpielortL_Edit", "RundeL_Edit", "NameWeissL_Edit",
              "EloWsL_Edit", "NameSchwarzL_Edit", "EloSwL_Edit"})
            texte << zeile(dialog, name)->text();
        QCOMPARE(texte, QStringList({"Einfach", "C20", "Brakmor V1.26", "4", "Ada", "1850",
                                     "Brakmor", "0"}));
        // Without a collection there is nothing to load; the result is the game's.
        QVERIFY(!knopf(dialog, "ladenButton")->isEnabled());
        QCOMPARE(zeile(dialog, "ErgebnisL_Edit")->text(), QString("1-0"));
        QVERIFY(!zeile(dialog, "ErgebnisL_Edit")->isEnabled());

        const struct
        {
            const char *zeile, *eingabe, *ergebnis;
        } grenzen[] = {{"RundeL_Edit", "10000", "1000"}, {"RundeL_Edit", "9999", "9999"},
                       {"EloWsL_Edit", "5001", "500"},   {"EloWsL_Edit", "-5000", "5000"},
                       {"EloSwL_Edit", "5001", "500"},   {"EloSwL_Edit", "-5000", "5000"}};
        for (const auto &g : grenzen) {
            ersetze(zeile(dialog, g.zeile), g.eingabe);
            QCOMPARE(zeile(dialog, g.zeile)->text(), QString(g.ergebnis));
        }
    }

    void speichernSchreibtZurueck()
    {
        Pgn eintrag = beispiel();
        PgnSpeichernDialog dialog(&eintrag);
        ersetze(zeile(dialog, "RundeL_Edit"), "");
        ersetze(zeile(dialog, "BezeichnungL_Edit"), "Vereinsabend");
        ersetze(zeile(dialog, "NameSchwarzL_Edit"), "Grace \"G\" Hopper");
        ersetze(zeile(dialog, "EloSwL_Edit"), "2100");
        dialog.findChild<QDateTimeEdit *>("dateEdit")->setDate(QDate(2019, 1, 2));
        QTest::mouseClick(knopf(dialog, "okButton"), Qt::LeftButton);

        QCOMPARE(dialog.result(), 1);
        Pgn erwartet = beispiel();
        erwartet.runde = 0;
        erwartet.event = "Vereinsabend";
        erwartet.schwarz = "Grace \"G\" Hopper";
        erwartet.schwarzElo = 2100;
        erwartet.datum.setDate(QDate(2019, 1, 2));
        QCOMPARE(felder(eintrag), felder(erwartet));

        // A game without a date is saved with today's.
        eintrag.datum = QDateTime();
        PgnSpeichernDialog ohneDatum(&eintrag);
        QTest::mouseClick(knopf(ohneDatum, "okButton"), Qt::LeftButton);
        QCOMPARE(eintrag.datum.date(), QDate::currentDate());
    }

    void abbrechenUndLadenLassenDenEintrag_data()
    {
        QTest::addColumn<QString>("knopfName");
        QTest::addColumn<int>("ergebnis");
        QTest::newRow("Abbruch") << "cancelButton" << 0;
        QTest::newRow("Laden") << "ladenButton" << 5;
        QTest::newRow("Fenster geschlossen") << "" << 0;
    }

    void abbrechenUndLadenLassenDenEintrag()
    {
        QFETCH(QString, knopfName);
        QFETCH(int, ergebnis);
        QFile sammlung(appVerzeichnis + "Brakmor.pgn");
        QVERIFY(sammlung.open(QIODevice::WriteOnly));
        sammlung.close();

        Pgn eintrag = beispiel();
        PgnSpeichernDialog dialog(&eintrag);
        QVERIFY(knopf(dialog, "ladenButton")->isEnabled());
        ersetze(zeile(dialog, "NameWeissL_Edit"), "Otto");
        ersetze(zeile(dialog, "RundeL_Edit"), "7");
        beiModalemFenster<PgnSpeichernDialog>([&](PgnSpeichernDialog *offen) {
            if (knopfName.isEmpty())
                offen->close();
            else
                QTest::mouseClick(knopf(*offen, qPrintable(knopfName)), Qt::LeftButton);
        });
        QCOMPARE(dialog.exec(), ergebnis);
        QCOMPARE(felder(eintrag), felder(beispiel()));
    }
};

QTEST_MAIN(TestPgnDialoge)
#include "tst_pgndialoge.moc"

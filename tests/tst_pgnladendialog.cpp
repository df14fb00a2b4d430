#include "app/einstellungen.h"
#include "app/languages.h"
#include "pgn/pgn.h"
#include "pgn/pgnladendialog.h"
#include "widgethilfen.h"

#include <QCheckBox>
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

} // namespace

class TestPgnLadenDialog : public QObject
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
        Pgn partie;
        partie.event = "Mittel";
        partie.site = "Brakmor V1.26";
        partie.datum = QDateTime(QDate(2018, 7, 27), QTime(16, 52));
        partie.fen = "8/8/8/8/8/8/8/K1k5 w - - 0 1";
        partie.runde = 12;
        partie.eco = "B01";
        partie.weiss = "Ada";
        partie.weissElo = 1850;
        partie.schwarz = "Brakmor";
        partie.ergebnis = "1/2-1/2";
        PgnLadenDialog dialog(sammlung(), {partie});

        QTableWidget *t = tabelle(dialog);
        QStringList inhalt;
        for (int spalte = 0; spalte < t->columnCount(); ++spalte) {
            inhalt << t->item(0, spalte)->text();
            QVERIFY(!(t->item(0, spalte)->flags() & Qt::ItemIsEditable));
        }
        QCOMPARE(inhalt, QStringList({" Mittel", "Brakmor V1.26", "27.07.18", "F", "12", "B01",
                                      " Ada", "1850", " Brakmor", "0", "1/2-1/2"}));

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
        PgnLadenDialog abbruch(sammlung(), fuenfPartien());
        beiModalemFenster<PgnLadenDialog>([](PgnLadenDialog *offen) {
            klicke(*offen, 0);
            QTest::mouseClick(knopf(*offen, "cancelButton"), Qt::LeftButton);
        });
        QCOMPARE(abbruch.exec(), 0);

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
        QTest::newRow("eine") << QList<int>{1} << "Möchten Sie die ausgewählte Partie löschen?"
                              << Paare{{100, 199}};
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
};

QTEST_MAIN(TestPgnLadenDialog)
#include "tst_pgnladendialog.moc"

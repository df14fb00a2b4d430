#include "app/einstellungen.h"
#include "app/languages.h"
#include "pgn/pgn.h"
#include "pgn/pgnladendialog.h"
#include "pgn/pgnspeicherndialog.h"
#include "widgethilfen.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

namespace {

// Five games at every hundredth character of their file's text.
QList<Pgn> fuenfPartien()
{
    QList<Pgn> partien;
    for (int i = 0; i < 5; ++i) {
        Pgn partie;
        partie.position = 100 * i;
        partie.event = QString("Partie %1").arg(i + 1);
        partien << partie;
    }
    return partien;
}

QPushButton *knopf(QDialog &dialog, const char *name)
{
    return dialog.findChild<QPushButton *>(name);
}

// Clicks a row as the user does; with Ctrl it is added to the selection.
void klicke(QDialog &dialog, int zeile, Qt::KeyboardModifiers tasten = {})
{
    auto *t = dialog.findChild<QTableWidget *>("tableWidget");
    QTest::mouseClick(t->viewport(), Qt::LeftButton, tasten,
                      t->visualRect(t->model()->index(zeile, 1)).center());
}

QString freigegeben(QDialog &dialog)
{
    return QString(knopf(dialog, "deleteButton")->isEnabled() ? "löschen" : "") +
           (knopf(dialog, "okButton")->isEnabled() ? "+laden" : "");
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

    // One game loads, several can only be deleted.
    void auswahlUndLaden()
    {
        PgnLadenDialog dialog(sammlung(), fuenfPartien());
        QVERIFY(zeige(dialog));
        QCOMPARE(freigegeben(dialog), QString());
        klicke(dialog, 1);
        QCOMPARE(freigegeben(dialog), QString("löschen+laden"));
        klicke(dialog, 3, Qt::ControlModifier);
        QCOMPARE(freigegeben(dialog), QString("löschen"));
        klicke(dialog, 3, Qt::ControlModifier);
        klicke(dialog, 2);
        QTest::mouseClick(knopf(dialog, "okButton"), Qt::LeftButton);
        QCOMPARE(dialog.result(), 1);
        QCOMPARE(dialog.ausgewaehltePartie().event, QString("Partie 3"));
    }

    // Deleting yields each game's text range, the last one open to the end of the file.
    void loeschen()
    {
        PgnLadenDialog dialog(sammlung(), fuenfPartien());
        QVERIFY(zeige(dialog));
        klicke(dialog, 4, Qt::ControlModifier);
        klicke(dialog, 1, Qt::ControlModifier);
        QString frage;
        beiModalemFenster<QMessageBox>([&frage](QMessageBox *box) {
            frage = box->informativeText();
            box->button(QMessageBox::Yes)->click();
        });
        QTest::mouseClick(knopf(dialog, "deleteButton"), Qt::LeftButton);
        QCOMPARE(frage, QString("Möchten Sie die 2 Partie(n) löschen?"));
        QCOMPARE(dialog.result(), 100);
        QList<QPoint> bereiche;
        for (const Bereich &b : dialog.loeschBereiche())
            bereiche << QPoint(b.start, b.ende);
        QCOMPARE(bereiche, QList<QPoint>({{400, -1}, {100, 199}}));
    }

    // Switching the collection's folder closes the dialog to reread it.
    void ordnerUmschalten()
    {
        einstellungen.pgnLadeDateiname = umgebung->pfad("Turnier.pgn");
        PgnLadenDialog dialog(sammlung(), fuenfPartien());
        beiModalemFenster<PgnLadenDialog>([](PgnLadenDialog *offen) {
            QTest::mouseClick(offen->findChild<QCheckBox *>("AppDirCheckBox"), Qt::LeftButton);
        });
        QCOMPARE(dialog.exec(), 101);
        QVERIFY(!einstellungen.pgnLadenAusAppVerzeichnis);
    }

    // Historical, unknown and partial dates leave the dialog as they came.
    void speichernDatum()
    {
        Pgn historisch, unbekannt, teilweise;
        historisch.datum = QDate(1620, 3, 4).startOfDay();
        teilweise.datumText = "1999.??.??";
        for (Pgn *eintrag : {&historisch, &unbekannt, &teilweise}) {
            const Pgn vorher(*eintrag);
            PgnSpeichernDialog dialog(eintrag);
            knopf(dialog, "okButton")->click();
            QCOMPARE(dialog.result(), 1);
            QCOMPARE(eintrag->datum, vorher.datum);
            QCOMPARE(eintrag->datumText, vorher.datumText);
        }
    }

    void speichernEingabegrenzen()
    {
        Pgn eintrag;
        PgnSpeichernDialog dialog(&eintrag);
        const struct
        {
            const char *zeile, *eingabe, *ergebnis;
        } grenzen[] = {{"RundeL_Edit", "10000", "1000"},
                       {"EloWsL_Edit", "5001", "500"},
                       {"EloSwL_Edit", "-5000", "5000"}};
        for (const auto &g : grenzen) {
            auto *zeile = dialog.findChild<QLineEdit *>(g.zeile);
            ersetze(zeile, g.eingabe);
            QCOMPARE(zeile->text(), QString(g.ergebnis));
        }
    }
};

QTEST_MAIN(TestPgnDialoge)
#include "tst_pgndialoge.moc"

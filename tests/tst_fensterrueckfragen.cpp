#include "pgn/pgn.h"
#include "pgn/pgnladendialog.h"
#include "ui/fensterrueckfragen.h"
#include "widgethilfen.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

class TestFensterRueckfragen : public QObject
{
    Q_OBJECT

private slots:
    // Over the window while it lives; without a parent once it is gone.
    void kritischeMeldung()
    {
        auto *fenster = new QWidget;
        FensterRueckfragen rueckfragen(fenster);
        QString gezeigt;
        QWidget *eltern = nullptr;
        auto merke = [&](QMessageBox *box) {
            gezeigt = QString("%1|%2|%3").arg(box->icon()).arg(box->windowTitle(), box->text());
            eltern = box->parentWidget();
            box->button(QMessageBox::Ok)->click();
        };
        beiModalemFenster<QMessageBox>(merke);
        rueckfragen.kritisch("Error", "Cannot write\n\nBrakmor.pgn");
        QCOMPARE(gezeigt,
                 QString("%1|Error|Cannot write\n\nBrakmor.pgn").arg(QMessageBox::Critical));
        QCOMPARE(eltern, fenster);

        delete fenster;
        beiModalemFenster<QMessageBox>(merke);
        rueckfragen.kritisch("Error", "?");
        QCOMPARE(eltern, nullptr);
    }

    void frageMitNeinAlsVorgabe_data()
    {
        QTest::addColumn<int>("taste"); // 0: click Yes
        QTest::addColumn<bool>("antwort");
        QTest::newRow("Eingabe nimmt die Vorgabe") << int(Qt::Key_Return) << false;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << false;
        QTest::newRow("Ja") << 0 << true;
    }

    void frageMitNeinAlsVorgabe()
    {
        QFETCH(int, taste);
        QFETCH(bool, antwort);
        FensterRueckfragen rueckfragen;
        QMessageBox::Icon symbol = QMessageBox::NoIcon;
        QMessageBox::StandardButtons knoepfe;
        beiModalemFenster<QMessageBox>([&](QMessageBox *box) {
            symbol = box->icon();
            knoepfe = box->standardButtons();
            QCOMPARE(box->defaultButton(), box->button(QMessageBox::No));
            if (taste == 0)
                box->button(QMessageBox::Yes)->click();
            else
                QTest::keyClick(box, Qt::Key(taste));
        });
        QCOMPARE(rueckfragen.frage("Brakmor", "Neues Spiel?"), antwort);
        QCOMPARE(symbol, QMessageBox::Question);
        QCOMPARE(knoepfe, QMessageBox::Yes | QMessageBox::No);
    }

    void ladenDialog()
    {
        TestUmgebung umgebung;
        FensterRueckfragen rueckfragen;
        QList<Pgn> partien;
        for (int i = 0; i < 3; ++i) {
            partien << Pgn();
            partien.last().position = 50 * i;
        }
        auto waehleUnd = [](int zeile, const char *knopf) {
            beiModalemFenster<PgnLadenDialog>([=](PgnLadenDialog *dialog) {
                dialog->findChild<QTableWidget *>("tableWidget")->selectRow(zeile);
                if (QString(knopf) == "deleteButton")
                    beiModalemFenster<QMessageBox>(
                        [](QMessageBox *box) { box->button(QMessageBox::Yes)->click(); });
                dialog->findChild<QPushButton *>(knopf)->click();
            });
        };
        Pgn auswahl;
        QList<Bereich> bereiche;
        waehleUnd(1, "okButton");
        QCOMPARE(rueckfragen.ladenDialog("x.pgn", partien, auswahl, bereiche), 1);
        QCOMPARE(auswahl.position, 50);
        QVERIFY(bereiche.isEmpty());

        waehleUnd(2, "deleteButton");
        QCOMPARE(rueckfragen.ladenDialog("x.pgn", partien, auswahl, bereiche), 100);
        QCOMPARE(bereiche.size(), 1);
        QCOMPARE(QPoint(bereiche[0].start, bereiche[0].ende), QPoint(100, -1));
    }
};

QTEST_MAIN(TestFensterRueckfragen)
#include "tst_fensterrueckfragen.moc"

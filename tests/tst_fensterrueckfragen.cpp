#include "ui/fensterrueckfragen.h"
#include "widgethilfen.h"

#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

class TestFensterRueckfragen : public QObject
{
    Q_OBJECT

private slots:
    void kritischeMeldung()
    {
        QWidget fenster;
        FensterRueckfragen rueckfragen(&fenster);
        QMessageBox::Icon symbol = QMessageBox::NoIcon;
        QString titel, text;
        bool modal = false;
        beiModalemFenster<QMessageBox>([&](QMessageBox *box) {
            symbol = box->icon();
            titel = box->windowTitle();
            text = box->text();
            modal = box->isModal() && box->parentWidget() == &fenster;
            box->button(QMessageBox::Ok)->click();
        });
        rueckfragen.kritisch("Error", "Cannot write\n\nBrakmor.pgn");
        QCOMPARE(symbol, QMessageBox::Critical);
        QCOMPARE(titel, QString("Error"));
        QCOMPARE(text, QString("Cannot write\n\nBrakmor.pgn"));
        QVERIFY(modal);
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

    void fensterSchonGeschlossen()
    {
        auto *fenster = new QWidget;
        FensterRueckfragen rueckfragen(fenster);
        delete fenster;
        beiModalemFenster<QMessageBox>([](QMessageBox *box) {
            QVERIFY(!box->parentWidget());
            box->button(QMessageBox::Yes)->click();
        });
        QVERIFY(rueckfragen.frage("Brakmor", "?"));
    }
};

QTEST_MAIN(TestFensterRueckfragen)
#include "tst_fensterrueckfragen.moc"

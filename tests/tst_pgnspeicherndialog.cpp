#include "app/einstellungen.h"
#include "pgn/pgn.h"
#include "pgn/pgnspeicherndialog.h"
#include "widgethilfen.h"

#include <QDateTimeEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

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

QPushButton *knopf(QDialog &dialog, const char *name)
{
    return dialog.findChild<QPushButton *>(name);
}

} // namespace

class TestPgnSpeichernDialog : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestUmgebung> umgebung;

private slots:
    void init() { umgebung = std::make_unique<TestUmgebung>(); }

    void cleanup() { umgebung.reset(); }

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

    void ohneDatumGiltHeute()
    {
        Pgn eintrag = beispiel();
        eintrag.datum = QDateTime();
        PgnSpeichernDialog dialog(&eintrag);
        QTest::mouseClick(knopf(dialog, "okButton"), Qt::LeftButton);
        QCOMPARE(eintrag.datum.date(), QDate::currentDate());
    }
};

QTEST_MAIN(TestPgnSpeichernDialog)
#include "tst_pgnspeicherndialog.moc"

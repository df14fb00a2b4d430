#include "app/einstellungen.h"
#include "app/konfigurationsdialog.h"
#include "app/languages.h"
#include "widgethilfen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QStyleOptionButton>
#include <QtTest>

namespace {

template<typename T>
T *feld(QDialog &dialog, const char *name)
{
    T *widget = dialog.findChild<T *>(name);
    Q_ASSERT(widget);
    return widget;
}

QLineEdit *zeile(QDialog &dialog, const char *name)
{
    return feld<QLineEdit>(dialog, name);
}

void ersetze(QLineEdit *zeile, const QString &eingabe)
{
    zeile->selectAll();
    QTest::keyClick(zeile, Qt::Key_Delete);
    QTest::keyClicks(zeile, eingabe);
}

QByteArray inhalt(const QString &pfad)
{
    QFile datei(pfad);
    return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray();
}

// Left edge of a check box's indicator in the dialog's coordinates.
int kaestchenX(QCheckBox *kaestchen, QWidget *dialog)
{
    QStyleOptionButton option;
    option.initFrom(kaestchen);
    const QRect rechteck =
        kaestchen->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, kaestchen);
    return kaestchen->mapTo(dialog, rechteck.topLeft()).x();
}

} // namespace

class TestKonfigurationsDialog : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestUmgebung> umgebung;

    QString ini() const { return appVerzeichnis + "Brakmor.ini"; }

private slots:
    void init()
    {
        umgebung = std::make_unique<TestUmgebung>();
        QVERIFY(umgebung->gueltig());
        einstellungen.sprache = 0;
        Languages::instance()->ladeSprache(0);
    }

    void cleanup() { umgebung.reset(); }

    void zeigtDieEinstellungen()
    {
        einstellungen.sprache = 2;
        einstellungen.nameMensch1 = "Ada";
        einstellungen.grosseSchrift = true;
        einstellungen.markiereLetztenZug = false;
        einstellungen.brettdesign = 0;
        einstellungen.pgnAutoLaden = false;
        einstellungen.htmlWertetabelle = true;
        einstellungen.startEnde = 12;
        einstellungen.zufall = 0;
        KonfigurationsDialog dialog;
        QCOMPARE(feld<QComboBox>(dialog, "SpracheComboBox")->currentText(), QString("Français"));
        QCOMPARE(zeile(dialog, "NameEdit")->text(), QString("Ada"));
        QVERIFY(feld<QCheckBox>(dialog, "GrosseSchriftCheckBox")->isChecked());
        QVERIFY(!feld<QCheckBox>(dialog, "MarkiereZugCheckBox")->isChecked());
        QVERIFY(!feld<QCheckBox>(dialog, "AutoLadenCheckBox")->isChecked());
        QVERIFY(feld<QCheckBox>(dialog, "WertetabelleCheckBox")->isChecked());
        QCOMPARE(feld<QComboBox>(dialog, "BrettDesignComboBox")->currentText(),
                 QString("Klassisch"));
        QCOMPARE(zeile(dialog, "StartphaseEdit")->text(), QString("12"));
        QCOMPARE(zeile(dialog, "ZufallEdit")->text(), QString("0"));
        const QString link = feld<QLabel>(dialog, "DateinameLabel")->text();
        QVERIFY2(link.contains(">" + appVerzeichnis + "Brakmor.ini</a>"), qPrintable(link));
        QVERIFY(link.contains(QUrl::fromLocalFile(appVerzeichnis).toString()));
        QVERIFY(!(dialog.windowFlags() & Qt::WindowContextHelpButtonHint));
    }

    void eingabegrenzen()
    {
        KonfigurationsDialog dialog;
        QLineEdit *startphase = zeile(dialog, "StartphaseEdit");
        ersetze(startphase, "13");
        QCOMPARE(startphase->text(), QString("1"));
        ersetze(startphase, "12");
        QCOMPARE(startphase->text(), QString("12"));
        ersetze(startphase, "-1");
        QCOMPARE(startphase->text(), QString("1"));
        QLineEdit *zufall = zeile(dialog, "ZufallEdit");
        ersetze(zufall, "101");
        QCOMPARE(zufall->text(), QString("10"));
        ersetze(zufall, "100");
        QCOMPARE(zufall->text(), QString("100"));
        ersetze(zufall, "x5");
        QCOMPARE(zufall->text(), QString("5"));
    }

    void okSpeichertUndLaedtDieSprache()
    {
        speichereEinstellungen();
        KonfigurationsDialog dialog;
        feld<QComboBox>(dialog, "SpracheComboBox")->setCurrentIndex(1);
        ersetze(zeile(dialog, "NameEdit"), "Grace");
        ersetze(zeile(dialog, "ZufallEdit"), "");
        ersetze(zeile(dialog, "StartphaseEdit"), "3");
        feld<QCheckBox>(dialog, "GrosseSchriftCheckBox")->setChecked(true);
        feld<QCheckBox>(dialog, "WertetabelleCheckBox")->setChecked(true);
        feld<QComboBox>(dialog, "BrettDesignComboBox")->setCurrentIndex(0);
        QTest::mouseClick(feld<QPushButton>(dialog, "okButton"), Qt::LeftButton);

        QCOMPARE(dialog.result(), 1);
        QCOMPARE(einstellungen.sprache, 1);
        QCOMPARE(einstellungen.nameMensch1, QString("Grace"));
        QCOMPARE(einstellungen.zufall, 0);
        QCOMPARE(einstellungen.startEnde, 3);
        QVERIFY(einstellungen.grosseSchrift);
        QVERIFY(einstellungen.htmlWertetabelle);
        QCOMPARE(einstellungen.brettdesign, 0);
        QSettings gespeichert(ini(), QSettings::IniFormat);
        QCOMPARE(gespeichert.value("Allgemein/Sprache").toInt(), 1);
        QCOMPARE(gespeichert.value("Bewertung/Zufall").toString(), QString("0"));
        QCOMPARE(gespeichert.value("Allgemein/NameMensch1").toString(), QString("Grace"));
        QCOMPARE(Languages::instance()->text(9510, "Sehr einfach"), QString("Very easy"));
    }

    void ohneSpracheBleibtSieUngewaehlt()
    {
        // A fresh table, as on the first start before the greeting.
        QObject besitzer;
        Languages *tabelle = Languages::instance();
        delete tabelle;
        Languages::instance(&besitzer);
        einstellungen.sprache = -1;
        KonfigurationsDialog dialog;
        QCOMPARE(feld<QComboBox>(dialog, "SpracheComboBox")->currentIndex(), -1);
        QCOMPARE(dialog.windowTitle(), QString("Konfigurationsdialog"));
        QTest::mouseClick(feld<QPushButton>(dialog, "okButton"), Qt::LeftButton);
        QCOMPARE(einstellungen.sprache, -1);
        QCOMPARE(Languages::instance()->text(9510, "Sehr einfach"), QString("Sehr einfach"));
    }

    void abbruchAendertNichts()
    {
        speichereEinstellungen();
        const QByteArray vorher = inhalt(ini());
        QVERIFY(!vorher.isEmpty());
        KonfigurationsDialog dialog;
        feld<QComboBox>(dialog, "SpracheComboBox")->setCurrentIndex(2);
        ersetze(zeile(dialog, "NameEdit"), "Grace");
        ersetze(zeile(dialog, "ZufallEdit"), "5");
        feld<QCheckBox>(dialog, "AutoLadenCheckBox")->setChecked(false);
        QTest::mouseClick(feld<QPushButton>(dialog, "cancelButton"), Qt::LeftButton);

        QCOMPARE(dialog.result(), 0);
        QCOMPARE(inhalt(ini()), vorher);
        QCOMPARE(einstellungen.sprache, 0);
        QCOMPARE(einstellungen.nameMensch1, QString("Human"));
        QCOMPARE(einstellungen.zufall, 30);
        QVERIFY(einstellungen.pgnAutoLaden);
        QCOMPARE(Languages::instance()->text(9510, "?"), QString("Sehr einfach"));
    }

    void werteAusserhalbWerdenBegrenzt()
    {
        // Values a hand-edited ini file may hold.
        einstellungen.startEnde = 40;
        einstellungen.zufall = 250;
        einstellungen.brettdesign = 7;
        KonfigurationsDialog dialog;
        QTest::mouseClick(feld<QPushButton>(dialog, "okButton"), Qt::LeftButton);
        QCOMPARE(einstellungen.startEnde, 12);
        QCOMPARE(einstellungen.zufall, 100);
        QCOMPARE(einstellungen.brettdesign, 7);
    }

    void kaestchenStehenUntereinander_data()
    {
        QTest::addColumn<int>("sprache");
        QTest::newRow("deutsch") << 0;
        QTest::newRow("englisch") << 1;
        QTest::newRow("französisch") << 2;
    }

    void kaestchenStehenUntereinander()
    {
        QFETCH(int, sprache);
        Languages::instance()->ladeSprache(sprache);
        KonfigurationsDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QList<int> spalten;
        for (QCheckBox *kaestchen : dialog.findChildren<QCheckBox *>())
            spalten << kaestchenX(kaestchen, &dialog);
        QCOMPARE(spalten.size(), 4);
        for (int x : spalten)
            QCOMPARE(x, spalten.first());
        // Each indicator stands right of its text.
        for (QCheckBox *kaestchen : dialog.findChildren<QCheckBox *>())
            QVERIFY(kaestchenX(kaestchen, &dialog) >
                    kaestchen->mapTo(&dialog, QPoint(0, 0)).x() +
                        kaestchen->fontMetrics().horizontalAdvance(kaestchen->text()));
    }
};

QTEST_MAIN(TestKonfigurationsDialog)
#include "tst_konfigurationsdialog.moc"

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
#include <QtTest>

namespace {

template<typename T = QLineEdit>
T *feld(QDialog &dialog, const char *name)
{
    return dialog.findChild<T *>(name);
}

} // namespace

class TestKonfigurationsDialog : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestUmgebung> umgebung;

    static QString ini() { return appVerzeichnis + "Brakmor.ini"; }

private slots:
    void init()
    {
        umgebung = std::make_unique<TestUmgebung>();
        einstellungen.sprache = 0;
        Languages::instance()->ladeSprache(0);
    }

    void cleanup() { umgebung.reset(); }

    void zeigenUndSpeichern()
    {
        einstellungen.sprache = 2;
        einstellungen.nameMensch1 = "Ada";
        einstellungen.grosseSchrift = einstellungen.htmlWertetabelle = true;
        einstellungen.markiereLetztenZug = einstellungen.pgnAutoLaden = false;
        einstellungen.brettdesign = 0;
        einstellungen.startEnde = 12;
        einstellungen.zufall = 7;
        KonfigurationsDialog dialog;
        QStringList texte = {feld<QComboBox>(dialog, "SpracheComboBox")->currentText(),
                             feld<QComboBox>(dialog, "BrettDesignComboBox")->currentText()};
        for (const char *name : {"NameEdit", "StartphaseEdit", "ZufallEdit"})
            texte << feld(dialog, name)->text();
        QCOMPARE(texte, QStringList({"Français", "Klassisch", "Ada", "12", "7"}));
        QList<bool> kaestchen;
        for (const char *name : {"GrosseSchriftCheckBox", "MarkiereZugCheckBox",
                                 "AutoLadenCheckBox", "WertetabelleCheckBox"}) {
            auto *k = feld<QCheckBox>(dialog, name);
            kaestchen << k->isChecked();
            k->setChecked(!k->isChecked());
        }
        QCOMPARE(kaestchen, QList<bool>({true, false, false, true}));
        const QString link = feld<QLabel>(dialog, "DateinameLabel")->text();
        QVERIFY2(link.contains(">" + ini() + "</a>") &&
                     link.contains(QUrl::fromLocalFile(appVerzeichnis).toString()),
                 qPrintable(link));

        feld<QComboBox>(dialog, "SpracheComboBox")->setCurrentIndex(1);
        feld<QComboBox>(dialog, "BrettDesignComboBox")->setCurrentIndex(1);
        ersetze(feld(dialog, "NameEdit"), "Grace");
        ersetze(feld(dialog, "ZufallEdit"), "");
        ersetze(feld(dialog, "StartphaseEdit"), "3");
        QTest::mouseClick(feld<QPushButton>(dialog, "okButton"), Qt::LeftButton);
        QCOMPARE(dialog.result(), 1);
        const Einstellungen &e = einstellungen;
        QCOMPARE(QVariantList({e.sprache, e.brettdesign, e.nameMensch1, e.zufall, e.startEnde,
                               e.grosseSchrift, e.markiereLetztenZug, e.pgnAutoLaden,
                               e.htmlWertetabelle}),
                 QVariantList({1, 1, "Grace", 0, 3, false, true, true, false}));
        QSettings gespeichert(ini(), QSettings::IniFormat);
        QCOMPARE(QStringList({gespeichert.value("Allgemein/Sprache").toString(),
                              gespeichert.value("Bewertung/Zufall").toString(),
                              gespeichert.value("Allgemein/NameMensch1").toString()}),
                 QStringList({"1", "0", "Grace"}));
        QCOMPARE(Languages::instance()->text(9510, "Sehr einfach"), QString("Very easy"));
    }

    void eingabegrenzen()
    {
        KonfigurationsDialog dialog;
        const struct
        {
            const char *zeile, *eingabe, *ergebnis;
        } faelle[] = {{"StartphaseEdit", "13", "1"}, {"StartphaseEdit", "12", "12"},
                      {"StartphaseEdit", "-1", "1"}, {"ZufallEdit", "101", "10"},
                      {"ZufallEdit", "100", "100"},  {"ZufallEdit", "x5", "5"}};
        for (const auto &fall : faelle) {
            ersetze(feld(dialog, fall.zeile), fall.eingabe);
            QCOMPARE(feld(dialog, fall.zeile)->text(), QString(fall.ergebnis));
        }
    }

    // As on the first start before the greeting: no table, no language.
    void ohneSpracheBleibtSieUngewaehlt()
    {
        QObject besitzer;
        delete Languages::instance();
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
        const QByteArray vorher = dateiInhalt(ini());
        QVERIFY(!vorher.isEmpty());
        KonfigurationsDialog dialog;
        feld<QComboBox>(dialog, "SpracheComboBox")->setCurrentIndex(2);
        ersetze(feld(dialog, "NameEdit"), "Grace");
        ersetze(feld(dialog, "ZufallEdit"), "5");
        feld<QCheckBox>(dialog, "AutoLadenCheckBox")->setChecked(false);
        QTest::mouseClick(feld<QPushButton>(dialog, "cancelButton"), Qt::LeftButton);

        QCOMPARE(dialog.result(), 0);
        QCOMPARE(dateiInhalt(ini()), vorher);
        const Einstellungen &e = einstellungen;
        QCOMPARE(QVariantList({e.sprache, e.nameMensch1, e.zufall, e.pgnAutoLaden}),
                 QVariantList({0, "Human", 30, true}));
        QCOMPARE(Languages::instance()->text(9510, "?"), QString("Sehr einfach"));
    }

    // Values a hand-edited ini file may hold are clamped; an unknown design is kept.
    void werteAusserhalbWerdenBegrenzt()
    {
        einstellungen.startEnde = 40;
        einstellungen.zufall = 250;
        einstellungen.brettdesign = 7;
        KonfigurationsDialog dialog;
        QTest::mouseClick(feld<QPushButton>(dialog, "okButton"), Qt::LeftButton);
        QCOMPARE(
            QList<int>({einstellungen.startEnde, einstellungen.zufall, einstellungen.brettdesign}),
            QList<int>({12, 100, 7}));
    }
};

QTEST_MAIN(TestKonfigurationsDialog)
#include "tst_konfigurationsdialog.moc"

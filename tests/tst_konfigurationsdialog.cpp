#include "app/einstellungen.h"
#include "app/konfigurationsdialog.h"
#include "app/languages.h"
#include "widgethilfen.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QtTest>

class TestKonfigurationsDialog : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestUmgebung> umgebung;

    static QString ini() { return appVerzeichnis + "Brakmor.ini"; }
    static QLineEdit *zeile(QDialog &dialog, const char *name)
    {
        return dialog.findChild<QLineEdit *>(name);
    }

private slots:
    void init()
    {
        umgebung = std::make_unique<TestUmgebung>();
        einstellungen.sprache = 0;
        Languages::instance()->ladeSprache(0);
    }

    void cleanup() { umgebung.reset(); }

    void eingabenUndSpeichern()
    {
        KonfigurationsDialog dialog;
        // Numbers out of range cannot be typed: the last key is refused.
        ersetze(zeile(dialog, "StartphaseEdit"), "13");
        QCOMPARE(zeile(dialog, "StartphaseEdit")->text(), QString("1"));
        ersetze(zeile(dialog, "ZufallEdit"), "101");
        QCOMPARE(zeile(dialog, "ZufallEdit")->text(), QString("10"));

        // An empty randomness field is stored as 0; an emptied name keeps the old one.
        ersetze(zeile(dialog, "ZufallEdit"), "");
        ersetze(zeile(dialog, "NameEdit"), " ");
        dialog.findChild<QComboBox *>("AnimationComboBox")->setCurrentIndex(AnimationAus);
        QTest::mouseClick(dialog.findChild<QPushButton *>("okButton"), Qt::LeftButton);
        QCOMPARE(QVariantList(
                     {einstellungen.zufall, einstellungen.nameMensch1, einstellungen.animation}),
                 QVariantList({0, "Human", AnimationAus}));
        const QSettings gespeichert(ini(), QSettings::IniFormat);
        QCOMPARE(QStringList({gespeichert.value("Bewertung/Zufall").toString(),
                              gespeichert.value("Allgemein/Animation").toString()}),
                 QStringList({"0", "2"}));
    }

    void abbruchAendertNichts()
    {
        speichereEinstellungen();
        const QByteArray vorher = dateiInhalt(ini());
        QVERIFY(!vorher.isEmpty());
        KonfigurationsDialog dialog;
        dialog.findChild<QComboBox *>("SpracheComboBox")->setCurrentIndex(2);
        ersetze(zeile(dialog, "NameEdit"), "Grace");
        QTest::mouseClick(dialog.findChild<QPushButton *>("cancelButton"), Qt::LeftButton);

        QCOMPARE(dateiInhalt(ini()), vorher);
        QCOMPARE(QVariantList({einstellungen.sprache, einstellungen.nameMensch1}),
                 QVariantList({0, "Human"}));
        QCOMPARE(Languages::instance()->text(9510, "?"), QString("Sehr einfach"));
    }
};

QTEST_MAIN(TestKonfigurationsDialog)
#include "tst_konfigurationsdialog.moc"

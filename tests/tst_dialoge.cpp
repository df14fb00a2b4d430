#include "app/einstellungen.h"
#include "app/languages.h"
#include "core/zug.h"
#include "ui/infodialog.h"
#include "ui/wandlungdialog.h"
#include "widgethilfen.h"

#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QtTest>

namespace {

QStringList infoTexte(const InfoDialog &dialog)
{
    QStringList ergebnis;
    for (const char *name :
         {"VersionLabel", "DatumLabel", "AutorLabel", "HomepageLabel", "EMailLabel"})
        ergebnis << dialog.findChild<QLabel *>(name)->text();
    return ergebnis;
}

} // namespace

// The info and promotion dialogs.
class TestDialoge : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestUmgebung> umgebung;

private slots:
    void init() { umgebung = std::make_unique<TestUmgebung>(); }
    void cleanup() { umgebung.reset(); }

    void infoBeschriftungen()
    {
        Languages::instance()->ladeSprache(1);
        QCOMPARE(infoTexte(InfoDialog(nullptr, "x")),
                 QStringList({"Version", "Date", "Author", "Homepage", "E-mail"}));

        // No mail address to show; the home page is the README beside the program.
        const InfoDialog dialog(nullptr, "x");
        QVERIFY(dialog.findChild<QLabel *>("EMailOutLabel")->isHidden());
        QVERIFY(QFileInfo(anleitungsDatei()).fileName() == "README.md" &&
                dialog.findChild<QLabel *>("HomepageOutLabel")
                    ->text()
                    .contains(QUrl::fromLocalFile(anleitungsDatei()).toEncoded() +
                              "\">Manual (README)</a>"));

        // A table without the author and the e-mail row.
        const QString tabelle = umgebung->pfad("Teilweise");
        QFile datei(tabelle);
        QVERIFY(datei.open(QIODevice::WriteOnly) &&
                datei.write("9400 Fassung\r\n9410 Tag\r\n9415 Netz\r\n") > 0);
        datei.close();
        QCOMPARE(Languages::instance()->ladeTabelle(tabelle), QString());
        QCOMPARE(infoTexte(InfoDialog(nullptr, "x")),
                 QStringList({"Fassung", "Tag", "Auto", "Netz", "EMai"}));
    }

    void wandlungFreieFiguren_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<QList<int>>("geschlagen");
        QTest::addColumn<QList<bool>>("frei");
        QTest::addColumn<int>("standard");

        QTest::newRow("erste Dame noch auf dem Brett")
            << 0 << QList<int>{15, 32} << QList<bool>{true, false, false, false} << int(DAME);
        QTest::newRow("ein Springer und ein Turm frei")
            << 0 << QList<int>{9, 13, 31} << QList<bool>{false, true, false, true} << int(TURM);
        QTest::newRow("schwarz zählt nur eigene Figuren")
            << int(ZUG_SCHWARZ | ZUG_WANDLUNG) << QList<int>{8, 10, 12, 14, 15}
            << QList<bool>{false, false, false, false} << int(PFERD);
        QTest::newRow("schwarz mit allem frei")
            << int(ZUG_SCHWARZ) << QList<int>{15, 25, 27, 29, 32}
            << QList<bool>{true, true, true, true} << int(DAME);
    }

    // Geschlagen: the hidden piece items; only pieces with a free picture may be chosen.
    void wandlungFreieFiguren()
    {
        QFETCH(int, flags);
        QFETCH(QList<int>, geschlagen);
        QFETCH(QList<bool>, frei);
        QFETCH(int, standard);
        WandlungDialog dialog(flags, geschlagen);
        QList<bool> angeboten;
        for (const char *name : {"dameButton", "turmButton", "laeuferButton", "pferdButton"})
            angeboten << dialog.findChild<QPushButton *>(name)->isEnabled();
        QCOMPARE(angeboten, frei);
        QCOMPARE(dialog.gewaehlteFigur(), standard);
    }
};

QTEST_MAIN(TestDialoge)
#include "tst_dialoge.moc"

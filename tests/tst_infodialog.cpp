#include "app/languages.h"
#include "app/programm.h"
#include "ui/infodialog.h"
#include "widgethilfen.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

namespace {

const char *const beschriftungen[] = {"VersionLabel", "DatumLabel", "AutorLabel", "HomepageLabel",
                                      "EMailLabel"};

QStringList texte(const InfoDialog &dialog)
{
    QStringList ergebnis;
    for (const char *name : beschriftungen)
        ergebnis << dialog.findChild<QLabel *>(name)->text();
    return ergebnis;
}

} // namespace

// Receives the links the dialog hands to the desktop.
class Desktop : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> geoeffnet;

public slots:
    void oeffne(const QUrl &url) { geoeffnet << url; }
};

class TestInfoDialog : public QObject
{
    Q_OBJECT

private:
    TestUmgebung umgebung;

private slots:
    void beschriftungenJeSprache()
    {
        Languages::instance()->ladeSprache(1);
        QCOMPARE(texte(InfoDialog(nullptr, "x")),
                 QStringList({"Version", "Date", "Author", "Homepage", "E-mail"}));
        Languages::instance()->ladeSprache(0);
        QCOMPARE(texte(InfoDialog(nullptr, "x")),
                 QStringList({"Version", "Datum", "Autor", "Homepage", "E-Mail"}));

        // A table without the author and the e-mail row.
        const QString tabelle = umgebung.pfad("Teilweise");
        QFile datei(tabelle);
        QVERIFY(datei.open(QIODevice::WriteOnly) &&
                datei.write("9400 Fassung\r\n9410 Tag\r\n9415 Netz\r\n") > 0);
        datei.close();
        QCOMPARE(Languages::instance()->ladeTabelle(tabelle), QString());
        QCOMPARE(texte(InfoDialog(nullptr, "x")),
                 QStringList({"Fassung", "Tag", "Auto", "Netz", "EMai"}));
    }

    // The links go to the desktop; the dialog stays open until OK.
    void linksGehenAnDenDesktop()
    {
        Desktop desktop;
        const QUrl homepage(HERSTELLER_WEBADRESSE);
        QDesktopServices::setUrlHandler("mailto", &desktop, "oeffne");
        QDesktopServices::setUrlHandler(homepage.scheme(), &desktop, "oeffne");
        InfoDialog dialog(nullptr, bauStempel());
        QVERIFY(zeige(dialog));
        for (const char *name : {"EMailOutLabel", "HomepageOutLabel"}) {
            QLabel *link = dialog.findChild<QLabel *>(name);
            QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(8, link->height() / 2));
        }
        QCOMPARE(desktop.geoeffnet,
                 QList<QUrl>({QUrl(QString("mailto:") + HERSTELLER_EMAIL), homepage}));
        QVERIFY(dialog.findChild<QLabel *>("HomepageOutLabel")
                    ->text()
                    .contains(">" + homepage.host() + "</a>"));
        QVERIFY(dialog.isVisible());

        QTest::mouseClick(dialog.findChild<QPushButton *>("OKButton"), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QDesktopServices::unsetUrlHandler("mailto");
        QDesktopServices::unsetUrlHandler(homepage.scheme());
    }

    void bauStempelFormat()
    {
        const QRegularExpression format(
            "^(Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) [1-9]\\d? \\d{4}   "
            "\\d\\d:\\d\\d:\\d\\d$");
        QVERIFY2(format.match(bauStempel()).hasMatch(), qPrintable(bauStempel()));
        QCOMPARE(bauStempel("Jul  7 2018", "06:05:04"), QString("Jul 7 2018   06:05:04"));
        QCOMPARE(bauStempel("Dec 27 2018", "16:52:46"), QString("Dec 27 2018   16:52:46"));
    }
};

QTEST_MAIN(TestInfoDialog)
#include "tst_infodialog.moc"

#include "app/einstellungen.h"
#include "app/languages.h"
#include "app/programm.h"
#include "app/startdialog.h"
#include "core/zug.h"
#include "pgn/pgnladendialog.h"
#include "ui/fensterrueckfragen.h"
#include "ui/infodialog.h"
#include "ui/wandlungdialog.h"
#include "widgethilfen.h"

#include <QDesktopServices>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
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

const char *const knoepfe[] = {"dameButton", "turmButton", "laeuferButton", "pferdButton"};

// Hidden piece items at the start of a game: the spare queens of both colours.
const QList<int> spielbeginn = {15, 32};

QImage bild(const QIcon &icon)
{
    return icon.pixmap(80, 80).toImage();
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

// The start, info and promotion dialogs and the window's message boxes.
class TestDialoge : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestUmgebung> umgebung;

private slots:
    void init()
    {
        umgebung = std::make_unique<TestUmgebung>();
        // As the window does before it opens the start dialog.
        einstellungen.sprache = 0;
        Languages::instance()->ladeSprache(0);
    }

    void cleanup() { umgebung.reset(); }

    void startNameUndSprache_data()
    {
        QTest::addColumn<QString>("knopf"); // empty: closed without a choice
        QTest::addColumn<QString>("eingabe");
        QTest::addColumn<int>("sprache");
        QTest::addColumn<QString>("name");
        QTest::newRow("englisch") << "EnglischButton"
                                  << "Ada Lovelace" << 1 << "Ada Lovelace";
        QTest::newRow("französisch") << "FranzoesischButton"
                                     << "Émilie" << 2 << "Émilie";
        QTest::newRow("leerer Name behält den alten") << "EnglischButton"
                                                      << "" << 1 << "Ada";
        QTest::newRow("höchstens zwanzig Zeichen")
            << "DeutschButton"
            << "abcdefghijklmnopqrstu" << 0 << "abcdefghijklmnopqrst";
        QTest::newRow("geschlossen") << ""
                                     << "Otto" << 0 << "Ada";
    }

    void startNameUndSprache()
    {
        QFETCH(QString, knopf);
        QFETCH(QString, eingabe);
        QFETCH(int, sprache);
        QFETCH(QString, name);
        einstellungen.nameMensch1 = "Ada";
        StartDialog dialog;
        QVERIFY(zeige(dialog));
        auto *feld = dialog.findChild<QLineEdit *>("NameEdit");
        // Shown selected, so that typing replaces it.
        QCOMPARE(feld->selectedText(), QString("Ada"));
        ersetze(feld, eingabe);
        if (knopf.isEmpty())
            dialog.close();
        else
            QTest::mouseClick(dialog.findChild<QToolButton *>(knopf), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(!knopf.isEmpty()));
        QCOMPARE(einstellungen.sprache, sprache);
        QCOMPARE(einstellungen.nameMensch1, name);
    }

    void infoBeschriftungen()
    {
        Languages::instance()->ladeSprache(1);
        QCOMPARE(infoTexte(InfoDialog(nullptr, "x")),
                 QStringList({"Version", "Date", "Author", "Homepage", "E-mail"}));

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

    // The links go to the desktop.
    void infoLinksGehenAnDenDesktop()
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
        QDesktopServices::unsetUrlHandler("mailto");
        QDesktopServices::unsetUrlHandler(homepage.scheme());
    }

    void bauStempelFormat()
    {
        QCOMPARE(bauStempel("Jul  7 2018", "06:05:04"), QString("Jul 7 2018   06:05:04"));
        QCOMPARE(bauStempel("Dec 27 2018", "16:52:46"), QString("Dec 27 2018   16:52:46"));
    }

    void wandlungFreieFiguren_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<QList<int>>("geschlagen");
        QTest::addColumn<QList<bool>>("frei");
        QTest::addColumn<int>("standard");

        QTest::newRow("erste Dame noch auf dem Brett")
            << 0 << spielbeginn << QList<bool>{true, false, false, false} << int(DAME);
        QTest::newRow("zwei Damen, ein Turm geschlagen")
            << 0 << QList<int>{13, 32} << QList<bool>{false, true, false, false} << int(TURM);
        QTest::newRow("nur ein Springer frei")
            << 0 << QList<int>{9, 31} << QList<bool>{false, false, false, true} << int(PFERD);
        QTest::newRow("schwarz zählt nur eigene Figuren")
            << int(ZUG_SCHWARZ | ZUG_WANDLUNG) << QList<int>{8, 10, 12, 14, 15}
            << QList<bool>{false, false, false, false} << int(PFERD);
        QTest::newRow("schwarz mit allem frei")
            << int(ZUG_SCHWARZ) << QList<int>{15, 25, 27, 29, 32}
            << QList<bool>{true, true, true, true} << int(DAME);
    }

    void wandlungFreieFiguren()
    {
        QFETCH(int, flags);
        QFETCH(QList<int>, geschlagen);
        QFETCH(QList<bool>, frei);
        QFETCH(int, standard);
        WandlungDialog dialog(flags, geschlagen);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(dialog.findChild<QPushButton *>(knoepfe[i])->isEnabled(), frei[i]);
        QCOMPARE(dialog.gewaehlteFigur(), standard);
    }

    void wandlungBilderJeFarbe()
    {
        for (const char *farbe : {"WS2", "SW2"}) {
            WandlungDialog dialog(ZUG_WANDLUNG | (farbe[0] == 'S' ? ZUG_SCHWARZ : 0), spielbeginn);
            QCOMPARE(bild(dialog.findChild<QPushButton *>("pferdButton")->icon()),
                     bild(QIcon(QString(":/Figuren/Pferd") + farbe)));
        }
    }

    void wandlungWahl_data()
    {
        QTest::addColumn<int>("knopf"); // -1: Escape
        QTest::addColumn<int>("ergebnis");
        QTest::addColumn<int>("figur");
        QTest::newRow("Läufer") << 2 << 1 << int(LAEUFER);
        QTest::newRow("Escape nimmt die Vorgabe") << -1 << 0 << int(DAME);
    }

    void wandlungWahl()
    {
        QFETCH(int, knopf);
        QFETCH(int, ergebnis);
        QFETCH(int, figur);
        WandlungDialog dialog(0, {8, 10, 12, 15});
        beiModalemFenster<WandlungDialog>([&](WandlungDialog *offen) {
            if (knopf < 0)
                QTest::keyClick(offen, Qt::Key_Escape);
            else
                QTest::mouseClick(offen->findChild<QPushButton *>(knoepfe[knopf]), Qt::LeftButton);
        });
        QCOMPARE(dialog.exec(), ergebnis);
        QCOMPARE(dialog.gewaehlteFigur(), figur);
    }

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
        QString art;
        beiModalemFenster<QMessageBox>([&](QMessageBox *box) {
            art = QString::number(box->icon()) + '|' + QString::number(box->standardButtons());
            QCOMPARE(box->defaultButton(), box->button(QMessageBox::No));
            if (taste == 0)
                box->button(QMessageBox::Yes)->click();
            else
                QTest::keyClick(box, Qt::Key(taste));
        });
        QCOMPARE(rueckfragen.frage("Brakmor", "Neues Spiel?"), antwort);
        QCOMPARE(art, QString::number(QMessageBox::Question) + '|' +
                          QString::number(QMessageBox::Yes | QMessageBox::No));
    }

    // The games to delete reach the caller (loading is driven through the window's tests).
    void ladenDialogLoescht()
    {
        FensterRueckfragen rueckfragen;
        QList<Pgn> partien = {Pgn(), Pgn(), Pgn()};
        for (int i = 0; i < 3; ++i)
            partien[i].position = 50 * i;
        beiModalemFenster<PgnLadenDialog>([=](PgnLadenDialog *dialog) {
            dialog->findChild<QTableWidget *>("tableWidget")->selectRow(2);
            beiModalemFenster<QMessageBox>(
                [](QMessageBox *box) { box->button(QMessageBox::Yes)->click(); });
            dialog->findChild<QPushButton *>("deleteButton")->click();
        });
        Pgn auswahl;
        QList<Bereich> bereiche;
        QCOMPARE(rueckfragen.ladenDialog("x.pgn", partien, auswahl, bereiche), 100);
        QCOMPARE(bereiche.size(), 1);
        QCOMPARE(QPoint(bereiche[0].start, bereiche[0].ende), QPoint(100, -1));
    }
};

QTEST_MAIN(TestDialoge)
#include "tst_dialoge.moc"

#include "app/languages.h"
#include "core/zug.h"
#include "ui/wandlungdialog.h"
#include "widgethilfen.h"

#include <QPushButton>
#include <QtTest>

namespace {

const char *const knoepfe[] = {"dameButton", "turmButton", "laeuferButton", "pferdButton"};

// Hidden piece items at the start of a game: the spare queens of both colours.
const QList<int> spielbeginn = {15, 32};

QImage bild(const QIcon &icon)
{
    return icon.pixmap(80, 80).toImage();
}

} // namespace

class TestWandlungDialog : public QObject
{
    Q_OBJECT

private slots:
    void freieFiguren_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<QList<int>>("geschlagen");
        QTest::addColumn<QList<bool>>("frei");
        QTest::addColumn<int>("standard");

        QTest::newRow("erste Dame noch auf dem Brett")
            << 0 << spielbeginn << QList<bool>{true, false, false, false} << int(DAME);
        QTest::newRow("zwei weiße Damen auf dem Brett")
            << 0 << QList<int>{32} << QList<bool>{false, false, false, false} << int(PFERD);
        QTest::newRow("zwei Damen, ein Turm geschlagen")
            << 0 << QList<int>{13, 32} << QList<bool>{false, true, false, false} << int(TURM);
        QTest::newRow("nur ein Läufer frei")
            << 0 << QList<int>{10, 26, 32} << QList<bool>{false, false, true, false}
            << int(LAEUFER);
        QTest::newRow("nur ein Springer frei")
            << 0 << QList<int>{9, 31} << QList<bool>{false, false, false, true} << int(PFERD);
        QTest::newRow("schwarz zählt nur eigene Figuren")
            << int(ZUG_SCHWARZ | ZUG_WANDLUNG) << QList<int>{8, 10, 12, 14, 15}
            << QList<bool>{false, false, false, false} << int(PFERD);
        QTest::newRow("schwarz mit allem frei")
            << int(ZUG_SCHWARZ) << QList<int>{15, 25, 27, 29, 32}
            << QList<bool>{true, true, true, true} << int(DAME);
    }

    void freieFiguren()
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

    void bilderUndTitel()
    {
        const char *const arten[] = {"Dame", "Turm", "Laeufer", "Pferd"};
        Languages::instance()->ladeSprache(1);
        WandlungDialog fuerWeiss(ZUG_WANDLUNG, spielbeginn);
        WandlungDialog fuerSchwarz(ZUG_WANDLUNG | ZUG_SCHWARZ, spielbeginn);
        QCOMPARE(fuerWeiss.windowTitle(), QString("PROMOTION"));
        for (int i = 0; i < 4; ++i) {
            const QString bildname = QString(":/Figuren/%1%2").arg(arten[i]);
            QCOMPARE(bild(fuerWeiss.findChild<QPushButton *>(knoepfe[i])->icon()),
                     bild(QIcon(bildname.arg("WS2"))));
            QCOMPARE(bild(fuerSchwarz.findChild<QPushButton *>(knoepfe[i])->icon()),
                     bild(QIcon(bildname.arg("SW2"))));
        }
    }

    void wahl_data()
    {
        QTest::addColumn<int>("knopf"); // -1: Escape
        QTest::addColumn<int>("ergebnis");
        QTest::addColumn<int>("figur");
        QTest::newRow("Dame") << 0 << 1 << int(DAME);
        QTest::newRow("Turm") << 1 << 1 << int(TURM);
        QTest::newRow("Läufer") << 2 << 1 << int(LAEUFER);
        QTest::newRow("Springer") << 3 << 1 << int(PFERD);
        QTest::newRow("Escape nimmt die Vorgabe") << -1 << 0 << int(DAME);
    }

    void wahl()
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
};

QTEST_MAIN(TestWandlungDialog)
#include "tst_wandlungdialog.moc"

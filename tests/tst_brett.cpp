#include "fensterhilfen.h"

#include <QBoxLayout>
#include <QClipboard>
#include <QComboBox>
#include <QGraphicsScene>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>

// The board scene: squares, turning, colours, the piece items, the marks, the captured pieces
// and the fitting of the board to the window.
class TestBrett : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<FensterUmgebung> umgebung;
    std::unique_ptr<MainWindow> fenster;

    FensterZugang z() { return FensterZugang{*fenster}; }
    static int feld(const char *name) { return FensterZugang::feldNummer(name); }

    bool importiere(const QString &fen)
    {
        QGuiApplication::clipboard()->setText(fen);
        if (z().ungespeichert())
            beantworteBox(QMessageBox::Yes);
        z().kind<QAction>("actionFen_Import_aus_Zwischenablage")->trigger();
        return warte([&] { return z().ruhig(); });
    }

    bool spiele(const char *von, const char *nach)
    {
        const int vorher = currentIndex;
        z().klicke(von);
        z().klicke(nach);
        return currentIndex == vorher + 1 && warte([&] { return z().ruhig(); });
    }

    void klickeZurueck()
    {
        QTest::mouseClick(z().kind<QToolButton>("tbt_Zurueck"), Qt::LeftButton);
    }

private slots:
    void init()
    {
        umgebung = std::make_unique<FensterUmgebung>();
        QVERIFY(umgebung->gueltig());
        umgebung->setze("Allgemein/Brettdesign", 0);
        fenster = umgebung->fenster();
        QVERIFY(warte([&] { return z().ruhig(); }));
    }

    void cleanup()
    {
        fenster.reset();
        umgebung.reset();
    }

    void geometrieUndDrehung()
    {
        QGraphicsScene *szene = z().ansicht()->scene();
        QCOMPARE(szene->items().size(), 64 + 1 + 32 + 34 + 2);
        QCOMPARE(z().feldMitte(feld("a8")), QPointF(-245, -245));
        QCOMPARE(z().feldMitte(feld("h1")), QPointF(245, 245));
        QCOMPARE(z().beschriftungen().mid(0, 4), QStringList({"A", "A", "8", "8"}));
        QCOMPARE(z().beschriftungen().mid(28, 4), QStringList({"H", "H", "1", "1"}));

        QTest::keyClick(fenster.get(), Qt::Key_F3);
        QVERIFY(warte([&] { return z().ruhig() && lastIndex == 1; }));
        // a1 takes the place of h8, h1 that of a8; the labels turn with the board.
        QCOMPARE(z().feldMitte(feld("a1")), QPointF(245, -245));
        QCOMPARE(z().feldMitte(feld("h1")), QPointF(-245, -245));
        QCOMPARE(z().beschriftungen().mid(0, 4), QStringList({"H", "H", "1", "1"}));
        QCOMPARE(z().gezeigteFiguren(), z().figurenImBrett());
        // The marks follow the squares of the last move.
        const HistoryEntry zug = z().controller().verlauf()->entry(1);
        QCOMPARE(z().markeStart(), z().feldMitte(zug.von) - QPointF(35, 35));
        QCOMPARE(z().markeEnde(), z().feldMitte(zug.nach) - QPointF(35, 35));
        QVERIFY(z().markenSichtbar());
    }

    // Every point of a square picks that square, its corners included.
    void klickTrifftDasFeld()
    {
        const QGraphicsView *ansicht = z().ansicht();
        for (const QPointF versatz : {QPointF(-33, -33), QPointF(33, 33), QPointF(-33, 33)}) {
            const QPoint punkt = ansicht->mapFromScene(z().feldMitte(feld("g1")) + versatz);
            QTest::mouseClick(ansicht->viewport(), Qt::LeftButton, Qt::NoModifier, punkt);
            QCOMPARE(z().ausgewaehltesFeld(), feld("g1"));
            z().klicke("a4");
            QCOMPARE(z().ausgewaehltesFeld(), 0);
        }
    }

    void farbenUndSchach()
    {
        umgebung->beantworteAufgabe(QMessageBox::Yes);
        QCOMPARE(z().farbe(feld("a8")), QColor(Qt::white));
        QCOMPARE(z().farbe(feld("h1")), QColor(Qt::white));
        QCOMPARE(z().farbe(feld("e1")), QColor(Qt::gray));
        QVERIFY(!z().hatTextur(feld("e1")));

        QVERIFY(importiere("4k3/8/8/8/8/8/8/R3K3 w - - 0 1"));
        z().klicke("a1");
        // Light and dark targets in their greens, the origin too.
        QCOMPARE(z().farbe(feld("a8")), QColor(204, 255, 204));
        QCOMPARE(z().farbe(feld("a7")), QColor(136, 255, 136));
        QCOMPARE(z().farbe(feld("a1")), QColor(136, 255, 136));
        z().klicke("a8");
        // Black's king stands in check on a red square until the computer has moved it.
        QCOMPARE(z().farbe(feld("e8")), QColor(255, 100, 100));
        QCOMPARE(z().farbe(feld("a7")), QColor(Qt::gray));
        QVERIFY(warte([&] { return z().ruhig(); }));
        QCOMPARE(lastIndex, 2);
        for (int f = 22; f <= 99; ++f) {
            if (f % 10 >= 2)
                QVERIFY(z().farbe(f) != QColor(255, 100, 100));
        }
        // Back to the check: red again.
        klickeZurueck();
        QCOMPARE(z().farbe(feld("e8")), QColor(255, 100, 100));
    }

    void holzMitTextur()
    {
        beiModalemFenster<QDialog>([](QDialog *dialog) {
            dialog->findChild<QComboBox *>("BrettDesignComboBox")->setCurrentIndex(1);
            dialog->findChild<QPushButton *>("okButton")->click();
        });
        z().kind<QAction>("actionKonfiguration")->trigger();
        QVERIFY(z().hatTextur(feld("a8")));
        QVERIFY(z().hatTextur(feld("b8")));
        QVERIFY(z().textur(feld("a8")).cacheKey() != z().textur(feld("b8")).cacheKey());
        QCOMPARE(z().textur(feld("a8")).cacheKey(), z().textur(feld("c8")).cacheKey());
        QVERIFY(z().ansicht()->styleSheet().contains("252, 227, 197"));
        // Highlights cover the wood.
        z().klicke("e2");
        QCOMPARE(z().farbe(feld("e4")), QColor(204, 255, 204));
        QVERIFY(!z().hatTextur(feld("e4")));
    }

    void geschlageneFiguren()
    {
        QVERIFY(z().geschlageneArten().isEmpty());
        umgebung->beantworteAufgabe(QMessageBox::Yes);
        QVERIFY(importiere("rnbqkbnr/ppp1pppp/8/3p4/4P3/8/PPPP1PPP/RNBQKBNR w KQkq d6 0 2"));
        QVERIFY(z().geschlageneArten().isEmpty());
        QVERIFY(spiele("e4", "d5"));
        QVERIFY(z().geschlageneArten().contains(BAUER));
        // Black's captured pieces stand in the lower row.
        for (int index : z().friedhof()) {
            if (index >= 17)
                QCOMPARE(z().friedhofPosition(index).y(), 5.0);
        }
        // Stepping back recomputes the view from the board.
        klickeZurueck();
        klickeZurueck();
        QVERIFY(z().geschlageneArten().isEmpty());

        // More pawns than fit in their column: one picture and the number.
        QVERIFY(importiere("4k3/8/8/8/8/8/PPPPPPPP/4K3 w - - 0 1"));
        QCOMPARE(z().bauernZahl(true), QString("8"));
        QCOMPARE(z().bauernZahl(false), QString());
        QCOMPARE(z().geschlageneArten().count(BAUER), 1);
        // White's pieces above, Black's below; one queen per side is the spare.
        QCOMPARE(z().geschlageneArten().count(-DAME), 1);
        QCOMPARE(z().geschlageneArten().count(DAME), 1);
        for (int index : z().friedhof())
            QVERIFY((z().friedhofPosition(index).y() < 0) == (index < 17));
    }

    void brettPasstSichAn()
    {
        fenster->resize(1200, 800);
        QVERIFY(warte([&] { return fenster->size() == QSize(1200, 800); }));
        QGraphicsView *ansicht = z().ansicht();
        const int seite = qMin(ansicht->width(), ansicht->height());
        QVERIFY(qAbs(ansicht->transform().m11() - seite / 630.0 * 0.98) < 0.01);
        QCOMPARE(ansicht->transform().m11(), ansicht->transform().m22());
        const int breite = z().kind<QLineEdit>("tEdit_Meldezeile")->width();
        const int symbol = qMin(48, qRound(breite / 8.2));
        QCOMPARE(z().kind<QToolButton>("tbt_Vor")->iconSize(), QSize(symbol, symbol));
        auto *oben = z().kind<QBoxLayout>("OberstesLayout");
        QCOMPARE(oben->direction(), QBoxLayout::LeftToRight);
        const QSize flaeche = z().kind<QWidget>("centralWidget")->size();
        const int anteil = flaeche.height() * 100 / flaeche.width();
        QCOMPARE(oben->stretch(0), anteil);
        QCOMPARE(oben->stretch(1), 100 - anteil);

        // Higher than wide: the side panel goes below the board.
        fenster->resize(700, 1000);
        QVERIFY(warte([&] { return fenster->height() > fenster->width(); }));
        QCOMPARE(oben->direction(), QBoxLayout::TopToBottom);
        QCOMPARE(z().gezeigteFiguren(), z().figurenImBrett());
        QVERIFY(spiele("e2", "e4"));
    }

    void animationBewegtDasBild()
    {
        QGraphicsScene szene;
        QPixmap bild(256, 256);
        bild.fill(Qt::red);
        auto *figur = new PictureItem(bild);
        szene.addItem(figur);
        QCOMPARE(figur->cacheMode(), QGraphicsItem::DeviceCoordinateCache);
        QCOMPARE(figur->acceptedMouseButtons(), Qt::NoButton);
        QSignalSpy fertig(figur, &PictureItem::animationFinished);
        figur->animiere(QPointF(-280, 210), QPointF(-280, -280));
        QCOMPARE(figur->pos(), QPointF(-280, 210));
        QVERIFY(fertig.wait(5000));
        QCOMPARE(figur->pos(), QPointF(-280, -280));
    }
};

QTEST_MAIN(TestBrett)
#include "tst_brett.moc"

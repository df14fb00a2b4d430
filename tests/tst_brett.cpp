#include "fensterhilfen.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QGraphicsScene>
#include <QPushButton>

class TestBrett : public FensterTest
{
    Q_OBJECT

    static int feld(const char *name) { return FensterZugang::feldNummer(name); }

    void konfiguriere(int design, bool marken)
    {
        beiModalemFenster<QDialog>([=](QDialog *dialog) {
            dialog->findChild<QComboBox *>("BrettDesignComboBox")->setCurrentIndex(design);
            dialog->findChild<QCheckBox *>("MarkiereZugCheckBox")->setChecked(marken);
            dialog->findChild<QPushButton *>("okButton")->click();
        });
        z().loese("actionKonfiguration");
    }

    // The whole board is visible, square, and fills the smaller side of the view.
    bool brettPasst()
    {
        const QWidget *flaeche = z().ansicht()->viewport();
        const QRect brett =
            z().ansicht()->mapFromScene(QRectF(-315, -315, 630, 630)).boundingRect();
        return flaeche->rect().contains(brett) && qAbs(brett.width() - brett.height()) <= 1 &&
               brett.width() > 0.95 * qMin(flaeche->width(), flaeche->height());
    }

private slots:
    void init()
    {
        umgebung = std::make_unique<FensterUmgebung>();
        umgebung->setze("Allgemein/Brettdesign", 0);
        fenster = umgebung->fenster();
    }
    void cleanup() { schliesse(); }

    void geometrieUndDrehung()
    {
        QCOMPARE(z().feldMitte(feld("h1")), QPointF(245, 245));
        QCOMPARE(z().beschriftungen().mid(0, 4), QStringList({"A", "A", "8", "8"}));

        QTest::keyClick(fenster.get(), Qt::Key_F3);
        QVERIFY(warte([&] { return z().ruhig() && lastIndex == 1; }));
        // The labels turn with the board, and turning adds no items.
        QCOMPARE(z().feldMitte(feld("a1")), QPointF(245, -245));
        QCOMPARE(z().feldMitte(feld("h1")), QPointF(-245, -245));
        QCOMPARE(z().beschriftungen().mid(0, 4), QStringList({"H", "H", "1", "1"}));
        QCOMPARE(z().ansicht()->scene()->items().size(), 64 + 1 + 32 + 34 + 2);
        QVERIFY(z().brettStimmt());
        const HistoryEntry zug = z().eintrag(1);
        QCOMPARE(z().markeStart(), z().feldMitte(zug.von) - QPointF(35, 35));
        QCOMPARE(z().markeEnde(), z().feldMitte(zug.nach) - QPointF(35, 35));
        QVERIFY(z().markenSichtbar());
        // After the swap the human plays Black.
        QVERIFY(z().amZug() && z().spiele("e7", "e5"));
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
        const QColor rot(255, 100, 100);
        umgebung->beantworteAufgabe(QMessageBox::Yes);
        QVERIFY(z().importiere("4k3/8/8/8/8/8/8/R3K3 w - - 0 1"));
        z().klicke("a1");
        // Light and dark targets and the origin in their greens.
        QCOMPARE(
            QList<QColor>({z().farbe(feld("a8")), z().farbe(feld("a7")), z().farbe(feld("a1"))}),
            QList<QColor>({QColor(204, 255, 204), QColor(136, 255, 136), QColor(136, 255, 136)}));
        z().klicke("a8");
        // The checked king's square is red until the computer has moved it.
        QCOMPARE(z().farbe(feld("e8")), rot);
        QCOMPARE(z().farbe(feld("a7")), QColor(Qt::gray));
        QVERIFY(warte([&] { return z().ruhig() && lastIndex == 2; }));
        for (int f = 22; f <= 99; ++f)
            QVERIFY(f % 10 < 2 || z().farbe(f) != rot);
        z().druecke("tbt_Zurueck");
        QCOMPARE(z().farbe(feld("e8")), rot);
    }

    void designUndMarkenWechseln()
    {
        const int a8 = feld("a8"), b8 = feld("b8");
        konfiguriere(1, true);
        // Wood: light and dark squares each with their own texture.
        QVERIFY(!z().textur(a8).isNull() && !z().textur(b8).isNull());
        QVERIFY(z().textur(a8).cacheKey() != z().textur(b8).cacheKey());
        QCOMPARE(z().textur(a8).cacheKey(), z().textur(feld("c8")).cacheKey());
        QVERIFY(z().ansicht()->styleSheet().contains("252, 227, 197"));
        // Highlights cover the wood.
        z().klicke("e2");
        QVERIFY(z().textur(feld("e4")).isNull());
        z().klicke("e4");
        QVERIFY(warte([&] { return z().ruhig(); }));
        QVERIFY(z().markenSichtbar());

        konfiguriere(0, false);
        QVERIFY(z().textur(a8).isNull());
        QCOMPARE(QList<QColor>({z().farbe(a8), z().farbe(b8)}),
                 QList<QColor>({Qt::white, Qt::gray}));
        QCOMPARE(z().ansicht()->styleSheet(), QString("background-color: transparent;"));
        QVERIFY(!z().markenSichtbar());
    }

    void geschlageneFiguren()
    {
        umgebung->beantworteAufgabe(QMessageBox::Yes);
        QVERIFY(z().importiere("rnbqkbnr/ppp1pppp/8/3p4/4P3/8/PPPP1PPP/RNBQKBNR w KQkq d6 0 2"));
        QVERIFY(z().friedhof().isEmpty());
        QVERIFY(z().spiele("e4", "d5"));
        // Black's captured pawn stands in the lower row.
        QVERIFY(z().friedhof().contains(BAUER));
        QCOMPARE(z().friedhof().value(BAUER).y(), 5.0);
        z().druecke("tbt_Zurueck");
        z().druecke("tbt_Zurueck");
        QVERIFY(z().friedhof().isEmpty());

        // More pawns than fit in their column: one picture and the number. One queen per side
        // is the spare; White's pieces stand above, Black's below.
        QVERIFY(z().importiere("4k3/8/8/8/8/8/PPPPPPPP/4K3 w - - 0 1"));
        QCOMPARE(z().bauernZahl(true), QString("8"));
        QCOMPARE(z().bauernZahl(false), QString());
        const QMultiMap<int32_t, QPointF> friedhof = z().friedhof();
        QCOMPARE(friedhof.count(BAUER), 1);
        QCOMPARE(friedhof.count(-DAME), 1);
        QCOMPARE(friedhof.count(DAME), 1);
        for (auto it = friedhof.begin(); it != friedhof.end(); ++it)
            QVERIFY((it.value().y() < 0) == (it.key() < 0));
    }

    void brettPasstSichAn()
    {
        auto *oben = z().kind<QBoxLayout>("OberstesLayout");
        fenster->resize(1200, 800);
        QVERIFY(warte([&] { return fenster->size() == QSize(1200, 800); }));
        QCOMPARE(oben->direction(), QBoxLayout::LeftToRight);
        QVERIFY(brettPasst());

        // Higher than wide: the side panel goes below the board.
        fenster->resize(700, 1000);
        QVERIFY(warte([&] { return fenster->height() > fenster->width(); }));
        QCOMPARE(oben->direction(), QBoxLayout::TopToBottom);
        QVERIFY(warte([&] { return brettPasst(); }, 2000));
        QVERIFY(z().brettStimmt());
        QVERIFY(z().spiele("e2", "e4"));
    }
};

QTEST_MAIN(TestBrett)
#include "tst_brett.moc"

#include "ui/mainwindow.h"

#include "ui/brettitems.h"
#include "ui_mainwindow.h"

#include <QGraphicsPixmapItem>
#include <QGraphicsScene>
#include <QGraphicsTextItem>

namespace {

constexpr int hoehe = 130;
constexpr int bildBreite = 50;
constexpr int schwarzVersatz = 17;

// The captured kinds in their column order: first item index (White) and number of items.
struct Spalte
{
    int erster;
    int anzahl;
};

const Spalte spalten[] = {{0, 8}, {8, 2}, {10, 2}, {12, 2}, {14, 2}};

} // namespace

void MainWindow::baueFriedhof()
{
    friedhofSzene = new QGraphicsScene(this);
    QGraphicsView *ansicht = ui->FriedhofView;
    ansicht->setFixedHeight(hoehe);
    ansicht->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ansicht->setBackgroundBrush(Qt::NoBrush);
    ansicht->setScene(friedhofSzene);
    for (const PictureItem *figur : qAsConst(figuren)) {
        QGraphicsPixmapItem *bild = friedhofSzene->addPixmap(figur->pixmap());
        bild->setScale(bildBreite / 256.0);
        bild->setTransformationMode(Qt::SmoothTransformation);
        bild->hide();
        friedhofFiguren.append(bild);
    }
    for (QGraphicsTextItem *&text : bauernAnzahl) {
        text = friedhofSzene->addText(QString(), QFont(QStringLiteral("Courier New"), 15));
        text->hide();
    }
}

// Lays out the pieces missing from the board, White's above Black's, one column per kind. One
// queen item per colour is the spare for a promotion and is not counted.
void MainWindow::zeichneFriedhof()
{
    if (!friedhofSzene)
        return;
    geschlagen.clear();
    for (int i = 0; i < figuren.size(); ++i) {
        if (!figuren[i]->isVisible())
            geschlagen.append(i);
    }

    QList<int> proArt[2][5];
    for (int farbe = 0; farbe < 2; ++farbe) {
        for (int art = 0; art < 5; ++art) {
            const Spalte &s = spalten[art];
            for (int k = 0; k < s.anzahl; ++k) {
                const int index = s.erster + k + farbe * schwarzVersatz;
                if (geschlagen.contains(index))
                    proArt[farbe][art].append(index);
            }
        }
        if (!proArt[farbe][4].isEmpty())
            proArt[farbe][4].removeLast();
    }

    for (QGraphicsPixmapItem *bild : qAsConst(friedhofFiguren))
        bild->hide();
    for (QGraphicsTextItem *text : bauernAnzahl)
        text->hide();

    QList<int> belegt;
    for (int art = 0; art < 5; ++art) {
        if (!proArt[0][art].isEmpty() || !proArt[1][art].isEmpty())
            belegt.append(art);
    }
    const int breite = qMax(1, ui->FriedhofView->viewport()->width());
    friedhofSzene->setSceneRect(0, -hoehe / 2, breite, hoehe);
    if (belegt.isEmpty())
        return;

    const int spaltenBreite = qMin(100, breite / belegt.size());
    const int schritt = qMin(25, (spaltenBreite - 25) / 3);
    const int versatz = spaltenBreite < bildBreite ? -15 : 0;
    const int bauernPlatz = spaltenBreite >= 90 ? 7 : spaltenBreite >= 70 ? 5 : 3;
    for (int spalte = 0; spalte < belegt.size(); ++spalte) {
        const int art = belegt[spalte];
        const int abstand = art == 0 ? 10 : schritt;
        for (int farbe = 0; farbe < 2; ++farbe) {
            const QList<int> &liste = proArt[farbe][art];
            const int y = (farbe ? 30 : -30) - bildBreite / 2;
            const int x0 = spaltenBreite * spalte + versatz;
            const bool zusammengefasst = art == 0 && liste.size() > bauernPlatz;
            for (int k = 0; k < liste.size(); ++k) {
                if (zusammengefasst && k > 0)
                    break;
                QGraphicsPixmapItem *bild = friedhofFiguren[liste[k]];
                bild->setPos(x0 + k * abstand, y);
                bild->show();
            }
            if (zusammengefasst) {
                QGraphicsTextItem *text = bauernAnzahl[farbe];
                text->setPlainText(QString::number(liste.size()));
                text->setPos(x0 + 40, y + 5);
                text->show();
            }
        }
    }
}

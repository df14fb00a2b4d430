#include "ui/mainwindow.h"

#include "game/controller.h"
#include "game/history.h"
#include "game/spielablauf.h"
#include "ui/brettitems.h"
#include "ui/wandlungdialog.h"
#include "ui_mainwindow.h"

#include <QApplication>
#include <QMouseEvent>

#include <utility>

namespace {

bool istEigeneFigur(int32_t code, bool schwarz)
{
    if (code == LEER || code == RAND)
        return false;
    return schwarz ? code > 0 : code < 0;
}

} // namespace

void MainWindow::ButtonNeuesSpielClick()
{
    ablauf->neuesSpiel();
}

void MainWindow::ButtonSeitenwechselClick()
{
    ablauf->seitenwechsel();
}

void MainWindow::ButtonZugZurueckClick()
{
    ablauf->zugZurueck();
}

void MainWindow::onHotkeyButtonZugVorClick()
{
    if (currentIndex == lastIndex && ui->tbt_Vor->isEnabled())
        ablauf->zugVor();
}

void MainWindow::ButtonZugVorClick()
{
    ablauf->zugVor();
}

void MainWindow::ButtonSichernLadenClick()
{
    ablauf->sichernOderLaden();
}

void MainWindow::onListItemChanged()
{
    ablauf->waehleZeile(ui->listWidget->currentRow());
}

// A press that picks a piece may go on as a drag, unless a piece is still moving.
void MainWindow::brettKlick(const QPointF &szenenPosition)
{
    druckFeld = 0;
    if (ablauf->spielEnde() || ablauf->computerAmZug())
        return;
    const int feld = feldAusPosition(szenenPosition);
    if (feld == 0)
        return;
    waehleFeld(feld);
    if (ausgewaehltesFeld == feld && laufendeAnimationen == 0 && !ablauf->animationLaeuft()) {
        druckFeld = feld;
        druckPunkt = ui->graphicsView->mapFromScene(szenenPosition);
    }
}

// Past the drag distance the picked piece follows the mouse, held where it was grabbed, above
// the others.
void MainWindow::ziehe(const QMouseEvent *ereignis)
{
    if (druckFeld == 0 || !(ereignis->buttons() & Qt::LeftButton))
        return;
    const QPointF punkt = ui->graphicsView->mapToScene(ereignis->pos());
    if (!gezogen) {
        const int index = figurIndex.value(druckFeld, -1);
        if (index < 0 ||
            (ereignis->pos() - druckPunkt).manhattanLength() < QApplication::startDragDistance())
            return;
        gezogen = figuren[index];
        gezogen->setZValue(gezogen->zValue() + 1);
    }
    const QPointF griff = ui->graphicsView->mapToScene(druckPunkt) - feldPosition(druckFeld);
    gezogen->setPos(punkt - griff);
}

// Dropped on a target the piece makes the move as a click there would, and its animation starts
// where it lies; anywhere else it goes back, and off its own square the choice is cleared.
void MainWindow::legeAb(const QMouseEvent *ereignis)
{
    const int von = std::exchange(druckFeld, 0);
    PictureItem *figur = std::exchange(gezogen, nullptr);
    if (!figur)
        return;
    const int ziel = feldAusPosition(ui->graphicsView->mapToScene(ereignis->pos()));
    if (ziel != 0 && ziel != von && ausgewaehltesFeld == von &&
        controller->istLegalerZug(von, ziel)) {
        ablage = figur->pos();
        waehleFeld(ziel);
        if (!ablage)
            return;
        ablage.reset();
    }
    zeichneFiguren(ablauf->imSchach());
    if (ziel != von)
        hebeAuswahlAuf();
}

// A piece of the side to move picks the origin and lights up its targets; a target then makes
// the move, after the promotion dialog when a pawn reaches the last rank.
void MainWindow::waehleFeld(int feld)
{
    const bool schwarz = ablauf->amZug();
    if (ausgewaehltesFeld == 0 || istEigeneFigur(ablauf->brettKopie()[feld], schwarz)) {
        hebeAuswahlAuf();
        if (!istEigeneFigur(ablauf->brettKopie()[feld], schwarz))
            return;
        const QList<int> ziele = controller->zielFelder(feld);
        if (ziele.isEmpty())
            return;
        ausgewaehltesFeld = feld;
        markiereFelder(ziele);
        return;
    }

    const int von = ausgewaehltesFeld;
    ausgewaehltesFeld = 0;
    if (!controller->istLegalerZug(von, feld)) {
        entferneMarkierungen();
        return;
    }
    int32_t figur = DAME;
    if (ablauf->istWandlung(von, feld)) {
        // A piece the computer has just taken may still be on its way off the board.
        zeichneFriedhof();
        QList<int> frei = geschlagen;
        if (geschlagenIndex >= 0)
            frei.append(geschlagenIndex);
        WandlungDialog dialog((schwarz ? ZUG_SCHWARZ : 0) | ZUG_WANDLUNG, frei);
        const Spielablauf::Dialog offen(*ablauf);
        dialog.exec();
        figur = dialog.gewaehlteFigur();
    }
    ablauf->menschenzug(von, feld, figur);
}

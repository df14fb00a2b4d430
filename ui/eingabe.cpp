#include "ui/mainwindow.h"

#include "game/controller.h"
#include "game/history.h"
#include "game/spielablauf.h"
#include "ui/wandlungdialog.h"
#include "ui_mainwindow.h"

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

void MainWindow::brettKlick(const QPointF &szenenPosition)
{
    if (ablauf->spielEnde() || ablauf->computerAmZug())
        return;
    const int feld = feldAusPosition(szenenPosition);
    if (feld != 0)
        waehleFeld(feld);
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

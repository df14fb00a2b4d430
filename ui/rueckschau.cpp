#include "ui/mainwindow.h"

#include "core/fen.h"
#include "game/controller.h"
#include "game/history.h"
#include "ui_mainwindow.h"

#include <QTimer>

void MainWindow::ButtonZugZurueckClick()
{
    if (beschaeftigt(4) || currentIndex < 1)
        return;
    --currentIndex;
    zeigeHistoryStellung(true);
}

void MainWindow::onHotkeyButtonZugVorClick()
{
    if (currentIndex == lastIndex && ui->tbt_Vor->isEnabled())
        ButtonZugVorClick();
}

// In review one step forward; at the end the first press shows the suggestion, the second
// plays it.
void MainWindow::ButtonZugVorClick()
{
    if (currentIndex < lastIndex) {
        ++currentIndex;
        zeigeHistoryStellung(true);
        return;
    }
    if (vorschlag.von == 0)
        return;
    if (!vorschlagAngezeigt) {
        vorschlagAngezeigt = true;
        const QString hinweis =
            text(532, "Vorschlag") + QLatin1String(": ") + zugNotation(vorschlag);
        ui->tEdit_Meldezeile->setText(hinweis);
        fuegeListenzeileHinzu(hinweis);
        markiereFelder({vorschlag.von, vorschlag.nach});
        ausgewaehltesFeld = vorschlag.von;
        setzeVorKnopf(true);
        return;
    }
    ausgewaehltesFeld = 0;
    if (zieheZug(vorschlag.von, vorschlag.nach, vorschlag.wert, vorschlag.flags, DAME) &&
        !spielEnde && computerAmZug())
        zugTimer->start();
}

void MainWindow::onListItemChanged()
{
    if (!listenAuswahlAktiv)
        return;
    const int zeile = ui->listWidget->currentRow();
    if (zeile < 0)
        return;
    if (zeile == ui->listWidget->count() - 1 && currentIndex == lastIndex)
        return;
    const int index = controller->historyIndexForRow(zeile);
    if (index == currentIndex || beschaeftigt(5))
        return;
    currentIndex = index;
    zeigeHistoryStellung(false);
}

void MainWindow::zeigeHistoryStellung(bool selectRow)
{
    zugTimer->stop();
    listenAuswahlAktiv = false;
    const bool amEnde = currentIndex == lastIndex;
    if (!amEnde) {
        setzeVorKnopf(true);
        ui->tbt_Vor->setEnabled(true);
    }
    ui->tbt_Zurueck->setEnabled(currentIndex > 0);
    if (amEnde) {
        vorschlagAngezeigt = false;
        controller->uhrStarten();
        setzeVorKnopf(false);
        ui->tbt_Vor->setEnabled(vorschlag.von != 0);
    }
    ausgewaehltesFeld = 0;

    Zug zug;
    int zeile = 0;
    QString zugText;
    controller->ladeHistoryStellung(zug, zeile, zugText);
    // A game that ended in mate or by resignation stays over when its last position is shown
    // again, as one drawn does.
    spielEnde = (zug.flags & (ZUG_REMIS | ZUG_AUFGEGEBEN)) || controller->legaleZuege()[0].von == 0;
    imSchach = zug.flags & ZUG_SCHACH;
    if (selectRow)
        waehleListenzeile(zeile);
    ui->tEdit_Meldezeile->setText(zugText);
    std::copy(controller->brett(), controller->brett() + BRETT_ZELLEN, brettKopie);
    amZug = controller->schwarzAmZug();
    zeichneFelder();
    zeichneFiguren(imSchach);
    zeichneFriedhof();
    setzeMarken(currentIndex > 0 ? zug.von : 0, zug.nach);
    zeigeMarken();
    setzeUhrStil(amZug);
    ui->tEdit_Statuszeile3->setText(rochadeText(controller->rochaderechte()));

    uebergibSeiteAmZug();
    if (spielEnde)
        ui->tbt_Vor->setEnabled(false);
    listenAuswahlAktiv = true;
}

// Whoever steps to a position plays the side to move there.
void MainWindow::uebergibSeiteAmZug()
{
    if (spielerWeiss != spielerSchwarz) {
        spielerWeiss = amZug ? 1 : 0;
        spielerSchwarz = amZug ? 0 : 1;
        if (currentIndex == lastIndex && vorschlag.von == 0 && !spielEnde)
            starteVorschlag();
    } else if (spielerWeiss == 1) {
        spielEnde = !controller->legaleZuegeErmitteln(amZug);
    }
}

void MainWindow::ButtonSeitenwechselClick()
{
    if (beschaeftigt(2))
        return;
    weissUnten = !weissUnten;
    zeichneKoordinaten();
    entferneMarkierungen();
    zeichneFiguren(imSchach);
    zeichneMarken();
    if (currentIndex < lastIndex)
        return;
    zeigeMeldung(text(74, "Figurentausch"), true);
    if (!spielEnde && !computerAmZug() && spielerWeiss != spielerSchwarz) {
        std::swap(spielerWeiss, spielerSchwarz);
        starteZugberechnung();
    }
}

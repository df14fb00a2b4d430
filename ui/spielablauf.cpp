#include "ui/mainwindow.h"

#include "app/einstellungen.h"
#include "core/fen.h"
#include "engine/abbrechen.h"
#include "game/controller.h"
#include "game/history.h"
#include "ui/brettitems.h"
#include "ui/wandlungdialog.h"
#include "ui_mainwindow.h"

#include <QTimer>

#include <cstdlib>

namespace {

bool istEigeneFigur(int32_t code, bool schwarz)
{
    if (code == LEER || code == RAND)
        return false;
    return schwarz ? code > 0 : code < 0;
}

} // namespace

// Commands that change the game wait for a running engine job (which is asked to stop) and for
// a running animation; the last one to arrive is run when both have ended.
bool MainWindow::beschaeftigt(int befehl)
{
    if (engineLaeuft) {
        abbrechen = true;
        wartenderBefehl = befehl;
        return true;
    }
    if (animationLaeuft) {
        wartenderBefehl = befehl;
        return true;
    }
    return false;
}

void MainWindow::fuehreWartendenBefehlAus()
{
    const int befehl = wartenderBefehl;
    wartenderBefehl = 0;
    switch (befehl) {
    case 1: ButtonNeuesSpielClick(); break;
    case 2: ButtonSeitenwechselClick(); break;
    case 3: fuehreFenImportAus(wartendeFen); break;
    case 4: ButtonZugZurueckClick(); break;
    case 5:
        listenAuswahlAktiv = true;
        onListItemChanged();
        break;
    case 6: ButtonSichernLadenClick(); break;
    case 7:
        if (computerAmZug())
            zugTimer->start();
        break;
    case 8: on_actionPartie_laden_triggered(); break;
    case 9: on_actionPartie_speichern_triggered(); break;
    }
}

bool MainWindow::computerAmZug() const
{
    return (amZug ? spielerSchwarz : spielerWeiss) == 1;
}

void MainWindow::ButtonNeuesSpielClick()
{
    if (beschaeftigt(1) || !datenverlustBestaetigt())
        return;
    setWindowTitle(controller->titel(false));
    weissUnten = true;
    initNeuesSpiel(false);
    starteVorschlag();
}

void MainWindow::initNeuesSpiel(bool mitFen)
{
    zugTimer->stop();
    abbrechen = false;
    listenAuswahlAktiv = false;
    wartenderBefehl = 0;
    ungespeichert = geladen = false;
    imSchach = false;
    vorschlag = Zug{};
    vorschlagAngezeigt = false;
    ausgewaehltesFeld = 0;
    geschlagenIndex = -1;
    amZug = 0;
    spielerSchwarz = 1;
    spielerWeiss = 0;
    ausFen = mitFen;
    aufgabeGefragt = false;
    if (!ausFen) {
        controller->setzeEigeneStartFen(QString());
    } else if (controller->schwarzAmZug()) {
        weissUnten = false;
        amZug = 1;
        spielerSchwarz = 0;
        spielerWeiss = 1;
    }

    zeichneKoordinaten();
    ui->tEdit_Meldezeile->setText(text(355, "Willkommen zu Brakmor"));
    fuelleSpielbeginn(ausFen);
    controller->starteSpiel(ui->listWidget->count() - 1);
    std::copy(controller->brett(), controller->brett() + BRETT_ZELLEN, brettKopie);
    zeichneFelder();
    zeichneFiguren(false);
    zeichneFriedhof();
    setzeMarken(0, 0);

    spielEnde = !controller->legaleZuegeErmitteln(amZug);

    ui->lblZeitWeiss->setText(QStringLiteral("00:00:00"));
    ui->lblZeitSchwarz->setText(QStringLiteral("00:00:00"));
    setzeUhrStil(amZug);
    ui->tEdit_Statuszeile1->clear();
    ui->tEdit_Statuszeile2->clear();
    ui->tEdit_Statuszeile3->setText(rochadeText(controller->rochaderechte()));
    ui->tEdit_Statuszeile4->setText(schwierigkeitsName(einstellungen.schwierigkeit));

    setzeVorKnopf(false);
    ui->tbt_Vor->setEnabled(false);
    ui->tbt_Zurueck->setEnabled(false);
    setzeSichernKnopf(false);
    listenAuswahlAktiv = true;
}

void MainWindow::brettKlick(const QPointF &szenenPosition)
{
    if (spielEnde || computerAmZug())
        return;
    const int feld = feldAusPosition(szenenPosition);
    if (feld != 0)
        waehleFeld(feld);
}

void MainWindow::waehleFeld(int feld)
{
    const int32_t code = brettKopie[feld];
    if (ausgewaehltesFeld == 0 || istEigeneFigur(code, amZug)) {
        ausgewaehltesFeld = 0;
        entferneMarkierungen();
        if (!istEigeneFigur(code, amZug))
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
    int32_t flags = amZug ? ZUG_SCHWARZ : 0;
    if (std::abs(brettKopie[von]) == BAUER && (feld < 30 || feld > 91))
        flags |= ZUG_WANDLUNG;
    if (!controller->istLegalerZug(von, feld)) {
        entferneMarkierungen();
        return;
    }
    int32_t figur = DAME;
    if (flags & ZUG_WANDLUNG) {
        // A piece the computer has just taken may still be on its way off the board.
        zeichneFriedhof();
        QList<int> frei = geschlagen;
        if (geschlagenIndex >= 0)
            frei.append(geschlagenIndex);
        WandlungDialog dialog(flags, frei);
        dialog.exec();
        figur = dialog.gewaehlteFigur();
    }
    if (!zieheZug(von, feld, 0, flags, figur) || spielEnde || !computerAmZug())
        return;
    if (!engineLaeuft) {
        zugTimer->start();
    } else {
        // The suggestion for the move just made is of no use any more.
        abbrechen = true;
        wartenderBefehl = 7;
    }
}

bool MainWindow::zieheZug(int32_t von, int32_t nach, int32_t wert, int32_t flags, int32_t figur)
{
    if (lastIndex == 0)
        controller->pgn().neuePartie(spielerWeiss, spielerSchwarz, controller->eigeneStartFen());
    if (geschlagenIndex >= 0) {
        figuren[geschlagenIndex]->hide();
        geschlagenIndex = -1;
    }
    zeichneFelder();

    // In review the move replaces the rest of the game, and the rows that showed it.
    const bool inRueckschau = currentIndex < lastIndex;
    const int letzteZeile = controller->verlauf()->entry(currentIndex).listenZeile;
    const int zeile = inRueckschau ? letzteZeile + 1 : ui->listWidget->count();
    Zug zug{von, nach, wert, flags};
    QString meldung;
    QString zugText;
    if (!controller->bewegeFigur(zug, figur, zeile, meldung, zugText, spielEnde)) {
        ui->tEdit_Meldezeile->setText(meldung);
        entferneMarkierungen();
        return false;
    }
    if (inRueckschau) {
        while (ui->listWidget->count() > zeile)
            delete ui->listWidget->takeItem(zeile);
    }

    animationLaeuft = true;
    if (!ungespeichert) {
        setzeSichernKnopf(true);
        ungespeichert = true;
    }
    ui->tbt_Zurueck->setEnabled(true);
    ui->tbt_Vor->setEnabled(false);
    setzeVorKnopf(false);
    vorschlagAngezeigt = false;

    imSchach = zug.flags & ZUG_SCHACH;
    fuegeListenzeileHinzu(zugText);
    std::copy(controller->brett(), controller->brett() + BRETT_ZELLEN, brettKopie);
    setzeUhrStil(!amZug);
    amZug = !amZug;
    if (imSchach)
        markiereSchach();
    setzeMarken(zug.von, zug.nach);
    animiereZug(zug, figur);

    ui->tEdit_Statuszeile3->setText(rochadeText(controller->rochaderechte()));
    ui->tEdit_Meldezeile->setText(meldung);
    return true;
}

// Once the last running animation has ended (the computer may answer before the human's piece
// has arrived) the board is redrawn from the board copy, so whatever the animations left (a
// promotion, an exotic position) the board shows the position as it is.
void MainWindow::onAnimationFertig()
{
    if (--laufendeAnimationen > 0)
        return;
    if (geschlagenIndex >= 0) {
        figuren[geschlagenIndex]->hide();
        geschlagenIndex = -1;
    }
    animationLaeuft = false;
    zeichneFiguren(false);
    zeigeMarken();
    zeichneFriedhof();
    if (!engineLaeuft)
        fuehreWartendenBefehlAus();
}

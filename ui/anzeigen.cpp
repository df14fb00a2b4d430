#include "ui/mainwindow.h"

#include "app/einstellungen.h"
#include "game/history.h"
#include "game/spielablauf.h"
#include "ui/brettitems.h"
#include "ui_mainwindow.h"

#include <QFileInfo>

namespace {

const char weissStil[] = "background-color: white; color: green";
const char schwarzStil[] = "background-color: black; color: white";
const char ruhigStil[] = "background-color: transparent; color: black";

} // namespace

void MainWindow::verbindeAblauf()
{
    Spielablauf *a = ablauf.get();
    connect(a, &Spielablauf::protokollNeu, this, &MainWindow::zeigeProtokoll);
    connect(a, &Spielablauf::zeileAngefuegt, this, &MainWindow::fuegeListenzeileHinzu);
    connect(a, &Spielablauf::zeilenEntfernt, this, [this](int ab) {
        while (ui->listWidget->count() > ab)
            delete ui->listWidget->takeItem(ab);
    });
    connect(a, &Spielablauf::zeileGewaehlt, this, &MainWindow::waehleListenzeile);
    connect(a, &Spielablauf::stellungNeu, this, &MainWindow::zeigeStellung);
    connect(a, &Spielablauf::zugGespielt, this, &MainWindow::zeigeZug);
    connect(a, &Spielablauf::vorschlagGezeigt, this, [this](const Zug &zug) {
        markiereFelder({zug.von, zug.nach});
        ausgewaehltesFeld = zug.von;
    });
    connect(a, &Spielablauf::auswahlAufgehoben, this, &MainWindow::hebeAuswahlAuf);
    connect(a, &Spielablauf::anzeigeGeaendert, this, &MainWindow::zeigeAnzeige);
    connect(a, &Spielablauf::uhrenGeaendert, this, [this] {
        ui->lblZeitWeiss->setText(ablauf->uhrText(false));
        ui->lblZeitSchwarz->setText(ablauf->uhrText(true));
        zeigeMeldezeile();
    });
    connect(a, &Spielablauf::partieGeladen, ui->listWidget, qOverload<>(&QWidget::setFocus));
}

// Texts, clocks, buttons, menu entries and the orientation, as the flow has them now.
void MainWindow::zeigeAnzeige()
{
    if (weissUnten != ansichtWeissUnten())
        dreheAnsicht();
    setWindowTitle(ablauf->titel());
    zeigeMeldezeile();
    ui->tEdit_Statuszeile1->setText(ablauf->statuszeile(1));
    ui->tEdit_Statuszeile2->setText(ablauf->statuszeile(2));
    ui->tEdit_Statuszeile3->setText(ablauf->statuszeile(3));
    ui->tEdit_Statuszeile4->setText(ablauf->statuszeile(4));
    ui->lblZeitWeiss->setText(ablauf->uhrText(false));
    ui->lblZeitSchwarz->setText(ablauf->uhrText(true));
    setzeUhrStil(ablauf->amZug());
    setzeVorKnopf(ablauf->vorKnopfZugVor());
    ui->tbt_Vor->setEnabled(ablauf->vorKnopfAktiv());
    ui->tbt_Zurueck->setEnabled(currentIndex > 0);
    setzeSichernKnopf(ablauf->ungespeichert());
    ui->actionVorschlag->setEnabled(ablauf->vorKnopfAktiv() && currentIndex == lastIndex);
    ui->actionAufgeben->setEnabled(ablauf->aufgabeMoeglich());
    ui->actionPartie_exportieren->setEnabled(lastIndex > 0);
}

// While the computer computes its move the message line says so, with the seconds it has taken.
void MainWindow::zeigeMeldezeile()
{
    ui->tEdit_Meldezeile->setText(ablauf->denkt() ? ablauf->denkText() : ablauf->meldung());
}

void MainWindow::zeigeProtokoll()
{
    QListWidget *liste = ui->listWidget;
    liste->blockSignals(true);
    liste->clear();
    liste->addItems(ablauf->protokoll());
    liste->setCurrentRow(liste->count() - 1);
    liste->blockSignals(false);
}

void MainWindow::zeigeStellung()
{
    if (geschlagenIndex >= 0) {
        figuren[geschlagenIndex]->hide();
        geschlagenIndex = -1;
    }
    weissUnten = ansichtWeissUnten();
    zeichneKoordinaten();
    zeichneFelder();
    zeichneFiguren(ablauf->imSchach());
    zeichneFriedhof();
    setzeMarken(ablauf->marken().first, ablauf->marken().second);
    zeigeMarken();
}

void MainWindow::zeigeZug(const Zug &zug, int32_t figur)
{
    if (geschlagenIndex >= 0) {
        figuren[geschlagenIndex]->hide();
        geschlagenIndex = -1;
    }
    zeichneFelder();
    if (ablauf->imSchach())
        markiereSchach();
    setzeMarken(zug.von, zug.nach);
    animiereZug(zug, figur);
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
    zeichneFiguren(false);
    zeigeMarken();
    zeichneFriedhof();
    ablauf->animationFertig();
}

void MainWindow::hebeAuswahlAuf()
{
    ausgewaehltesFeld = 0;
    entferneMarkierungen();
}

void MainWindow::fuegeListenzeileHinzu(const QString &zeile)
{
    QListWidget *liste = ui->listWidget;
    liste->blockSignals(true);
    liste->addItem(zeile);
    liste->setCurrentRow(liste->count() - 1);
    liste->scrollToBottom();
    liste->blockSignals(false);
}

void MainWindow::waehleListenzeile(int zeile)
{
    QListWidget *liste = ui->listWidget;
    liste->blockSignals(true);
    liste->setCurrentRow(zeile);
    if (liste->currentItem())
        liste->scrollToItem(liste->currentItem());
    liste->blockSignals(false);
}

void MainWindow::setzeVorKnopf(bool zugVor)
{
    ui->tbt_Vor->setIcon(QIcon(zugVor ? QStringLiteral(":/Icons/RechterPfeil")
                                      : QStringLiteral(":/Icons/Vorschlag")));
    ui->tbt_Vor->setToolTip(zugVor ? text(207, "Zug vor") : text(203, "Vorschlag"));
}

// With unsaved moves the button saves; otherwise it loads, when there is a collection to load
// from.
void MainWindow::setzeSichernKnopf(bool speichern)
{
    ui->tbt_SichernLaden->setIcon(
        QIcon(speichern ? QStringLiteral(":/Icons/Speichern") : QStringLiteral(":/Icons/Laden")));
    ui->tbt_SichernLaden->setToolTip(speichern ? text(202, "Partie speichern")
                                               : text(201, "Partie laden"));
    const bool sammlung = QFileInfo::exists(appVerzeichnis + QLatin1String("Brakmor.pgn"));
    ui->tbt_SichernLaden->setEnabled(speichern || sammlung);
    ui->actionPartie_speichern->setEnabled(speichern);
    ui->actionPartie_laden->setEnabled(sammlung);
}

void MainWindow::setzeUhrStil(bool schwarz)
{
    ui->lblZeitWeiss->setStyleSheet(QLatin1String(schwarz ? ruhigStil : weissStil));
    ui->lblZeitSchwarz->setStyleSheet(QLatin1String(schwarz ? schwarzStil : ruhigStil));
}

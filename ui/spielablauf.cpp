#include "ui/mainwindow.h"

#include "app/einstellungen.h"
#include "app/languages.h"
#include "app/rueckfragen.h"
#include "core/felder.h"
#include "core/fen.h"
#include "engine/abbrechen.h"
#include "game/controller.h"
#include "game/history.h"
#include "ui/brettitems.h"
#include "ui/wandlungdialog.h"
#include "ui_mainwindow.h"

#include <QDateTime>
#include <QFileInfo>
#include <QTimer>

#include <cstdlib>

namespace {

const char weissStil[] = "background-color: white; color: green";
const char schwarzStil[] = "background-color: black; color: white";
const char ruhigStil[] = "background-color: transparent; color: black";

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

// The welcome lines and either the start of a new game or the information of a loaded one.
void MainWindow::fuelleSpielbeginn(bool mitFen)
{
    QListWidget *liste = ui->listWidget;
    liste->blockSignals(true);
    liste->clear();
    const QString willkommen = text(355, "Willkommen zu Brakmor");
    QStringList zeilen = {willkommen, text(9400, "Version") + QLatin1String(" 1.26")};
    const QStringList info = std::exchange(geladeneInfo, QStringList());
    if (info.isEmpty()) {
        zeilen << text(369, "Spielstart:") + QLatin1Char(' ') +
                      QDateTime::currentDateTime().toString(QStringLiteral("dd.MM.yyyy hh:mm"))
               << text(384, "Schwierigkeit:") + QLatin1Char(' ') +
                      schwierigkeitsName(einstellungen.schwierigkeit)
               << (mitFen ? text(387, "FEN Startbrett geladen")
                          : text(385, "Sie haben weiß und fangen an."));
    } else {
        zeilen << QString() << text(313, "Partie geladen") << info;
    }
    zeilen << QString();
    liste->addItems(zeilen);
    liste->setCurrentRow(liste->count() - 1);
    liste->blockSignals(false);
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
    if (controller->historyIndexForRow(zeile) == currentIndex || beschaeftigt(5))
        return;
    currentIndex = controller->historyIndexForRow(zeile);
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

    zeigeUebergabe();
    if (spielEnde)
        ui->tbt_Vor->setEnabled(false);
    listenAuswahlAktiv = true;
}

// Whoever steps to a position plays the side to move there.
void MainWindow::zeigeUebergabe()
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

// The suggestion as the move list names it: piece, origin, "-" or "x", target.
QString MainWindow::zugNotation(const Zug &zug) const
{
    const bool schlaegt = brettKopie[zug.nach] != LEER;
    return controller->figurName(brettKopie[zug.von]) + QLatin1Char(' ') + feldName(zug.von) +
           QLatin1Char(schlaegt ? 'x' : '-') + feldName(zug.nach);
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

// A notice in the message line, also written into the move list unless the game is in review.
void MainWindow::zeigeMeldung(const QString &meldung, bool auchInListe)
{
    ui->tEdit_Meldezeile->setText(meldung);
    if (auchInListe && currentIndex == lastIndex)
        fuegeListenzeileHinzu(meldung);
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

#include "ui/mainwindow.h"

#include "core/fen.h"
#include "game/controller.h"
#include "game/history.h"
#include "game/wiedergabe.h"
#include "pgn/pgn.h"
#include "ui_mainwindow.h"

namespace {

QString infoZeile(const QString &beschriftung, const QString &wert)
{
    return beschriftung.leftJustified(12) + QLatin1String(": ") + wert;
}

QString zahlOderLeer(int zahl)
{
    return zahl > 0 ? QString::number(zahl) : QString();
}

} // namespace

void MainWindow::ButtonSichernLadenClick()
{
    if (beschaeftigt(6))
        return;
    if (ungespeichert)
        speichereOderLade();
    else
        ladePartie(3);
}

// Ctrl+O too does nothing while the entry is disabled, that is without a game collection.
void MainWindow::on_actionPartie_laden_triggered()
{
    if (!ui->actionPartie_laden->isEnabled() || beschaeftigt(8))
        return;
    ladePartie(3);
}

void MainWindow::on_actionPartie_speichern_triggered()
{
    if (!ungespeichert || beschaeftigt(9))
        return;
    speichereOderLade();
}

// The save dialog may hand over to the load dialog instead.
void MainWindow::speichereOderLade()
{
    QString meldung;
    switch (controller->partieSpeichern(meldung)) {
    case 1:
        ungespeichert = false;
        setzeSichernKnopf(false);
        ui->tEdit_Meldezeile->setText(meldung);
        break;
    case 5:
        if (ladePartie(3))
            ungespeichert = false;
        break;
    default:
        if (!meldung.isEmpty())
            ui->tEdit_Meldezeile->setText(meldung);
        break;
    }
}

// The tags of the loaded game that carry something, one line each.
QStringList MainWindow::partieInfo() const
{
    const Pgn &kopf = controller->geladenePartie();
    const int zuege = (controller->geladeneZuege().size() + 1) / 2;
    const QPair<QString, QString> zeilen[] = {
        {text(319, " Ereignis"), kopf.event},
        {text(320, " Spielort"), kopf.site},
        {QStringLiteral("Eco"), kopf.eco},
        {text(317, "Zahl Züge"), zahlOderLeer(zuege)},
        {text(326, "Ergebnis"), kopf.ergebnis},
        {text(321, " Runde"), zahlOderLeer(kopf.runde)},
        {text(322, "Name Weiß"), kopf.weiss},
        {text(324, "ELO Weiß"), zahlOderLeer(kopf.weissElo)},
        {text(323, "Name Schwarz"), kopf.schwarz},
        {text(325, "ELO Schwarz"), zahlOderLeer(kopf.schwarzElo)},
        {text(316, "Datum Partie"), kopf.datum.toString(QStringLiteral("dd.MM.yyyy"))},
    };
    QStringList info;
    for (const auto &zeile : zeilen) {
        if (!zeile.second.trimmed().isEmpty())
            info << infoZeile(zeile.first, zeile.second);
    }
    return info;
}

// Mode 1 restores the auto-saved game at its end; modes 2 (the file named on the command line)
// and 3 (the user's choice) show a loaded game from its start. The moves are replayed by the
// same function as brakmor-cli's, so both end on the same position.
bool MainWindow::ladePartie(int modus)
{
    QString meldung;
    const bool ok = modus == 1 ? controller->autoLaden()
                               : controller->partieLaden(modus, ungespeichert && !geladen, meldung);
    if (!meldung.isEmpty())
        ui->tEdit_Meldezeile->setText(meldung);
    if (!ok || controller->geladeneZuege().isEmpty())
        return false;

    const Pgn kopf = controller->geladenePartie();
    controller->setzePartieTitel(kopf.weiss + QLatin1String(" - ") + kopf.schwarz);
    setWindowTitle(controller->titel(true));
    geladeneInfo = partieInfo();
    const QString fen = kopf.fen.trimmed();
    if (fen.isEmpty() || controller->stellungAusFen(fen) != 0) {
        controller->stellungAusFen(QString::fromLatin1(startFen));
        controller->setzeEigeneStartFen(QString());
    } else {
        controller->setzeEigeneStartFen(fen);
    }
    const QString programm = QStringLiteral("Brakmor");
    weissUnten = true;
    if (kopf.weiss.contains(programm) || kopf.schwarz.contains(programm))
        weissUnten = kopf.schwarz.contains(programm);
    initNeuesSpiel(true);

    const int startZeile = ui->listWidget->count() - 1;
    const Wiedergabe wiedergabe =
        spieleGeladenePartie(*controller, startZeile, [this](const QString &zugText) {
            fuegeListenzeileHinzu(zugText);
            return ui->listWidget->count();
        });
    if (modus != 1) {
        currentIndex = 0;
        ui->listWidget->scrollToTop();
    }
    zeigeHistoryStellung(true);
    // Shown after the position, whose move text would cover it.
    if (!wiedergabe.meldung.isEmpty())
        meldung = wiedergabe.meldung;
    else if (modus == 1)
        meldung = text(368, "Starte neue Partie mit F2!");
    ui->tEdit_Meldezeile->setText(meldung);
    ui->listWidget->setFocus();
    return true;
}

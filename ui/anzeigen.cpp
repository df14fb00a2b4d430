#include "ui/mainwindow.h"

#include "app/einstellungen.h"
#include "app/programm.h"
#include "core/felder.h"
#include "game/controller.h"
#include "game/history.h"
#include "ui_mainwindow.h"

#include <QDateTime>
#include <QFileInfo>

namespace {

const char weissStil[] = "background-color: white; color: green";
const char schwarzStil[] = "background-color: black; color: white";
const char ruhigStil[] = "background-color: transparent; color: black";

} // namespace

// The welcome lines and either the start of a new game or the information of a loaded one.
void MainWindow::fuelleSpielbeginn(bool mitFen)
{
    QListWidget *liste = ui->listWidget;
    liste->blockSignals(true);
    liste->clear();
    const QString willkommen = text(355, "Willkommen zu Brakmor");
    QStringList zeilen = {willkommen, text(9400, "Version") + QLatin1Char(' ') +
                                          QLatin1String(PROGRAMM_VERSION)};
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

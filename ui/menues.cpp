#include "ui/mainwindow.h"

#include "app/einstellungen.h"
#include "app/konfigurationsdialog.h"
#include "app/rueckfragen.h"
#include "core/fen.h"
#include "game/controller.h"
#include "game/fenpruefung.h"
#include "game/history.h"
#include "game/spielablauf.h"
#include "pgn/pgndatei.h"
#include "ui/infodialog.h"
#include "ui_mainwindow.h"

#include <QActionGroup>
#include <QClipboard>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QStandardPaths>

void MainWindow::on_actionSehrEinfach_triggered()
{
    setzeSchwierigkeit(1);
}

void MainWindow::on_actionEinfach_triggered()
{
    setzeSchwierigkeit(2);
}

void MainWindow::on_actionMittel_triggered()
{
    setzeSchwierigkeit(3);
}

void MainWindow::on_actionSchwer_triggered()
{
    setzeSchwierigkeit(4);
}

void MainWindow::on_actionSehrSchwer_triggered()
{
    setzeSchwierigkeit(5);
}

void MainWindow::setzeSchwierigkeit(int stufe)
{
    menueStufenGruppe->actions().at(stufe - 1)->setChecked(true);
    const QList<QAction *> menueStufen = stufenGruppe->actions();
    for (int i = 0; i < menueStufen.size(); ++i)
        menueStufen[i]->setChecked(i == stufe - 1);
    ablauf->setzeSchwierigkeit(stufe);
}

// The text is checked before anything else happens; the flow asks about the running game and
// waits, if need be, for the engine and the animation.
void MainWindow::on_actionFen_Import_aus_Zwischenablage_triggered()
{
    const QString inhalt = QGuiApplication::clipboard()->text().trimmed();
    fenStellung probe;
    bool schwarz = false;
    QString grund;
    const int ergebnis = pruefeFen(inhalt, probe, schwarz, grund);
    if (ergebnis != 0) {
        if (ergebnis == -1)
            grund = text(628, "In der Zwischenablage befindet sich kein FEN-String.");
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Brakmor"),
                        grund + QLatin1String("\n\r\n\r") + inhalt.left(100), QMessageBox::Ok,
                        this);
        const Spielablauf::Dialog offen(*ablauf);
        box.exec();
        return;
    }
    ablauf->importiereFen(inhalt);
}

void MainWindow::on_actionFen_Export_in_Zwischenablage_triggered()
{
    const QString fen = controller->aktuelleFen(ablauf->amZug());
    QGuiApplication::clipboard()->setText(fen);
    const QString zeilen =
        text(620, "Die Figurenstellung auf dem Brett wurde als FEN Zeichenfolge") +
        QLatin1String("\n\r") +
        text(621, "in die Zwischenablage kopiert. FEN bedeutet: Forsyth-Edwards-") +
        QLatin1String("\n\r") +
        text(622, "Notation. Damit ist es möglich, Stellungen zu dokumentieren") +
        QLatin1String("\n\r") + text(623, "oder mit anderen Schachprogrammen auszutauschen.") +
        QLatin1String("\n\r\n\r") + fen;
    QMessageBox box(QMessageBox::Information, QStringLiteral("Brakmor"), zeilen, QMessageBox::Ok,
                    this);
    const Spielablauf::Dialog offen(*ablauf);
    box.exec();
}

void MainWindow::on_actionProtokoll_in_Zwischenablage_triggered()
{
    QString protokoll;
    for (int i = 0; i < ui->listWidget->count(); ++i)
        protokoll += ui->listWidget->item(i)->text() + QLatin1Char('\n');
    QGuiApplication::clipboard()->setText(protokoll);
}

void MainWindow::ButtonInfoClick()
{
    InfoDialog dialog(this, bauStempel());
    const Spielablauf::Dialog offen(*ablauf);
    dialog.exec();
}

// The new settings show at once: texts and fonts, the board design and the last-move marks.
void MainWindow::on_actionKonfiguration_triggered()
{
    KonfigurationsDialog dialog(this);
    const Spielablauf::Dialog offen(*ablauf);
    if (dialog.exec() == 1) {
        setzeTexte();
        ablauf->spracheGewechselt();
    }
}

// Ctrl+O too does nothing while the entry is disabled, that is without a game collection.
void MainWindow::on_actionPartie_laden_triggered()
{
    if (ui->actionPartie_laden->isEnabled())
        ablauf->ladeBefehl();
}

void MainWindow::on_actionPartie_speichern_triggered()
{
    ablauf->speichereBefehl();
}

void MainWindow::on_action_Beenden_triggered()
{
    close();
}

void MainWindow::on_actionAufgeben_triggered()
{
    ablauf->aufgeben();
}

// The user's view of the board only: the game's sides stay as they are.
void MainWindow::on_actionBrett_drehen_triggered()
{
    einstellungen.brettGedreht = !einstellungen.brettGedreht;
    speichereEinstellungen();
    ui->actionBrett_drehen->setChecked(einstellungen.brettGedreht);
    dreheAnsicht();
}

// The whole game as PGN in a file of the user's choice, beside the collection. The file is
// replaced in one step, so a failure leaves a file of that name as it was; the error box says why.
void MainWindow::on_actionPartie_exportieren_triggered()
{
    if (!ui->actionPartie_exportieren->isEnabled())
        return;
    QString pfad;
    {
        const Spielablauf::Dialog offen(*ablauf);
        pfad = exportZiel ? exportZiel() : waehleExportDatei();
        if (pfad.isEmpty())
            return;
        if (!pfad.endsWith(QLatin1String(".pgn"), Qt::CaseInsensitive)) {
            pfad += QLatin1String(".pgn");
            if (QFileInfo::exists(pfad) &&
                !rueckfragen().frage(QStringLiteral("Brakmor"),
                                     text(673, "Die Datei gibt es schon. Möchten Sie sie "
                                               "ersetzen?") +
                                         QLatin1Char('\n') + QDir::toNativeSeparators(pfad)))
                return;
        }
    }
    const QString pgn = controller->pgn().erzeugeText(controller->verlauf()->entries());
    QString grund;
    const Schreibfehler fehler = ersetzeDatei(pfad, pgn.toUtf8(), grund);
    if (fehler != Schreibfehler::Keiner) {
        ablauf->zeigeMeldung(text(302, "Partie wurde nicht exportiert!"), false);
        const Spielablauf::Dialog offen(*ablauf);
        controller->fehlerMeldung(QDir::toNativeSeparators(pfad) +
                                  QLatin1String(fehler == Schreibfehler::Oeffnen
                                                    ? " Error open (WriteOnly)\n"
                                                    : " Error write (WriteOnly)\n") +
                                  grund);
        return;
    }
    ablauf->zeigeMeldung(
        text(301, "Partie exportiert:") + QLatin1Char(' ') + QDir::toNativeSeparators(pfad), false);
}

// Offered in the documents folder under the day's date; the dialog adds ".pgn" to a bare name.
QString MainWindow::waehleExportDatei()
{
    QString ordner = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (ordner.isEmpty() || !QFileInfo(ordner).isDir())
        ordner = QDir::homePath();
    const QString vorschlag = ordner + QLatin1String("/Brakmor-") +
                              QDate::currentDate().toString(Qt::ISODate) + QLatin1String(".pgn");
    QFileDialog dialog(this, text(132, "Partie als PGN-Datei exportieren"), vorschlag,
                       QStringLiteral("PGN (*.pgn)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pgn"));
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

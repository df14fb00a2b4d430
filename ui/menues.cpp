#include "ui/mainwindow.h"

#include "app/einstellungen.h"
#include "app/konfigurationsdialog.h"
#include "core/fen.h"
#include "game/controller.h"
#include "game/fenpruefung.h"
#include "game/spielablauf.h"
#include "ui/infodialog.h"
#include "ui_mainwindow.h"

#include <QActionGroup>
#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>

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

#include "ui/mainwindow.h"

#include "app/rueckfragen.h"
#include "core/positionsblock.h"
#include "engine/abbrechen.h"
#include "engine/berechnezug.h"
#include "engine/jobkontext.h"
#include "engine/jobtext.h"
#include "game/controller.h"
#include "game/history.h"
#include "game/spielzustand.h"
#include "ui_mainwindow.h"

#include <QDebug>
#include <QTimer>
#include <QtConcurrent>

#include <algorithm>

void MainWindow::onTimerZugberechnung()
{
    if (spielEnde || !computerAmZug() || currentIndex < lastIndex)
        return;
    if (engineLaeuft) {
        abbrechen = true;
        wartenderBefehl = 7;
        return;
    }
    starteZugberechnung();
}

void MainWindow::starteZugberechnung()
{
    vorschlag = Zug{};
    vorschlagAngezeigt = false;
    ui->tbt_Vor->setEnabled(false);
    ausgewaehltesFeld = 0;
    entferneMarkierungen();
    ui->tEdit_Statuszeile1->clear();
    ui->tEdit_Statuszeile2->clear();
    starteJob(false);
}

void MainWindow::starteVorschlag()
{
    if (engineLaeuft || spielEnde)
        return;
    starteJob(true);
}

// The position travels as bytes and the settings and game tables as a copy taken here, so the
// job shares nothing with the game that goes on meanwhile.
void MainWindow::starteJob(bool istVorschlag)
{
    engineLaeuft = true;
    Positionsblock block;
    std::copy(std::begin(brettKopie), std::end(brettKopie), block.brett);
    block.letzterZug = controller->letzterZug();
    block.rochaderechte = Rochaderechte::ausWort(controller->rochaderechte());
    const QByteArray daten = schreibePositionsblock(block);

    jobWatcher = new QFutureWatcher<QString>(this);
    connect(jobWatcher, &QFutureWatcher<QString>::finished, this,
            istVorschlag ? &MainWindow::onBerechneVorschlagZugFertig
                         : &MainWindow::onBerechneBKZugFertig);
    jobWatcher->setFuture(
        QtConcurrent::run(berechneZug, bool(amZug), istVorschlag, daten, erfasseJobKontext()));
}

QString MainWindow::holeJobErgebnis()
{
    const QString ergebnis = jobWatcher->result();
    jobWatcher->deleteLater();
    jobWatcher = nullptr;
    engineLaeuft = false;
    return ergebnis;
}

// Before the window's members go: the job is asked to stop and waited for; its result is
// dropped.
void MainWindow::beendeJob()
{
    uhrTimer->stop();
    zugTimer->stop();
    if (!jobWatcher)
        return;
    jobWatcher->disconnect(this);
    abbrechen = true;
    jobWatcher->waitForFinished();
    delete jobWatcher;
    jobWatcher = nullptr;
    abbrechen = false;
    engineLaeuft = false;
}

void MainWindow::onBerechneBKZugFertig()
{
    const QString ergebnis = holeJobErgebnis();
    spieleComputerzug(ergebnis, abbrechen.exchange(false));
}

// The computer's move from the job's result: the opening table, the resignation question, the
// runner-up against a threatening draw, then the move like any other.
void MainWindow::spieleComputerzug(const QString &ergebnis, bool abgebrochen)
{
    const JobFelder felder = zerlegeJobText(ergebnis);
    const int vorteil = spielerWeiss == 1 ? -materialBilanz : materialBilanz;

    Zug zug = felder.zug;
    zug.flags = amZug ? ZUG_SCHWARZ : 0;
    if (currentIndex == 0 && amZug == 0 && !ausFen) {
        zug.von = eroeffnungen[eroeffnungsIndex].first;
        zug.nach = eroeffnungen[eroeffnungsIndex].second;
        eroeffnungsIndex = (eroeffnungsIndex + 1) % eroeffnungen.size();
    }

    ui->tEdit_Statuszeile1->setText(felder.phase + QLatin1Char(' ') +
                                    (abgebrochen ? text(521, "Abbruch") : felder.suchInfo));
    ui->tEdit_Statuszeile2->setText(felder.zeit.size() <= 5 ? felder.zeit + QLatin1String("ms")
                                                            : felder.zeit);

    const int frueherZeile = ui->listWidget->currentRow();
    if (wartenderBefehl == 5)
        waehleListenzeile(ui->listWidget->count() - 1);

    if (!aufgabeGefragt && (zug.wert < -1330 || zug.wert + vorteil < -930)) {
        aufgabeGefragt = true;
        const QString frage = text(670, "Ich gebe auf!") + QLatin1Char('\n') +
                              text(671, "Möchten Sie trotzdem weiter spielen?");
        if (!rueckfragen().frage(QStringLiteral("Brakmor"), frage))
            zug.flags |= ZUG_AUFGEGEBEN;
    }
    if (felder.zweiter.von != 0 && remisDroht)
        qDebug("Remis");
    if (zweiterGegenRemis(felder, vorteil, remisDroht)) {
        zug.von = felder.zweiter.von;
        zug.nach = felder.zweiter.nach;
        zug.wert = felder.zweiter.wert;
    }

    if (zieheZug(zug.von, zug.nach, zug.wert, zug.flags, DAME) && !spielEnde && !computerAmZug()) {
        controller->legaleZuegeErmitteln(amZug);
        if (!abgebrochen)
            starteVorschlag();
    }
    if (wartenderBefehl == 5)
        waehleListenzeile(frueherZeile);
    if (!animationLaeuft && !engineLaeuft)
        fuehreWartendenBefehlAus();
}

void MainWindow::onBerechneVorschlagZugFertig()
{
    const JobFelder felder = zerlegeJobText(holeJobErgebnis());
    if (!abbrechen) {
        vorschlag = felder.zug;
        vorschlag.flags = amZug ? ZUG_SCHWARZ : 0;
        ui->tbt_Vor->setEnabled(vorschlag.von != 0);
    }
    abbrechen = false;
    if (!animationLaeuft)
        fuehreWartendenBefehlAus();
}

#include "ui/fensterrueckfragen.h"

#include "pgn/pgnladendialog.h"
#include "pgn/pgnspeicherndialog.h"

#include <QMessageBox>

FensterRueckfragen::FensterRueckfragen(QWidget *fenster)
    : fenster(fenster)
{}

void FensterRueckfragen::kritisch(const QString &titel, const QString &text)
{
    QMessageBox box(QMessageBox::Critical, titel, text, QMessageBox::Ok, fenster);
    box.exec();
}

bool FensterRueckfragen::frage(const QString &titel, const QString &text)
{
    QMessageBox box(QMessageBox::Question, titel, text, QMessageBox::Yes | QMessageBox::No,
                    fenster);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

int FensterRueckfragen::speichernDialog(Pgn &kopie)
{
    PgnSpeichernDialog dialog(&kopie, fenster);
    return dialog.exec();
}

int FensterRueckfragen::ladenDialog(const QString &dateiname, const QList<Pgn> &partien,
                                    Pgn &auswahl, QList<Bereich> &bereiche)
{
    PgnLadenDialog dialog(dateiname, partien, fenster);
    const int ergebnis = dialog.exec();
    if (ergebnis == Laden)
        auswahl = dialog.ausgewaehltePartie();
    bereiche = dialog.loeschBereiche();
    return ergebnis;
}

#include "ui/fensterrueckfragen.h"

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

#pragma once

#include "app/rueckfragen.h"

#include <QPointer>
#include <QWidget>

// The window's side of the seam: notices and questions as message boxes, the save and load
// dialogs, all over the given window.
class FensterRueckfragen : public Rueckfragen
{
public:
    explicit FensterRueckfragen(QWidget *fenster = nullptr);

    void kritisch(const QString &titel, const QString &text) override;
    bool frage(const QString &titel, const QString &text) override;
    int speichernDialog(Pgn &kopie) override;
    int ladenDialog(const QString &dateiname, const QList<Pgn> &partien, Pgn &auswahl,
                    QList<Bereich> &bereiche) override;

private:
    // The boxes still open centred on the screen once the window has gone.
    QPointer<QWidget> fenster;
};

#pragma once

#include "app/rueckfragen.h"

#include <QPointer>
#include <QWidget>

// The window's side of the seam: notices and questions as message boxes over the given window.
class FensterRueckfragen : public Rueckfragen
{
public:
    explicit FensterRueckfragen(QWidget *fenster = nullptr);

    void kritisch(const QString &titel, const QString &text) override;
    bool frage(const QString &titel, const QString &text) override;

private:
    // The boxes still open centred on the screen once the window has gone.
    QPointer<QWidget> fenster;
};

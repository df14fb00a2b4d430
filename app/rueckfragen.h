#pragma once

#include <QString>

// The few places where game logic has to ask or tell the user go through this seam, so the same
// code runs in the window (message boxes) and headless in brakmor-cli and the tests.
class Rueckfragen
{
public:
    virtual ~Rueckfragen() = default;

    // A modal error notice with the critical icon.
    virtual void kritisch(const QString &titel, const QString &text) = 0;
    // A Yes/No question whose default answer is No; true means Yes.
    virtual bool frage(const QString &titel, const QString &text) = 0;
};

// The installed implementation; without one, notices go to stderr and questions get their
// default answer.
Rueckfragen &rueckfragen();
// Installs an implementation (not owned); nullptr restores the headless one.
void setzeRueckfragen(Rueckfragen *implementierung);

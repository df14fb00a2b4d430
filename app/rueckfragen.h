#pragma once

#include <QList>
#include <QString>

class Pgn;
struct Bereich;

// What the save dialog ends with, in the numbers the dialog has always returned.
enum SpeichernErgebnis { SpeichernAbgebrochen = 0, Gespeichert = 1, LadenStattSpeichern = 5 };
// What the load dialog ends with.
enum LadenErgebnis { LadenAbgebrochen = 0, Laden = 1, Loeschen = 100, NeuLesen = 101 };

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

    // The save dialog on a copy of the game's tags (on Gespeichert the copy holds the edits).
    // Headless it cancels.
    virtual int speichernDialog(Pgn &kopie);
    // The load dialog on the games of a file: Laden loads `auswahl`, Loeschen deletes the games of
    // `bereiche`, NeuLesen reads the file or its source again. Headless it cancels.
    virtual int ladenDialog(const QString &dateiname, const QList<Pgn> &partien, Pgn &auswahl,
                            QList<Bereich> &bereiche);
};

// The installed implementation; without one, notices go to stderr and questions get their
// default answer.
Rueckfragen &rueckfragen();
// Installs an implementation (not owned); nullptr restores the headless one.
void setzeRueckfragen(Rueckfragen *implementierung);

#pragma once

#include "core/zug.h"
#include "engine/jobkontext.h"

#include <QByteArray>
#include <QString>

// What one engine job found, for callers that need more than the result text.
struct JobErgebnis
{
    // "von|nach|wert|von|nach|wert|search info|ms|phase" of the chosen move and the runner-up.
    QString text;
    Zug zug{}; // the chosen move with its flags; von 0 when there is none
    int tiefe = 0;
    qint64 ms = 0;
    quint64 sucheAufrufe = 0;
    Suchstand stand; // the last search pass that ran to its end
};

// The engine job: searches the position of `daten` (a Positionsblock) for the side to move,
// evaluates the best candidates and chooses the computer's move or a suggestion for the human.
// Runs on a worker thread; reads nothing but its arguments and the stop flag the context names.
JobErgebnis fuehreJobAus(bool schwarzAmZug, bool istVorschlag, const QByteArray &daten,
                         const JobKontext &kontext);

// The job as the window starts it with QtConcurrent::run; returns the result text.
QString berechneZug(bool schwarzAmZug, bool istVorschlag, QByteArray daten, JobKontext kontext);

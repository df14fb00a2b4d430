#pragma once

#include "engine/jobkontext.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <memory>

class Controller;

// One engine job as the game flow hands it out: the position as bytes, a copy of everything the
// engine reads, its own stop flag, and the game and position it is computed for, so that a result
// that arrives after the game has moved on can be recognised and dropped.
struct JobAuftrag
{
    quint64 partie = 0; // number of the game
    int index = 0;      // history entry of the position
    QString fen;        // that entry's FEN
    bool schwarzAmZug = false;
    bool istVorschlag = false;
    QByteArray daten; // the position block
    JobKontext kontext;
    std::shared_ptr<std::atomic<bool>> abbruch = std::make_shared<std::atomic<bool>>(false);
};

// The job for the position at the end of the controller's game, with a snapshot of the settings
// and the game tables taken now, on the calling thread.
JobAuftrag erstelleAuftrag(const Controller &controller, bool istVorschlag);

#pragma once

#include <QString>

#include <functional>

class Controller;

// How far a loaded game was replayed: the half-moves executed and, when a move was refused or
// the start position unreadable, the message that says so.
struct Wiedergabe
{
    int halbzuege = 0;
    QString meldung;
};

// Starts the controller's loaded game from the FEN of its tags (or the standard position) and
// executes its loaded moves one by one, Black's with Black's flag, as the load command does.
// `startZeile` is the list row of the start entry; `zugAngezeigt` receives the text of each
// executed move and returns the list row of the next one.
Wiedergabe spieleGeladenePartie(Controller &controller, int startZeile,
                                const std::function<int(const QString &zugText)> &zugAngezeigt);

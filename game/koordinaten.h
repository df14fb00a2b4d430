#pragma once

#include "core/zug.h"

#include <QString>

class Controller;

// Moves written in coordinates ("e2e4", "e7e8n"), as brakmor-cli and chess GUIs write them.

bool istKoordinatenZug(const QString &text);

// The move a coordinate text names for the side to move in the controller's position, with the
// promotion flag when a pawn reaches the last rank, and the piece it becomes (a queen unless the
// text names another).
Zug zugAusKoordinaten(const Controller &controller, const QString &text, int32_t &figur);

// A move of the engine in coordinates; the engine always promotes to a queen.
QString koordinatenText(const Zug &zug);

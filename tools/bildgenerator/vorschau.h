#pragma once

#include <QString>

// Pictures for checking the generated images by eye, never shipped: a contact sheet of all of
// them and sample boards with 70 and 250 pixels per square, drawn from the PNG files in
// ressourcen the way the board scene draws them.
bool schreibeVorschau(const QString &ressourcen, const QString &ziel);

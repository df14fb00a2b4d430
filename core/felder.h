#pragma once

#include <QChar>
#include <QString>

#include <cstdint>

// Square names ("E2") and piece letters, as the move list, FEN and PGN spell them.
QString feldName(int feld);
bool feldAusName(const QString &name, int &feld);
int32_t figurAusBuchstabe(QChar buchstabe);
// A move in coordinate notation ("e2e4", "e7e8q"); the piece letter only for a promotion.
QString koordinatenZug(int von, int nach, int32_t wandlungsFigur = 0);

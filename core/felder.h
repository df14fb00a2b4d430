#pragma once

#include <QChar>
#include <QString>

#include <cstdint>

// Square names ("E2") and piece letters, as the move list, FEN and PGN spell them.
QString feldName(int feld);
bool feldAusName(const QString &name, int &feld);
int32_t figurAusBuchstabe(QChar buchstabe);

#pragma once

#include <QImage>

// The application icon: a white knight in front of a wooden board corner. Drawn for each size
// on its own so the small ones stay sharp.
QImage anwendungssymbol(int groesse);

// The sizes installed into the desktop's hicolor icon theme.
constexpr int anwendungssymbolGroessen[] = {16, 22, 24, 32, 48, 64, 128, 256};

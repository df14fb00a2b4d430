#pragma once

#include <QImage>

// The application icon: a white knight in front of a wooden board corner. Drawn for each size
// on its own so the small ones stay sharp.
QImage anwendungssymbol(int groesse);

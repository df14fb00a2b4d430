#pragma once

#include <QImage>

// The picture at the top of the first-start and info dialogs: pieces and the name "Brakmor".
QImage kopfbild(int breite);

#pragma once

#include <QIcon>

// Registers the compiled-in images (pieces, wood, header picture, icons, flags). Every widget that
// shows one calls it first; calls after the first do nothing.
void registriereBilder();

// The application icon in every size drawn for it, for the windows and the task bar.
QIcon programmIcon();

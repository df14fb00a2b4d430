#pragma once

// Registers the compiled-in images (pieces, wood, header picture, icons, flags). Every widget that
// shows one calls it first; calls after the first do nothing.
void registriereBilder();

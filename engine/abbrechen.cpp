#include "engine/abbrechen.h"

std::atomic<bool> abbrechen{false};

#pragma once

#include <atomic>

// Set by the GUI thread to stop a running engine job; the search reads it after every root move.
extern std::atomic<bool> abbrechen;

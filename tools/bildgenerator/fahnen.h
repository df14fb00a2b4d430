#pragma once

#include "zeichnen.h"

// The three language flags, each in its own proportions, hoehe pixels high.
QVector<BenanntesBild> fahnen(int hoehe);

#pragma once

#include "zeichnen.h"

// The tool-button and dialog icons, flat and bold enough to read at 40 px.
QVector<BenanntesBild> symbole(int groesse);

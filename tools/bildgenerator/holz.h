#pragma once

#include <QImage>

// Seamless wood tiles for the light and dark squares: growth rings bent by low noise, fibres
// along the grain and slow changes of tone, all periodic over the tile so a brush can repeat it.

enum class Holzart { Hell, Dunkel };

// A square palette image of the given size (a power of two keeps every noise period whole).
QImage holzBild(Holzart art, int groesse);

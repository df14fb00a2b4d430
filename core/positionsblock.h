#pragma once

#include "core/rochaderechte.h"
#include "core/zug.h"

#include <QByteArray>

// The position as it travels to the engine thread: a byte copy, so the job shares no game data.
struct Positionsblock
{
    int32_t brett[BRETT_ZELLEN];
    Zug letzterZug;
    Rochaderechte rochaderechte;
};

constexpr int POSITIONSBLOCK_GROESSE = 508;
static_assert(sizeof(Positionsblock) == POSITIONSBLOCK_GROESSE, "the job block has no padding");

QByteArray schreibePositionsblock(const Positionsblock &block);
// Refuses (returns false, leaves the block untouched) unless the bytes are exactly one block.
bool lesePositionsblock(const QByteArray &daten, Positionsblock &block);

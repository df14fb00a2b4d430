#include "core/positionsblock.h"

#include <QDataStream>

QByteArray schreibePositionsblock(const Positionsblock &block)
{
    QByteArray daten;
    QDataStream strom(&daten, QIODevice::WriteOnly);
    strom.writeRawData(reinterpret_cast<const char *>(block.brett), sizeof block.brett);
    strom.writeRawData(reinterpret_cast<const char *>(&block.letzterZug), sizeof block.letzterZug);
    strom.writeRawData(reinterpret_cast<const char *>(&block.rochaderechte),
                       sizeof block.rochaderechte);
    return daten;
}

bool lesePositionsblock(const QByteArray &daten, Positionsblock &block)
{
    if (daten.size() != POSITIONSBLOCK_GROESSE)
        return false;
    Positionsblock gelesen;
    QDataStream strom(daten);
    strom.readRawData(reinterpret_cast<char *>(gelesen.brett), sizeof gelesen.brett);
    strom.readRawData(reinterpret_cast<char *>(&gelesen.letzterZug), sizeof gelesen.letzterZug);
    strom.readRawData(reinterpret_cast<char *>(&gelesen.rochaderechte),
                      sizeof gelesen.rochaderechte);
    if (strom.status() != QDataStream::Ok)
        return false;
    block = gelesen;
    return true;
}

#include "engine/jobtext.h"

#include <QStringList>

JobFelder zerlegeJobText(const QString &text)
{
    const QStringList f = text.split(QLatin1Char('|'));
    JobFelder felder;
    felder.zug = {f.value(0).toInt(), f.value(1).toInt(), f.value(2).toInt(), 0};
    felder.zweiter = {f.value(3).toInt(), f.value(4).toInt(), f.value(5).toInt(), 0};
    felder.suchInfo = f.value(6);
    felder.zeit = f.value(7);
    felder.phase = f.value(8);
    return felder;
}

bool zweiterGegenRemis(const JobFelder &felder, int vorteil, bool remisDroht)
{
    return felder.zweiter.von != 0 && remisDroht && felder.zweiter.wert + vorteil > -130;
}

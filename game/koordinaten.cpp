#include "game/koordinaten.h"

#include "core/felder.h"
#include "game/controller.h"

#include <QRegularExpression>

bool istKoordinatenZug(const QString &text)
{
    static const QRegularExpression muster(QStringLiteral("^[a-h][1-8][a-h][1-8][qrbn]?$"));
    return muster.match(text).hasMatch();
}

Zug zugAusKoordinaten(const Controller &controller, const QString &text, int32_t &figur)
{
    int von = 0;
    int nach = 0;
    feldAusName(text.mid(0, 2), von);
    feldAusName(text.mid(2, 2), nach);
    Zug zug{von, nach, 0, controller.schwarzAmZug() ? ZUG_SCHWARZ : 0};
    if (controller.istWandlung(von, nach))
        zug.flags |= ZUG_WANDLUNG;
    figur = text.size() == 5 ? figurAusBuchstabe(text.at(4).toUpper()) : DAME;
    return zug;
}

QString koordinatenText(const Zug &zug)
{
    return koordinatenZug(zug.von, zug.nach, (zug.flags & ZUG_WANDLUNG) ? DAME : 0);
}

#include "pgn/pgn.h"

#include "core/felder.h"
#include "core/fen.h"

#include <cstdlib>

namespace {

QString figurBuchstabe(int32_t figur)
{
    return fenBuchstabe(-std::abs(figur));
}

QString feld(int32_t f)
{
    return feldName(f).toLower();
}

// A quote or a backslash inside a tag value is escaped by a backslash.
QString tagZeile(const char *name, QString wert)
{
    wert.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    wert.replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QLatin1Char('[') + QLatin1String(name) + QLatin1String(" \"") + wert +
           QLatin1String("\"]\n");
}

QString san(const HistoryEntry &e)
{
    const int32_t figur = std::abs(e.bewegteFigur);
    if (figur == KOENIG && std::abs(e.von - e.nach) == 2)
        return QLatin1String(e.von > e.nach ? "O-O-O " : "O-O ");

    const bool schlaegt = e.flags & ZUG_SCHLAGEN;
    QString text;
    if (figur == LEER) {
        text = feld(e.von) + QLatin1Char(schlaegt ? 'x' : '-');
    } else if (figur == BAUER) {
        if (schlaegt)
            text = feld(e.von).left(1) + QLatin1Char('x');
    } else {
        text = figurBuchstabe(figur);
        if (e.flags & ZUG_ANDERE_LINIE)
            text += feld(e.von).left(1);
        if (e.flags & ZUG_GLEICHE_LINIE)
            text += feld(e.von).mid(1);
        if (schlaegt)
            text += QLatin1Char('x');
    }
    text += feld(e.nach);
    if (e.flags & ZUG_WANDLUNG)
        text += QLatin1Char('=') + figurBuchstabe(e.wandlungsFigur);
    if (e.flags & ZUG_SCHACH)
        text += QLatin1Char('+');
    return text + QLatin1Char(' ');
}

} // namespace

QString Pgn::erzeugeText(const QList<HistoryEntry> &eintraege) const
{
    QString text;
    text += tagZeile("Event", event);
    text += tagZeile("Site", site);
    text += tagZeile("Date", datum.isValid()        ? datum.toString(QStringLiteral("yyyy.MM.dd"))
                             : !datumText.isEmpty() ? datumText
                                                    : QStringLiteral("????.??.??"));
    text += tagZeile("Round", QString::number(runde));
    text += tagZeile("White", weiss);
    text += tagZeile("Black", schwarz);
    text += tagZeile("WhiteElo", QString::number(weissElo));
    text += tagZeile("BlackElo", QString::number(schwarzElo));
    text += tagZeile("ECO", eco);
    text += tagZeile("Result", ergebnis);
    // Readers ignore a FEN tag that is not announced by SetUp.
    if (!fen.isEmpty())
        text += tagZeile("SetUp", QStringLiteral("1")) + tagZeile("FEN", fen);

    // A line holds five full moves; a game that begins with Black's move numbers that move too.
    for (int i = 1; i < eintraege.size(); ++i) {
        const HistoryEntry &e = eintraege.at(i);
        const QString nummer = QString::number(e.zugnummer) + QLatin1String(". ");
        if (i == 1)
            text += QLatin1Char('\n') + nummer;
        else if (!(e.flags & ZUG_SCHWARZ))
            text += (i % 10 <= 1 ? QLatin1String("\n") : QLatin1String("")) + nummer;
        text += san(e);
    }
    return text + ergebnis + QLatin1String("\n\n");
}

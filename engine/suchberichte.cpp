// The two report tables read from the search object: the best line under every root move and the
// moves searched per ply.
#include "core/felder.h"
#include "core/stellung.h"
#include "engine/bericht.h"

#include <array>
#include <vector>

namespace {

constexpr int ERSTE_ZAEHLEBENE = 2;
constexpr int LETZTE_ZAEHLEBENE = 9;

int anzahlVarianten(const stellung &s)
{
    int n = 0;
    while (n < MAX_ZUEGE && s.variante[n][1].zug.von != 0)
        ++n;
    return n;
}

// Best root score first, by the same selection as the root list; illegal root moves go.
void sortiereVarianten(stellung &s)
{
    const int n = anzahlVarianten(s);
    std::vector<Zug> reihenfolge(n + 1);
    for (int i = 0; i < n; ++i) {
        const Zug &wurzel = s.variante[i][1].besterZug;
        reihenfolge[i] = Zug{i + 1, 0, wurzel.wert, wurzel.flags};
    }
    reihenfolge[n] = Zug{};
    stellung::sortiereZugliste(reihenfolge.data());

    std::vector<std::array<Suchebene, MAX_EBENEN>> kopie(n);
    for (int i = 0; i < n; ++i)
        std::copy(s.variante[i], s.variante[i] + MAX_EBENEN, kopie[i].begin());
    int k = 0;
    for (; reihenfolge[k].von != 0; ++k)
        std::copy(kopie[reihenfolge[k].von - 1].begin(), kopie[reihenfolge[k].von - 1].end(),
                  s.variante[k]);
    if (k < MAX_ZUEGE)
        s.variante[k][1] = Suchebene{};
}

QString minimaxZelle(const Suchebene &ebene)
{
    const Zug &zug = ebene.besterZug;
    QString text =
        QLatin1String("<td>") + feldName(zug.von) + feldName(zug.nach) + QLatin1Char(' ');
    if (zug.flags & ZUG_SCHACH)
        text += QLatin1Char('+');
    if (zug.flags & ZUG_PATT)
        text += QLatin1Char('P');
    text += QLatin1String((zug.flags & ZUG_HASHTREFFER) ? "H=" : "W=");
    return text + QString::number(zug.wert + ebene.besteAntwort) + QLatin1String(" GM=") +
           QString::number(ebene.besteAntwort) + QLatin1String("</td>");
}

} // namespace

QString minimaxText(stellung &s)
{
    sortiereVarianten(s);
    QString text;
    for (int i = 0; i < anzahlVarianten(s); ++i) {
        const Suchebene *linie = s.variante[i];
        text += QLatin1String("<tr align='left'><td>") + QString::number(linie[1].besterZug.wert) +
                QLatin1String("</td>");
        for (int p = 1; p < MAX_EBENEN; ++p) {
            if (linie[p].besterZug.von == 0) {
                text += QLatin1String("<td>0</td>");
                break;
            }
            text += minimaxZelle(linie[p]);
            if ((linie[p].besterZug.flags & ZUG_HASHTREFFER) || linie[p].blatt)
                break;
        }
        text += QLatin1String("</tr>\n");
    }
    return text;
}

QString zaehlerText(const stellung &s)
{
    qint64 summe[MAX_EBENEN] = {};
    QString text;
    for (int i = 0; i < anzahlVarianten(s); ++i) {
        const Suchebene *linie = s.variante[i];
        text += QLatin1String("<tr align='right'><td>") + feldName(linie[1].zug.von) +
                QLatin1Char('-') + feldName(linie[1].zug.nach) + QLatin1String("</td>");
        for (int p = ERSTE_ZAEHLEBENE; p <= LETZTE_ZAEHLEBENE; ++p) {
            summe[p] += linie[p].zugZaehler;
            text += QLatin1String("<td>") + tausenderFormat(linie[p].zugZaehler) +
                    QLatin1String("</td>");
        }
        text += QLatin1String("</tr>\n");
    }
    text += QLatin1String("<tr align='right'><td>0</td>");
    for (int p = ERSTE_ZAEHLEBENE; p <= LETZTE_ZAEHLEBENE; ++p)
        text += QLatin1String("<td>") + tausenderFormat(summe[p]) + QLatin1String("</td>");
    return text + QLatin1String("</tr>\n");
}

QString tausenderFormat(qint64 zahl)
{
    QString text = QString::number(zahl);
    const int stellen = text.size();
    if (stellen > 6)
        text.insert(stellen - 6, QLatin1Char('.'));
    if (stellen >= 4)
        text.insert(text.size() - 3, QLatin1Char('.'));
    return text;
}

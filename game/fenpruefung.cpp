#include "game/fenpruefung.h"

#include "app/languages.h"
#include "core/fen.h"
#include "core/stellung.h"

#include <memory>

namespace {

QString text(int id, const char *deutsch)
{
    return Languages::instance()->text(id, QString::fromUtf8(deutsch));
}

// Why the board cannot be played, empty when it can.
QString unspielbar(const int32_t *brett, bool schwarzAmZug)
{
    int koenige[2] = {0, 0};
    int koenig[2] = {0, 0};
    for (int feld = 22; feld <= 99; ++feld) {
        const int32_t code = brett[feld];
        if (code == KOENIG || code == -KOENIG) {
            const bool schwarz = code > 0;
            ++koenige[schwarz];
            koenig[schwarz] = feld;
        }
        if ((code == BAUER || code == -BAUER) && (feld < 30 || feld > 90))
            return text(632, "Die Stellung ist nicht spielbar: Ein Bauer steht auf der ersten "
                             "oder letzten Reihe.");
    }
    if (koenige[0] != 1 || koenige[1] != 1)
        return text(630, "Die Stellung ist nicht spielbar: Jede Seite braucht genau einen König.");
    auto s = std::make_unique<stellung>();
    s->setzeBrett(brett);
    if (s->feldAngegriffen(schwarzAmZug, koenig[!schwarzAmZug]))
        return text(631, "Die Stellung ist nicht spielbar: Die Seite, die nicht am Zug ist, "
                         "steht im Schach.");
    return QString();
}

} // namespace

int pruefeFen(const QString &text, fenStellung &fen, bool &schwarzAmZug, QString &meldung)
{
    const QString klar = text.trimmed();
    int ergebnis = fen.leseFen(klar, schwarzAmZug);
    // Eight ranks are a FEN even when they are short: the program writes two bare kings at the
    // edge so itself, and what it writes must start a game again.
    const bool achtReihen = klar.section(QLatin1Char(' '), 0, 0).count(QLatin1Char('/')) == 7;
    if (ergebnis == -1 && achtReihen &&
        fen.leseFen(klar, schwarzAmZug, fenStellung::eigenerText) == 0)
        ergebnis = 0;
    if (ergebnis != 0) {
        meldung = ::text(627, "Fen String fehlerhaft an Position:") + QLatin1Char(' ') +
                  QString::number(ergebnis);
        return ergebnis;
    }
    int32_t brett[BRETT_ZELLEN];
    fen.holeBrett(brett);
    meldung = unspielbar(brett, schwarzAmZug);
    return meldung.isEmpty() ? 0 : FEN_UNSPIELBAR;
}

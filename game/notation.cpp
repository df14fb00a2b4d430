#include "game/controller.h"

#include "core/felder.h"
#include "game/history.h"
#include "game/spielzustand.h"

#include <algorithm>
#include <cstdlib>

QString Controller::figurName(int32_t code) const
{
    switch (std::abs(code)) {
    case BAUER: return text(9040, "BAUER");
    case LAEUFER: return text(9041, "LAEUFER");
    case PFERD: return text(9042, "PFERD");
    case TURM: return text(9043, "TURM");
    case DAME: return text(9044, "DAME");
    case KOENIG: return text(9045, "KOENIG");
    default: return QString();
    }
}

// Two texts per half-move: the protocol line of the move list (" 1 WS BAUER  E2-E4 ") and the
// message line, both ending in the result words when the move ends the game. The entries after
// the one shown are dropped when the new one is appended.
void Controller::schreibeNotation(const Zug &zug, int32_t figurAufZiel, int32_t geschlagen,
                                  int listenZeile)
{
    const HistoryEntry vorher = historie->entry(currentIndex);
    const bool schwarz = zug.flags & ZUG_SCHWARZ;
    const bool wandlung = zug.flags & ZUG_WANDLUNG;
    const bool bauernzug = wandlung || std::abs(figurAufZiel) == BAUER;

    HistoryEntry eintrag;
    eintrag.von = zug.von;
    eintrag.nach = zug.nach;
    eintrag.wert = zug.wert;
    eintrag.flags = zug.flags;
    eintrag.wandlungsFigur = wandlung ? figurAufZiel : 0;
    eintrag.bewegteFigur = wandlung ? (schwarz ? BAUER : -BAUER) : figurAufZiel;
    eintrag.zugnummer = vorher.zugnummer + ((vorher.flags & ZUG_SCHWARZ) ? 1 : 0);
    eintrag.halbzugZaehler = bauernzug || geschlagen ? 0 : vorher.halbzugZaehler + 1;
    eintrag.listenZeile = listenZeile;

    const QChar leer(QLatin1Char(' '));
    QString m = QString::number(eintrag.zugnummer).rightJustified(2, leer) + leer;
    QString s;
    m += (schwarz ? text(9503, "SW") : text(9502, "WS")) + leer;
    // As wide as the longest piece name of the language, so that the squares line up.
    int spalte = 0;
    for (const int32_t figur : {BAUER, PFERD, LAEUFER, TURM, DAME, KOENIG})
        spalte = std::max(spalte, int(figurName(figur).size()));
    m += figurName(figurAufZiel).leftJustified(spalte, leer) + leer;
    m += feldName(zug.von) + (geschlagen ? QLatin1Char('x') : QLatin1Char('-')) +
         feldName(zug.nach) + leer;
    if (geschlagen)
        m += text(390, "SCHLAEGT") + leer + figurName(geschlagen) + leer;
    if (zug.flags & ZUG_ROCHADE)
        m += zug.nach == 24 || zug.nach == 94 ? QLatin1String("O-O-O ") : QLatin1String("O-O ");
    if (wandlung) {
        s += text(410, "BAUERNWANDLUNG") + leer;
        if (!geschlagen)
            m += text(410, "BAUERNWANDLUNG") + leer;
    }
    if (zug.flags & ZUG_ENPASSANT) {
        m += text(415, "EN PASSANT") + leer;
        s += text(415, "EN PASSANT") + leer;
    }
    if (zug.flags & ZUG_SCHACH) {
        m += QLatin1String("+ ");
        s += text(391, "SCHACH") + leer;
    }
    if (remisDroht)
        s = text(541, "Es droht Remis wenn drei gleiche Züge!");
    if (zug.flags & ZUG_REMIS) {
        m += QLatin1String("\n   ") + text(341, "REMIS") + leer;
        s = text(341, "REMIS") + leer;
    }

    const QString weissGewinnt = text(9021, "Weiß gewinnt");
    const QString schwarzGewinnt = text(9022, "Schwarz gewinnt");
    QString ergebnis;
    if (zug.flags & ZUG_AUFGEGEBEN)
        ergebnis = text(9025, "Aufgegeben") + QLatin1String(", ") +
                   (schwarz ? weissGewinnt : schwarzGewinnt);
    else if ((zug.flags & ZUG_KEINE_ANTWORT) && (zug.flags & ZUG_PATT))
        ergebnis = text(340, "Patt, Remis");
    else if (zug.flags & ZUG_KEINE_ANTWORT)
        ergebnis = schwarz ? schwarzGewinnt : weissGewinnt;
    if (!ergebnis.isEmpty()) {
        m += QLatin1String("\n   ") + ergebnis;
        s += ergebnis;
    }

    eintrag.zugText = m;
    eintrag.meldung = s;
    historie->appendMove(eintrag);
}

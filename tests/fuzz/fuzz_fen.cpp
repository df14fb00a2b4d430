// The FEN reader on any text: whatever it accepts must write out as a FEN that reads back to the
// same position.

#include "core/fen.h"
#include "fuzzhilfe.h"

#include <algorithm>

namespace {

struct Gelesen
{
    int ergebnis;
    bool schwarz;
    int32_t brett[BRETT_ZELLEN];
    uint32_t rechte;
    Zug letzter;
    int32_t halbzuege;
    int32_t nummer;
};

Gelesen lies(const QString &text, fenStellung::Quelle quelle)
{
    fenStellung fen;
    Gelesen g{};
    g.ergebnis = fen.leseFen(text, g.schwarz, quelle);
    fen.holeBrett(g.brett);
    g.rechte = fen.holeRochaderechte();
    g.letzter = fen.holeLetztenZug();
    g.halbzuege = fen.holeHalbzugZaehler();
    g.nummer = fen.holeZugnummer();
    return g;
}

QString schreibe(const Gelesen &g)
{
    return fenStellung::schreibeFen(g.brett, g.schwarz, g.rechte, g.letzter.von, g.letzter.nach,
                                    g.letzter.wert, g.letzter.flags, g.halbzuege, g.nummer);
}

// The program's own text may be short or hold more pieces than the limits allow, as after
// promotions; it is read back as the program reads its own texts.
void pruefeRundweg(const QString &text, fenStellung::Quelle quelle)
{
    const Gelesen erst = lies(text, quelle);
    if (erst.ergebnis != 0)
        return;
    const QString geschrieben = schreibe(erst);
    const Gelesen zweit = lies(geschrieben, fenStellung::eigenerText);
    if (zweit.ergebnis != 0)
        qFatal("written FEN not readable (%d): %s", zweit.ergebnis, qPrintable(geschrieben));
    if (!std::equal(erst.brett, erst.brett + BRETT_ZELLEN, zweit.brett) ||
        erst.schwarz != zweit.schwarz || erst.rechte != zweit.rechte ||
        erst.halbzuege != zweit.halbzuege || erst.nummer != zweit.nummer)
        qFatal("FEN reads back to another position: %s", qPrintable(geschrieben));
    // An en passant square the position does not allow is dropped when read and not written.
    const bool doppelschritt = erst.letzter.flags & ZUG_DOPPELSCHRITT;
    if ((zweit.letzter.flags & ZUG_DOPPELSCHRITT) != (erst.letzter.flags & ZUG_DOPPELSCHRITT) ||
        (doppelschritt &&
         (zweit.letzter.von != erst.letzter.von || zweit.letzter.nach != erst.letzter.nach)))
        qFatal("FEN loses its en passant square: %s", qPrintable(geschrieben));
    if (schreibe(zweit) != geschrieben)
        qFatal("FEN is not written the same twice: %s", qPrintable(geschrieben));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *daten, size_t groesse)
{
    const QString text = QString::fromUtf8(alsBytes(daten, groesse));
    pruefeRundweg(text, fenStellung::vonAussen);
    pruefeRundweg(text, fenStellung::eigenerText);
    return 0;
}

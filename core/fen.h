#pragma once

#include "core/rochaderechte.h"
#include "core/zug.h"

#include <QString>

// A position read from or written to FEN text. The side to move is not kept here: the reader
// hands it out and the writer takes it in, as every caller keeps it beside the board anyway.
class fenStellung
{
public:
    fenStellung() { leere(); }

    // A text from outside (clipboard, PGN tag) is taken for a FEN only with a placement of more
    // than 17 characters; the program's own texts, with two bare kings for example, are read as
    // they stand. Either way a side keeps only the pieces promotion can produce: at most 8
    // pawns, and no more pieces beyond the starting set than pawns missing; otherwise the
    // pieces beyond 8 pawns and 2 of every other letter are dropped. Castling rights whose king
    // or rook is not at home are cleared, and the counters are kept between 0 and 99999.
    enum Quelle { vonAussen, eigenerText };

    // 0 on success, -1 when the text is not taken for a FEN at all, otherwise the character
    // position of the first error.
    int leseFen(const QString &text, bool &schwarzAmZug, Quelle quelle = vonAussen);

    static QString schreibeFen(const int32_t *brett, bool schwarzAmZug, uint32_t rochaderechte,
                               int32_t von, int32_t nach, int32_t wert, int32_t flags,
                               int32_t halbzugZaehler, int32_t zugnummer);

    void holeBrett(int32_t *ziel) const;
    void setzeBrett(const int32_t *quelle);
    uint32_t holeRochaderechte() const { return rochaderechte.alsWort(); }
    Zug holeLetztenZug() const { return letzterZug; }
    int32_t holeHalbzugZaehler() const { return halbzugZaehler; }
    int32_t holeZugnummer() const { return zugnummer; }

private:
    void leere();
    int lesePlatzierung(const QString &text, int &i);
    void pruefeRochaderechte();
    void leseEnPassant(int feld, bool schwarzAmZug);

    int32_t brett[BRETT_ZELLEN];
    Rochaderechte rochaderechte;
    Zug letzterZug;
    int32_t halbzugZaehler;
    int32_t zugnummer;
};

// The FEN letter of a piece code; empty for an empty square, the border and unknown codes.
QString fenBuchstabe(int32_t code);
// "KQkq" style text of a castling word, "-" when no right is left.
QString rochadeText(uint32_t rochaderechte);

extern const char *const startFen;

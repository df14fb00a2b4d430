#include "core/fen.h"

#include "core/felder.h"

#include <QVarLengthArray>

#include <algorithm>
#include <cstring>

const char *const startFen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

namespace {

const char FIGURBUCHSTABEN[] = "pnbrqkPNBRQK";
const int32_t FIGURCODES[] = {BAUER,  PFERD,  LAEUFER,  TURM,  DAME,  KOENIG,
                              -BAUER, -PFERD, -LAEUFER, -TURM, -DAME, -KOENIG};

// Placements this short cannot describe a game position; the text is then not taken for a FEN.
constexpr int MINDESTLAENGE_PLATZIERUNG = 18;
// Far beyond any real game, far below overflow however many moves follow.
constexpr qint64 GROESSTER_ZAEHLER = 99999;

bool istRandspalte(int feld)
{
    return feld % 10 < 2;
}

void ueberspringeLeerzeichen(const QString &text, int &i)
{
    while (i < text.size() && text.at(i) == QLatin1Char(' '))
        ++i;
}

QString naechstesWort(const QString &text, int &i)
{
    ueberspringeLeerzeichen(text, i);
    const int anfang = i;
    while (i < text.size() && text.at(i) != QLatin1Char(' '))
        ++i;
    return text.mid(anfang, i - anfang);
}

bool leseZahl(const QString &text, int &i, int32_t &zahl)
{
    bool ok = false;
    const qint64 wert = naechstesWort(text, i).toLongLong(&ok, 10);
    if (ok)
        zahl = int32_t(std::clamp<qint64>(wert, 0, GROESSTER_ZAEHLER));
    return ok;
}

// Index into FIGURBUCHSTABEN of the black pawn; White's letters follow six later.
constexpr int SCHWARZ = 0;
constexpr int WEISS = 6;

// Promotion turns a pawn into one piece beyond the starting set (a second queen, a third rook,
// bishop or knight), so a side can hold no more such pieces than it has pawns missing.
bool durchWandlungMoeglich(const int *anzahl, int seite)
{
    const int bauern = std::min(anzahl[seite], 8);
    int mehr = std::max(anzahl[seite + 4] - 1, 0);
    for (int art = seite + 1; art <= seite + 3; ++art)
        mehr += std::max(anzahl[art] - 2, 0);
    return mehr <= 8 - bauern;
}

} // namespace

void fenStellung::leere()
{
    rochaderechte = Rochaderechte{};
    letzterZug = Zug{};
    halbzugZaehler = 0;
    zugnummer = 0;
    // Every border cell, the two columns between the ranks included, is set now: a digit that
    // runs over the end of a rank would otherwise leave a hole in the border.
    for (int feld = 0; feld < BRETT_ZELLEN; ++feld)
        brett[feld] = (feld < 22 || feld > 99 || istRandspalte(feld)) ? RAND : LEER;
}

// Reads the piece placement from the start of the text; i ends behind the last character read.
// Returns 0 or the error position.
int fenStellung::lesePlatzierung(const QString &text, int &i)
{
    int anzahl[12] = {};
    // Per letter the squares in text order, so that the pieces beyond a limit are the last ones.
    QVarLengthArray<int, 16> felder[12];
    int feld = 22;
    int fehler = 0;
    for (;;) {
        while (feld <= 99 && istRandspalte(feld))
            ++feld;
        if (feld > 99)
            break;
        if (i >= text.size()) {
            fehler = text.size();
            break;
        }
        const ushort c = text.at(i++).unicode();
        if (c == ' ')
            break;
        if (c == '/') {
            if (feld % 10 != 2) {
                fehler = i;
                break;
            }
        } else if (c >= '1' && c <= '9') {
            feld += c - '0';
        } else {
            const char *stelle =
                (c > 0 && c < 128) ? std::strchr(FIGURBUCHSTABEN, char(c)) : nullptr;
            if (!stelle) {
                fehler = i - 1;
                break;
            }
            const int art = int(stelle - FIGURBUCHSTABEN);
            ++anzahl[art];
            felder[art].append(feld++);
        }
    }

    // Beyond what promotion can produce, a side keeps 8 pawns and 2 of every other letter.
    for (const int seite : {SCHWARZ, WEISS}) {
        const bool moeglich = durchWandlungMoeglich(anzahl, seite);
        for (int art = seite; art < seite + 6; ++art) {
            const int grenze = art == seite ? 8 : (moeglich && art != seite + 5) ? 64 : 2;
            for (int n = 0; n < felder[art].size() && n < grenze; ++n)
                brett[felder[art][n]] = FIGURCODES[art];
        }
    }
    return fehler;
}

// A right whose king or rook has left its corner of the start position can never be used.
void fenStellung::pruefeRochaderechte()
{
    Rochaderechte &r = rochaderechte;
    const bool weiss = brett[96] == -KOENIG;
    const bool schwarz = brett[26] == KOENIG;
    r.rochadeWeissKlein &= weiss && brett[99] == -TURM;
    r.rochadeWeissGross &= weiss && brett[92] == -TURM;
    r.rochadeSchwarzKlein &= schwarz && brett[29] == TURM;
    r.rochadeSchwarzGross &= schwarz && brett[22] == TURM;
}

void fenStellung::leseEnPassant(int feld, bool schwarzAmZug)
{
    if (brett[feld] != LEER)
        return;
    const int zeile = feld / 10;
    int32_t bauer;
    if (zeile == 4 && !schwarzAmZug) {
        letzterZug.von = feld - 10;
        letzterZug.nach = feld + 10;
        bauer = BAUER;
    } else if (zeile == 7 && schwarzAmZug) {
        letzterZug.von = feld + 10;
        letzterZug.nach = feld - 10;
        bauer = -BAUER;
    } else {
        return;
    }
    if (brett[letzterZug.nach] == bauer && brett[letzterZug.von] == LEER)
        letzterZug.flags = ZUG_DOPPELSCHRITT;
    else
        letzterZug.von = 0;
}

int fenStellung::leseFen(const QString &text, bool &schwarzAmZug, Quelle quelle)
{
    leere();
    schwarzAmZug = false;
    int i = 0;
    const int fehler = lesePlatzierung(text, i);
    if (i < MINDESTLAENGE_PLATZIERUNG && quelle == vonAussen)
        return -1;
    if (fehler)
        return fehler;

    ueberspringeLeerzeichen(text, i);
    if (i < text.size())
        schwarzAmZug = text.at(i++).toUpper() == QLatin1Char('B');

    ueberspringeLeerzeichen(text, i);
    for (; i < text.size() && text.at(i) != QLatin1Char(' '); ++i) {
        const ushort c = text.at(i).unicode();
        if (c == '-') {
            ++i;
            break;
        }
        if (c == 'K')
            rochaderechte.rochadeWeissKlein = 1;
        else if (c == 'Q')
            rochaderechte.rochadeWeissGross = 1;
        else if (c == 'k')
            rochaderechte.rochadeSchwarzKlein = 1;
        else if (c == 'q')
            rochaderechte.rochadeSchwarzGross = 1;
        else
            return i;
    }
    pruefeRochaderechte();

    ueberspringeLeerzeichen(text, i);
    if (i < text.size() && text.at(i) == QLatin1Char('-')) {
        ++i;
    } else {
        int feld;
        const bool lesbar = feldAusName(text.mid(i, 2), feld);
        i = std::min(i + 2, int(text.size()));
        if (!lesbar)
            return i;
        leseEnPassant(feld, schwarzAmZug);
    }

    if (!leseZahl(text, i, halbzugZaehler) || !leseZahl(text, i, zugnummer))
        return i;
    return 0;
}

QString fenStellung::schreibeFen(const int32_t *brett, bool schwarzAmZug, uint32_t rochaderechte,
                                 int32_t von, int32_t nach, int32_t /*wert*/, int32_t flags,
                                 int32_t halbzugZaehler, int32_t zugnummer)
{
    QString fen;
    int leere = 0;
    const auto schreibeLeere = [&] {
        if (leere)
            fen += QString::number(leere);
        leere = 0;
    };
    for (int feld = 22; feld <= 99; ++feld) {
        const int spalte = feld % 10;
        if (spalte == 0) {
            schreibeLeere();
            fen += QLatin1Char('/');
        } else if (spalte != 1) {
            const QString buchstabe = fenBuchstabe(brett[feld]);
            if (buchstabe.isEmpty()) {
                ++leere;
            } else {
                schreibeLeere();
                fen += buchstabe;
            }
        }
    }
    schreibeLeere();

    fen += schwarzAmZug ? QLatin1String(" b ") : QLatin1String(" w ");
    fen += rochadeText(rochaderechte);

    QString enPassant = QStringLiteral("-");
    if ((flags & ZUG_DOPPELSCHRITT) && nach >= 0 && nach < BRETT_ZELLEN) {
        int ziel = 0;
        if (!schwarzAmZug && von >= 32 && von <= 39)
            ziel = von + 10;
        else if (schwarzAmZug && von >= 82 && von <= 89)
            ziel = von - 10;
        if (ziel && brett[ziel] == LEER && brett[von] == LEER &&
            (brett[nach] == BAUER || brett[nach] == -BAUER))
            enPassant = feldName(ziel).toLower();
    }
    fen += QLatin1Char(' ') + enPassant;
    fen += QLatin1Char(' ') + QString::number(halbzugZaehler);
    fen += QLatin1Char(' ') + QString::number(zugnummer);
    return fen;
}

void fenStellung::holeBrett(int32_t *ziel) const
{
    std::copy(brett, brett + BRETT_ZELLEN, ziel);
}

void fenStellung::setzeBrett(const int32_t *quelle)
{
    std::copy(quelle, quelle + BRETT_ZELLEN, brett);
}

QString fenBuchstabe(int32_t code)
{
    for (int art = 0; art < 12; ++art) {
        if (FIGURCODES[art] == code)
            return QString(QLatin1Char(FIGURBUCHSTABEN[art]));
    }
    return QString();
}

QString rochadeText(uint32_t rochaderechte)
{
    const Rochaderechte r = Rochaderechte::ausWort(rochaderechte);
    QString text;
    if (r.rochadeWeissKlein)
        text += QLatin1Char('K');
    if (r.rochadeWeissGross)
        text += QLatin1Char('Q');
    if (r.rochadeSchwarzKlein)
        text += QLatin1Char('k');
    if (r.rochadeSchwarzGross)
        text += QLatin1Char('q');
    return text.isEmpty() ? QStringLiteral("-") : text;
}

#include "pgn/pgn.h"

#include "app/languages.h"
#include "core/felder.h"
#include "pgn/pgnscanner.h"

#include <QRegularExpression>

namespace {

bool istErgebnis(const QStringRef &symbol)
{
    return symbol == QLatin1String("*") || symbol == QLatin1String("1-0") ||
           symbol == QLatin1String("0-1") || symbol == QLatin1String("1/2-1/2");
}

enum class Lesart { KeinZug, Zug, Fehler };

// Move numbers ("12.", "12...", also glued to the move), annotation marks, check signs, capture
// signs and "e.p." carry nothing the move execution needs.
QString bereinigt(QString symbol)
{
    static const QRegularExpression nummer(QStringLiteral("^[0-9]+\\.+"));
    static const QRegularExpression zusatz(QStringLiteral("[!?+#]*(e\\.p\\.)?[!?+#]*$"));
    return symbol.remove(nummer).remove(zusatz).remove(QLatin1Char('x'));
}

// A file letter gives the column, a rank digit ten times the row; nothing gives 0.
int hinweis(const QString &zeichen)
{
    if (zeichen.isEmpty())
        return 0;
    const char16_t c = zeichen.at(0).toLower().unicode();
    if (c >= 'a' && c <= 'h')
        return c - 'a' + 2;
    if (c >= '1' && c <= '8')
        return 10 * (10 - (c - '0'));
    return 0;
}

// Reads one symbol of the movetext into a move with an incomplete origin: the target square, the
// kind of the moving piece (of the new piece for a promotion) and the origin's file or rank when
// given.
Lesart leseZug(const QString &symbol, Zug &zug)
{
    static const QRegularExpression nurNummer(QStringLiteral("^[0-9]*\\.*$"));
    if (nurNummer.match(symbol).hasMatch() || symbol == QLatin1String("e.p."))
        return Lesart::KeinZug;

    QString t = bereinigt(symbol);
    if (t.isEmpty())
        return Lesart::KeinZug;
    zug = Zug{0, 0, 0, ZUG_UNVOLLSTAENDIG};

    const QString gross = t.toUpper();
    if (gross == QLatin1String("O-O") || gross == QLatin1String("0-0") ||
        gross == QLatin1String("O-O-O") || gross == QLatin1String("0-0-0")) {
        zug.nach = gross.size() == 5 ? 94 : 98;
        zug.wert = KOENIG;
        zug.flags |= ZUG_ROCHADE;
        return Lesart::Zug;
    }

    // "e8=Q", also written "e8Q".
    static const QRegularExpression wandlung(QStringLiteral("^(.*[18])=?([QRBNqrbn])$"));
    const QRegularExpressionMatch w = wandlung.match(t);
    if (w.hasMatch()) {
        zug.flags |= ZUG_WANDLUNG;
        zug.wert = figurAusBuchstabe(w.captured(2).at(0).toUpper());
        t = w.captured(1);
    }

    static const QRegularExpression form(
        QStringLiteral("^([KQRBN]?)([a-hA-H]?)([1-8]?)([a-hA-H][1-8])$"));
    const QRegularExpressionMatch m = form.match(t);
    if (!m.hasMatch() || !feldAusName(m.captured(4), zug.nach))
        return Lesart::Fehler;
    const bool figur = !m.captured(1).isEmpty();
    if (figur && (zug.flags & ZUG_WANDLUNG))
        return Lesart::Fehler;
    if (!(zug.flags & ZUG_WANDLUNG))
        zug.wert = figur ? figurAusBuchstabe(m.captured(1).at(0)) : BAUER;
    // The origin's file, rank or, with both, square; a pawn that promotes without capturing
    // comes from the target's file.
    zug.von = hinweis(m.captured(2)) + hinweis(m.captured(3));
    if (zug.von == 0 && (zug.flags & ZUG_WANDLUNG))
        zug.von = zug.nach % 10;
    return Lesart::Zug;
}

// A control character (a NUL, say) would not show in the message; it is named by its code.
QString fehlerText(const QString &symbol, int position)
{
    QString sichtbar;
    for (const QChar c : symbol) {
        sichtbar += c.unicode() < 0x20
                        ? QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'))
                        : QString(c);
    }
    return QLatin1String("Pgn.ZuglisteAusPgn():Error ") + sichtbar + QLatin1String("; ") +
           QString::number(position);
}

} // namespace

// A game begins with its first tag pair, or without tags with a move number, and ends with its
// result or where the next game's tags follow its movetext. Tags that follow tags without
// movetext between them join one game. Positions refer to `text` itself, so that games can be cut
// out of it with their comments.
bool Pgn::partienLesen(const QString &text, QList<Pgn> &liste)
{
    PgnScanner scanner(text);
    Pgn eintrag;
    bool tagGefunden = false;
    bool inPartie = false;
    int zugStart = -1;
    int zugEnde = -1;
    int tiefe = 0;
    auto abschliessen = [&] {
        eintrag.zugtext = text.mid(zugStart, zugEnde - zugStart).trimmed() + QLatin1Char(' ');
        liste.append(eintrag);
        inPartie = false;
        zugStart = -1;
        tiefe = 0;
    };

    for (PgnStueck s = scanner.naechstes(); s.art != PgnStueck::Ende; s = scanner.naechstes()) {
        if (s.art == PgnStueck::TagPaar) {
            if (inPartie && zugStart >= 0)
                abschliessen();
            if (!inPartie)
                leereEintrag(eintrag, s.start);
            inPartie = tagGefunden = true;
            leseTag(text.mid(s.start + 1, s.wertEnde - s.start - 1), eintrag);
            continue;
        }
        if (!inPartie && s.art == PgnStueck::Symbol && text.at(s.start).isDigit() &&
            !istErgebnis(text.midRef(s.start, s.ende - s.start))) {
            leereEintrag(eintrag, s.start);
            inPartie = true;
        }
        if (!inPartie || (s.art == PgnStueck::Kommentar && zugStart < 0))
            continue;
        if (zugStart < 0)
            zugStart = s.start;
        zugEnde = s.ende;
        if (s.art == PgnStueck::KlammerAuf)
            ++tiefe;
        else if (s.art == PgnStueck::KlammerZu && tiefe > 0)
            --tiefe;
        else if (s.art == PgnStueck::Symbol && tiefe == 0 &&
                 istErgebnis(text.midRef(s.start, s.ende - s.start)))
            abschliessen();
    }
    if (inPartie && zugStart >= 0)
        abschliessen();
    return tagGefunden || !liste.isEmpty();
}

// Comments, NAGs and variations (nested ones too) are skipped; the result ends the movetext.
QString Pgn::ZuglisteAusPgn(const Pgn &partie, QList<Zug> &zuege) const
{
    const QString &quelle = partie.zugtext;
    zuege.clear();
    PgnScanner scanner(quelle);
    QString fehler;
    int tiefe = 0;
    int offeneVariation = -1;

    for (PgnStueck s = scanner.naechstes(); s.art != PgnStueck::Ende && fehler.isEmpty();
         s = scanner.naechstes()) {
        const QString symbol = quelle.mid(s.start, s.ende - s.start);
        if (s.art == PgnStueck::KlammerAuf) {
            if (tiefe++ == 0)
                offeneVariation = s.start;
        } else if (s.art == PgnStueck::KlammerZu) {
            if (tiefe == 0)
                fehler = fehlerText(symbol, s.start);
            else
                --tiefe;
        } else if (s.art == PgnStueck::OffenerKommentar) {
            fehler = fehlerText(symbol.left(1), s.start);
        } else if ((s.art == PgnStueck::Symbol || s.art == PgnStueck::TagPaar) && tiefe == 0) {
            if (istErgebnis(QStringRef(&symbol)))
                break;
            Zug zug;
            const Lesart lesart = leseZug(symbol, zug);
            if (lesart == Lesart::Fehler)
                fehler = fehlerText(symbol, s.start);
            else if (lesart == Lesart::Zug)
                zuege.append(zug);
        }
    }
    if (fehler.isEmpty() && tiefe > 0)
        fehler = fehlerText(QStringLiteral("("), offeneVariation);
    if (zuege.isEmpty())
        fehler = QLatin1String("Pgn.ZuglisteAusPgn(): ") + text(454, "Keine Züge gefunden");
    return fehler;
}

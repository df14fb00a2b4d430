#include "pgn/pgnscanner.h"

namespace {

constexpr char16_t bom = 0xFEFF;

bool istLeer(QChar c)
{
    return c.isSpace() || c.unicode() == bom;
}

bool istNamenszeichen(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// Characters that end a symbol (and are pieces of their own).
bool trenntSymbol(QChar c)
{
    switch (c.unicode()) {
    case '{':
    case '}':
    case '(':
    case ')':
    case '[':
    case ';':
    case '$': return true;
    default: return istLeer(c);
    }
}

} // namespace

PgnScanner::PgnScanner(const QString &text)
    : text(text)
{}

int PgnScanner::zeilenEnde(int von) const
{
    const int ende = text.indexOf(QLatin1Char('\n'), von);
    return ende < 0 ? text.size() : ende;
}

// A tag pair lies on one line: "[", a name, a quoted value in which a backslash escapes the next
// character, "]"; blanks are allowed between the parts.
bool PgnScanner::istTagPaar(int start, int &wertEnde, int &ende) const
{
    const int n = text.size();
    auto ueberspringeBlanks = [&](int i) {
        while (i < n && (text.at(i) == QLatin1Char(' ') || text.at(i) == QLatin1Char('\t')))
            ++i;
        return i;
    };
    int i = ueberspringeBlanks(start + 1);
    const int name = i;
    while (i < n && istNamenszeichen(text.at(i)))
        ++i;
    if (i == name)
        return false;
    i = ueberspringeBlanks(i);
    if (i >= n || text.at(i) != QLatin1Char('"'))
        return false;
    for (++i; i < n && text.at(i) != QLatin1Char('"'); ++i) {
        if (text.at(i) == QLatin1Char('\n'))
            return false;
        if (text.at(i) == QLatin1Char('\\') && i + 1 < n && text.at(i + 1) != QLatin1Char('\n'))
            ++i;
    }
    if (i >= n)
        return false;
    wertEnde = i;
    i = ueberspringeBlanks(i + 1);
    if (i >= n || text.at(i) != QLatin1Char(']'))
        return false;
    ende = i + 1;
    return true;
}

PgnStueck PgnScanner::naechstes()
{
    const int n = text.size();
    while (pos < n) {
        const QChar c = text.at(pos);
        if (istLeer(c))
            ++pos;
        else if (c == QLatin1Char(';') ||
                 (c == QLatin1Char('%') && (pos == 0 || text.at(pos - 1) == QLatin1Char('\n'))))
            pos = zeilenEnde(pos);
        else
            break;
    }

    PgnStueck stueck;
    stueck.start = pos;
    if (pos >= n) {
        stueck.ende = n;
        return stueck;
    }

    const QChar c = text.at(pos);
    if (c == QLatin1Char('{')) {
        const int schluss = text.indexOf(QLatin1Char('}'), pos + 1);
        stueck.art = schluss < 0 ? PgnStueck::OffenerKommentar : PgnStueck::Kommentar;
        stueck.ende = schluss < 0 ? n : schluss + 1;
    } else if (c == QLatin1Char('(') || c == QLatin1Char(')')) {
        stueck.art = c == QLatin1Char('(') ? PgnStueck::KlammerAuf : PgnStueck::KlammerZu;
        stueck.ende = pos + 1;
    } else if (c == QLatin1Char('[') && istTagPaar(pos, stueck.wertEnde, stueck.ende)) {
        stueck.art = PgnStueck::TagPaar;
    } else {
        int i = pos + 1;
        if (c == QLatin1Char('$')) {
            while (i < n && text.at(i).isDigit())
                ++i;
        }
        const bool nag = c == QLatin1Char('$') && i > pos + 1;
        if (!nag) {
            while (i < n && !trenntSymbol(text.at(i)))
                ++i;
        }
        stueck.art = nag ? PgnStueck::Nag : PgnStueck::Symbol;
        stueck.ende = i;
    }
    pos = stueck.ende;
    return stueck;
}

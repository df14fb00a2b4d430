#pragma once

#include <QString>

// One lexical piece of PGN text, as [start, ende) in the scanned text.
struct PgnStueck
{
    enum Art {
        Ende,
        TagPaar,          // [Name "value"] on one line; `wertEnde` is the closing quote
        Kommentar,        // {...}
        OffenerKommentar, // "{" without "}": runs to the end of the text
        KlammerAuf,       // a variation begins
        KlammerZu,
        Nag,    // $n
        Symbol, // move number, move, result or anything else
    };
    Art art = Ende;
    int start = 0;
    int ende = 0;
    int wertEnde = 0;
};

// Cuts PGN text into tag pairs, comments, variation brackets, NAGs and symbols. Line comments
// (";") and escape lines ("%" in the first column) are skipped, as are blanks, line ends of any
// kind and a byte-order mark. Every call advances, so no input makes a reader loop.
class PgnScanner
{
public:
    explicit PgnScanner(const QString &text);

    PgnStueck naechstes();

private:
    bool istTagPaar(int start, int &wertEnde, int &ende) const;
    int zeilenEnde(int von) const;

    const QString &text;
    int pos = 0;
};

#pragma once

#include <QDateTime>
#include <QString>

struct BewertungsZeile;
class stellung;

// The HTML page that shows, after a computed move, the terms of every candidate, the best lines
// under every root move and how many moves the search looked at per ply.
struct BerichtInhalt
{
    const BewertungsZeile *zeilen; // in root-list order
    int anzahl;
    bool schwarz; // the side evaluated
    bool istVorschlag;
    QString minimaxText;
    QString zaehlerText;
};

QString berichtDateiname(const QString &ordner, bool schwarz, bool istVorschlag);
QString bewertungsTabelle(const BewertungsZeile *zeilen, int anzahl);
QString berichtDokument(const BerichtInhalt &inhalt, const QDateTime &zeit);
// Replaces the file in one step, so a browser reloading it never sees half a page. A file that
// cannot be written is skipped without a word: the report is a by-product of the move.
bool schreibeBericht(const QString &pfad, const QString &dokument);

// The rows of the line table; sorts the search's variation store best first, so it runs before
// zaehlerText.
QString minimaxText(stellung &s);
// The rows of the move-counter table, in the order of the variation store.
QString zaehlerText(const stellung &s);
// 1234 as "1.234", 1234567 as "1.234.567".
QString tausenderFormat(qint64 zahl);

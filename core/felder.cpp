#include "core/felder.h"

#include "core/zug.h"

QString feldName(int feld)
{
    const int zeile = feld / 10;
    const int spalte = feld % 10;
    return QString(QChar(spalte + 63)) + QChar(58 - zeile);
}

bool feldAusName(const QString &name, int &feld)
{
    feld = -1;
    if (name.size() != 2 || name.at(1).unicode() <= '0')
        return false;
    const int spalte = name.at(0).toUpper().unicode() - 63;
    const int zeile = 58 - name.at(1).unicode();
    const int kandidat = 10 * zeile + spalte;
    // A letter beyond "H" must not wrap into the next rank ("k5" would otherwise name a4), nor may
    // one before "A" name a border cell.
    if (spalte < 2 || spalte > 9 || kandidat < 22 || kandidat > 99)
        return false;
    feld = kandidat;
    return true;
}

int32_t figurAusBuchstabe(QChar buchstabe)
{
    switch (buchstabe.unicode()) {
    case 'B': return LAEUFER;
    case 'K': return KOENIG;
    case 'N': return PFERD;
    case 'Q': return DAME;
    case 'R': return TURM;
    default: return BAUER;
    }
}

QString koordinatenZug(int von, int nach, int32_t wandlungsFigur)
{
    QString text = (feldName(von) + feldName(nach)).toLower();
    switch (wandlungsFigur < 0 ? -wandlungsFigur : wandlungsFigur) {
    case DAME: text += QLatin1Char('q'); break;
    case TURM: text += QLatin1Char('r'); break;
    case LAEUFER: text += QLatin1Char('b'); break;
    case PFERD: text += QLatin1Char('n'); break;
    default: break;
    }
    return text;
}

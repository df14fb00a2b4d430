#include "ui/zahlvalidator.h"

ZahlValidator::ZahlValidator(int von, int bis, QObject *parent)
    : QIntValidator(von, bis, parent)
{}

QValidator::State ZahlValidator::validate(QString &eingabe, int &position) const
{
    const State zustand = QIntValidator::validate(eingabe, position);
    if (zustand != Intermediate)
        return zustand;
    bool istZahl = false;
    const int zahl = eingabe.toInt(&istZahl);
    return istZahl && zahl > top() ? Invalid : Intermediate;
}

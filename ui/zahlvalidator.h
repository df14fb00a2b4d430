#pragma once

#include <QIntValidator>

// An integer field whose upper bound holds while typing: a digit that would pass it is refused,
// not just flagged (the plain validator lets "13" stand in a field for 0..12).
class ZahlValidator : public QIntValidator
{
public:
    ZahlValidator(int von, int bis, QObject *parent);

    State validate(QString &eingabe, int &position) const override;
};

#include "app/rueckfragen.h"

#include <QTextStream>

namespace {

class KonsolenRueckfragen : public Rueckfragen
{
public:
    void kritisch(const QString &titel, const QString &text) override
    {
        QTextStream(stderr) << titel << ": " << text << '\n';
    }
    bool frage(const QString &, const QString &) override { return false; }
};

KonsolenRueckfragen konsole;
Rueckfragen *aktuell = &konsole;

} // namespace

int Rueckfragen::speichernDialog(Pgn &)
{
    return SpeichernAbgebrochen;
}

int Rueckfragen::ladenDialog(const QString &, const QList<Pgn> &, Pgn &, QList<Bereich> &)
{
    return LadenAbgebrochen;
}

Rueckfragen &rueckfragen()
{
    return *aktuell;
}

void setzeRueckfragen(Rueckfragen *implementierung)
{
    aktuell = implementierung ? implementierung : &konsole;
}

#include "pgn/pgn.h"

#include "app/einstellungen.h"
#include "app/languages.h"
#include "app/programm.h"

#include <QRegularExpression>

namespace {

QString programmKennung()
{
    return QLatin1String(PROGRAMM_NAME) + QLatin1String(" V") + QLatin1String(PROGRAMM_VERSION) +
           QLatin1String("; ") + QLatin1String(HERSTELLER_NAME);
}

// Inside a tag value a backslash escapes the next character.
QString ohneEscapes(const QString &wert)
{
    QString klar;
    klar.reserve(wert.size());
    for (int i = 0; i < wert.size(); ++i) {
        if (wert.at(i) == QLatin1Char('\\') && i + 1 < wert.size())
            ++i;
        klar += wert.at(i);
    }
    return klar;
}

// A complete date goes into `datum`; one with "?" for the parts not known stays text.
void leseDatum(const QString &wert, Pgn &eintrag)
{
    static const QRegularExpression teilweise(
        QStringLiteral("^[0-9?]{4}\\.[0-9?]{2}\\.[0-9?]{2}$"));
    eintrag.datum = QDate::fromString(wert, QStringLiteral("yyyy.MM.dd")).startOfDay();
    eintrag.datumText.clear();
    if (!eintrag.datum.isValid() && teilweise.match(wert).hasMatch())
        eintrag.datumText = wert;
}

} // namespace

Pgn::Pgn()
    : sprachen(Languages::instance())
{}

Pgn::Pgn(const Pgn &andere)
    : sprachen(Languages::instance())
{
    kopiereFelder(andere);
}

// An unknown date stays unknown: it must not become today's on its way to the file.
Pgn &Pgn::operator=(const Pgn &andere)
{
    kopiereFelder(andere);
    return *this;
}

void Pgn::kopiereFelder(const Pgn &andere)
{
    position = andere.position;
    datum = andere.datum;
    datumText = andere.datumText;
    site = andere.site;
    eco = andere.eco;
    event = andere.event;
    runde = andere.runde;
    weiss = andere.weiss;
    weissElo = andere.weissElo;
    schwarz = andere.schwarz;
    schwarzElo = andere.schwarzElo;
    fen = andere.fen;
    weissUnten = andere.weissUnten;
    ergebnis = andere.ergebnis;
    zugtext = andere.zugtext;
}

QString Pgn::text(int id, const char *deutsch) const
{
    const Languages *tabelle = sprachen ? sprachen.data() : Languages::instance();
    return tabelle->text(id, QString::fromUtf8(deutsch));
}

void Pgn::neuePartie(int spielerWeiss, int spielerSchwarz, const QString &startFen)
{
    datum = QDateTime::currentDateTime();
    datumText.clear();
    site = programmKennung();
    event = schwierigkeitsName(einstellungen.schwierigkeit);
    eco.clear();
    ++runde;
    weissElo = schwarzElo = 0;
    fen = startFen;
    ergebnis = QStringLiteral("*");

    const QString programm = QLatin1String(PROGRAMM_NAME);
    weissUnten = spielerWeiss == 0;
    if (weissUnten) {
        weiss = einstellungen.nameMensch1;
        schwarz = spielerSchwarz == 0 ? einstellungen.nameMensch2 : programm;
    } else {
        weiss = programm;
        schwarz = spielerSchwarz == 0 ? einstellungen.nameMensch1 : programm;
    }
}

void Pgn::siteLoeschen()
{
    site = QStringLiteral("-");
}

void Pgn::setzeErgebnis(int32_t flags)
{
    const bool schwarzZog = flags & ZUG_SCHWARZ;
    if (flags & ZUG_AUFGEGEBEN) {
        const QString aufgegeben = text(9025, "Aufgegeben");
        site = site.isEmpty() ? aufgegeben : site + QLatin1String("; ") + aufgegeben;
        ergebnis = QLatin1String(schwarzZog ? "1-0" : "0-1");
    } else if (flags & ZUG_KEINE_ANTWORT) {
        if (flags & ZUG_PATT)
            ergebnis = QStringLiteral("1/2-1/2");
        else
            ergebnis = QLatin1String(schwarzZog ? "0-1" : "1-0");
    } else if (flags & ZUG_REMIS) {
        ergebnis = QStringLiteral("1/2-1/2");
    } else {
        ergebnis = QStringLiteral("*");
    }
}

void Pgn::leereEintrag(Pgn &eintrag, int position)
{
    eintrag.position = position;
    eintrag.datum = QDateTime();
    eintrag.datumText.clear();
    eintrag.site.clear();
    eintrag.eco.clear();
    eintrag.weissElo = eintrag.schwarzElo = 0;
    eintrag.ergebnis = QStringLiteral("*");
    eintrag.fen.clear();
    eintrag.weissUnten = true;
    eintrag.schwarz = QStringLiteral("Schwarz");
    eintrag.weiss = QStringLiteral("Weiss");
    eintrag.zugtext.clear();
    eintrag.event = QLatin1String(HERSTELLER_NAME);
    eintrag.runde = 0;
}

// Tag names are compared whole (ignoring case): "EventDate" or "UTCDate" must not overwrite the
// event or the date, nor "WhiteElo" the name.
void Pgn::leseTag(const QString &inhalt, Pgn &eintrag)
{
    const int anfuehrung = inhalt.indexOf(QLatin1Char('"'));
    if (anfuehrung < 0)
        return;
    const QString name = inhalt.left(anfuehrung).trimmed().toLower();
    const QString wert = ohneEscapes(inhalt.mid(anfuehrung + 1));

    if (name == QLatin1String("event"))
        eintrag.event = wert;
    else if (name == QLatin1String("site"))
        eintrag.site = wert;
    else if (name == QLatin1String("date"))
        leseDatum(wert, eintrag);
    else if (name == QLatin1String("round"))
        eintrag.runde = wert.toInt();
    else if (name == QLatin1String("white"))
        eintrag.weiss = wert;
    else if (name == QLatin1String("black"))
        eintrag.schwarz = wert;
    else if (name == QLatin1String("whiteelo"))
        eintrag.weissElo = wert.toInt();
    else if (name == QLatin1String("blackelo"))
        eintrag.schwarzElo = wert.toInt();
    else if (name == QLatin1String("eco"))
        eintrag.eco = wert;
    else if (name == QLatin1String("result") && !wert.isEmpty())
        eintrag.ergebnis = wert;
    else if (name == QLatin1String("fen"))
        eintrag.fen = wert;
}

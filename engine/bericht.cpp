#include "engine/bericht.h"

#include "app/programm.h"
#include "core/felder.h"
#include "engine/bewerter.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdlib>

namespace {

struct Spalte
{
    const char *name;               // UTF-8
    int32_t BewertungsZeile::*feld; // null for a column without a term
    bool gruen;                     // a non-zero value is shown green
};

const Spalte SPALTEN[25] = {
    {"Tausch", &BewertungsZeile::tausch, true},
    {"Klein Gross", &BewertungsZeile::kleinGross, true},
    {"Zentrum", &BewertungsZeile::zentrum, true},
    {"Sicher EigKö", &BewertungsZeile::sicherEigKoe, false},
    {"EigKö Bedrä", nullptr, false},
    {"Zug Bauer", &BewertungsZeile::zugBauer, false},
    {"Gabel", nullptr, false},
    {"Bewegl", &BewertungsZeile::bewegl, false},
    {"Schach", &BewertungsZeile::schach, true},
    {"Glinie Frei", &BewertungsZeile::glinieFrei, true},
    {"ZielRaum Gegner", &BewertungsZeile::zielRaumGegner, true},
    {"Dame Beweg", &BewertungsZeile::dameBeweg, true},
    {"Max Angreifr", nullptr, false},
    {"Angriff", nullptr, false},
    {"GegKö Rand", &BewertungsZeile::gegKoeRand, false},
    {"GegKö Beweg", &BewertungsZeile::gegKoeBeweg, false},
    {"Fessel Freund", nullptr, false},
    {"Fessel Feind", nullptr, false},
    {"Spiess", nullptr, false},
    {"Turm Loch", &BewertungsZeile::turmLoch, true},
    {"Kette Bauer", nullptr, false},
    {"Deckg Freund", nullptr, false},
    {"Deckg Feind", nullptr, false},
    {"Fre quent", &BewertungsZeile::frequent, true},
    {"Zufall", &BewertungsZeile::zufallsWert, false},
};

// Every column head is fifteen characters wide, filled with blanks.
QString spaltenName(const Spalte &spalte)
{
    return QString::fromUtf8(spalte.name).leftJustified(15);
}

QString farbText(bool schwarz, bool istVorschlag)
{
    return (schwarz ? QStringLiteral(" schwarz") : QStringLiteral(" weiß")) +
           QLatin1String(istVorschlag ? " Vorschlag" : "");
}

QString zelle(int32_t wert, bool gruen)
{
    const QString zahl = QString::number(wert);
    if (wert != 0 && gruen)
        return QLatin1String("<td bgcolor='#44FF44'>") + zahl + QLatin1String("</td>");
    if (std::abs(wert) < 91)
        return QLatin1String("<td>") + zahl + QLatin1String("</td>");
    return QLatin1String("<td bgcolor='#44DD66'>") + zahl + QLatin1String("</td>");
}

QString kopfzeile(const bool *sichtbar)
{
    QString text = QStringLiteral("<tr>\n<th>ZugVon Bis</th><th>Status</th><th>Endwert</th>"
                                  "<th>Schlage</th>\n");
    for (int k = 0; k < 25; ++k) {
        if (sichtbar[k])
            text += QLatin1String("<th>") + spaltenName(SPALTEN[k]) + QLatin1String("</th>");
    }
    return text + QLatin1String("</tr>\r\n");
}

const char TABELLE_ANFANG[] = "<table width=\"95%\" border=\"1\" style=\"margin-left:15px\">";

QString programmName()
{
    if (!QCoreApplication::instance())
        return QLatin1String(PROGRAMM_NAME);
    return QFileInfo(QCoreApplication::applicationFilePath()).fileName();
}

} // namespace

QString berichtDateiname(const QString &ordner, bool schwarz, bool istVorschlag)
{
    return ordner + QLatin1String("Schach-Bewertung") + QLatin1String(schwarz ? "_sw" : "_ws") +
           QLatin1String(istVorschlag ? "_Vorschlag" : "") + QLatin1String(".html");
}

QString bewertungsTabelle(const BewertungsZeile *zeilen, int anzahl)
{
    int beste = -1;
    int32_t besterWert = -10000;
    for (int i = 0; i < anzahl; ++i) {
        if (zeilen[i].endwert > besterWert) {
            besterWert = zeilen[i].endwert;
            beste = i;
        }
    }

    bool sichtbar[25] = {};
    QString ausgeblendet;
    for (int k = 0; k < 25; ++k) {
        for (int i = 0; SPALTEN[k].feld && i < anzahl && !sichtbar[k]; ++i)
            sichtbar[k] = zeilen[i].*SPALTEN[k].feld != 0;
        if (!sichtbar[k])
            ausgeblendet += spaltenName(SPALTEN[k]) + QLatin1String("; ");
    }

    QString text = QLatin1String("<p><h2>Tabelle Bewertungen</h2></p>\n") +
                   QLatin1String("<p>Ausgeblendete Spalten:<br>") + ausgeblendet +
                   QLatin1String("</p>\n") + QLatin1String(TABELLE_ANFANG);
    for (int i = 0; i < anzahl; ++i) {
        const BewertungsZeile &z = zeilen[i];
        if (i % 10 == 0)
            text += kopfzeile(sichtbar);
        text += i == beste ? QLatin1String("<tr align='right' bgcolor='#88FFAA'>")
                           : QLatin1String("<tr align='right'>");
        text += QLatin1String("<td>") + feldName(z.von) + QLatin1Char('-') + feldName(z.nach) +
                QLatin1String("</td><td>0x") + QString::number(z.status, 16) +
                QLatin1String("</td><td>") + QString::number(z.endwert) +
                QLatin1String("</td><td>") + QString::number(z.schlage) + QLatin1String("</td>");
        for (int k = 0; k < 25; ++k) {
            if (sichtbar[k])
                text += zelle(z.*SPALTEN[k].feld, SPALTEN[k].gruen);
        }
        text += QLatin1String("</tr>\n");
    }
    return text + QLatin1String("\n</table>\n");
}

QString berichtDokument(const BerichtInhalt &inhalt, const QDateTime &zeit)
{
    const QString farbe = farbText(inhalt.schwarz, inhalt.istVorschlag);
    QString text;
    text += QLatin1String("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\"\r\n"
                          "\"http://www.w3.org/TR/html4/loose.dtd\">\r\n"
                          "<html>\r\n<head>\r\n");
    text += QLatin1String("<title>Bewertung") + farbe + QLatin1String("</title>\r\n");
    text += QLatin1String("</head>\r\n<body bgcolor=\"#EEFFEE\">\r\n");
    text += QLatin1String("<h1>") + QLatin1String(PROGRAMM_NAME) + QLatin1String("</h1>\r\n");
    text += QLatin1String("<div style=\"margin-left:15px\">\r\n");
    text += QLatin1String("<p>Erstellt von: ") + programmName() + QLatin1Char(' ') +
            QLatin1String(PROGRAMM_VERSION) + QLatin1String("; Zeit: ") +
            zeit.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss")) + QLatin1String("<br>\r\n") +
            QLatin1String("Farbe:") + farbe + QLatin1String("</p>\r\n");
    text += bewertungsTabelle(inhalt.zeilen, inhalt.anzahl);
    text += QLatin1String("<p></p>");
    text += QStringLiteral("<p><h2>Tabelle Minimax (Züge mit den besten Gegenzügen)</h2></p>\n"
                           "<font face=\"courier new\" size=3>\n") +
            QLatin1String(TABELLE_ANFANG) +
            QLatin1String("\n<tr><th>Summe</th><th>Tiefe 1</th><th>Tiefe 2</th><th>Tiefe 3</th>"
                          "<th>Tiefe 4</th><th>Tiefe 5</th><th>Tiefe 6</th>\n") +
            inhalt.minimaxText + QLatin1String("</table>\n</font>\n");
    text += QLatin1String("<p></p>");
    text += QStringLiteral("<p><h2>Tabelle Zugzähler in den unterschiedlichen Tiefen</h2></p>\n"
                           "<font face=\"courier new\" size=3>\n") +
            QLatin1String(TABELLE_ANFANG) +
            QLatin1String("\n<tr><th>Zug</th><th>Tiefe 2</th><th>Tiefe 3</th><th>Tiefe 4</th>"
                          "<th>Tiefe 5</th><th>Tiefe 6</th><th>Tiefe 7</th><th>Tiefe 8</th>"
                          "<th>Tiefe 9</th>\n") +
            inhalt.zaehlerText + QLatin1String("</table>\n</font>\n");
    text += QStringLiteral("\r\n<br>Nach jedem berechneten Zug müssen Sie im Browser den "
                           "Aktualisierungsbutton betätigen.\r\n</p>\r\n<br></div>\r\n");
    return text;
}

bool schreibeBericht(const QString &pfad, const QString &dokument)
{
    QSaveFile datei(pfad);
    if (!datei.open(QIODevice::WriteOnly))
        return false;
    // The page declares no character set; the byte-order mark tells browsers it is UTF-8.
    datei.write("\xEF\xBB\xBF");
    datei.write(dokument.toUtf8());
    return datei.commit();
}

#include "app/programm.h"
#include "core/stellung.h"
#include "engine/bericht.h"
#include "engine/bewerter.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cstring>

namespace {

BewertungsZeile leereZeile(int von, int nach)
{
    BewertungsZeile z;
    std::memset(&z, 0, sizeof z);
    z.von = von;
    z.nach = nach;
    return z;
}

Suchebene ebene(int von, int nach, int32_t wert, int32_t flags, int32_t antwort, bool blatt)
{
    Suchebene e{};
    e.zug = Zug{von, nach, wert, flags};
    e.besterZug = e.zug;
    e.besteAntwort = antwort;
    e.blatt = blatt;
    return e;
}

} // namespace

class TestBericht : public QObject
{
    Q_OBJECT

private slots:
    void zahlenUndNamen();
    void bewertungstabelle();
    void dokument();
    void dateiSchreiben();
    void minimaxTabelle();
    void zaehlerTabelle();
};

void TestBericht::zahlenUndNamen()
{
    QString zahlen;
    for (const qint64 zahl : {0, 999, 1234, 123456, 1234567, 12345678})
        zahlen += tausenderFormat(zahl) + ' ';
    QCOMPARE(zahlen, QStringLiteral("0 999 1.234 123.456 1.234.567 12.345.678 "));

    QCOMPARE(berichtDateiname("/d/", false, false) + berichtDateiname("", true, true),
             QStringLiteral("/d/Schach-Bewertung_ws.htmlSchach-Bewertung_sw_Vorschlag.html"));
}

// Headers before rows 0 and 10 with the shown columns only; large values in another colour than
// the green columns; the best row is the first of the highest; every column without a value is
// listed with its blanks.
void TestBericht::bewertungstabelle()
{
    BewertungsZeile zeilen[11];
    for (int i = 0; i < 11; ++i)
        zeilen[i] = leereZeile(22 + i % 8, 32 + i % 8);
    zeilen[0].bewegl = 95;
    zeilen[1].bewegl = -95;
    zeilen[2].bewegl = 90;
    zeilen[3].zentrum = 5;
    zeilen[4].status = 0x1c0;
    zeilen[7].endwert = 40;
    zeilen[9].endwert = 40;
    const QString kopf =
        QStringLiteral("<tr>\n<th>ZugVon Bis</th><th>Status</th><th>Endwert</th><th>Schlage</th>\n"
                       "<th>Zentrum        </th><th>Bewegl         </th></tr>\r\n");
    auto reihe = [](const char *zug, const char *zellen, const char *farbe = "") {
        return QStringLiteral("<tr align='right'%1><td>%2</td>%3</tr>\n")
            .arg(QLatin1String(farbe), QLatin1String(zug), QLatin1String(zellen));
    };
    const char *leer = "<td>0x0</td><td>0</td><td>0</td><td>0</td><td>0</td>";
    const QString erwartet =
        QStringLiteral(
            "<p><h2>Tabelle Bewertungen</h2></p>\n<p>Ausgeblendete Spalten:<br>Tausch         ; "
            "Klein Gross    ; Sicher EigKö   ; EigKö Bedrä    ; Zug Bauer      ; Gabel          ; "
            "Schach         ; Glinie Frei    ; ZielRaum Gegner; Dame Beweg     ; Max Angreifr   ; "
            "Angriff        ; GegKö Rand     ; GegKö Beweg    ; Fessel Freund  ; Fessel Feind   ; "
            "Spiess         ; Turm Loch      ; Kette Bauer    ; Deckg Freund   ; Deckg Feind    ; "
            "Fre quent      ; Zufall         ; </p>\n"
            "<table width=\"95%\" border=\"1\" style=\"margin-left:15px\">") +
        kopf +
        reihe("A8-A7", "<td>0x0</td><td>0</td><td>0</td><td>0</td><td bgcolor='#44DD66'>95</td>") +
        reihe("B8-B7", "<td>0x0</td><td>0</td><td>0</td><td>0</td><td bgcolor='#44DD66'>-95</td>") +
        reihe("C8-C7", "<td>0x0</td><td>0</td><td>0</td><td>0</td><td>90</td>") +
        reihe("D8-D7", "<td>0x0</td><td>0</td><td>0</td><td bgcolor='#44FF44'>5</td><td>0</td>") +
        reihe("E8-E7", "<td>0x1c0</td><td>0</td><td>0</td><td>0</td><td>0</td>") +
        reihe("F8-F7", leer) + reihe("G8-G7", leer) +
        reihe("H8-H7", "<td>0x0</td><td>40</td><td>0</td><td>0</td><td>0</td>",
              " bgcolor='#88FFAA'") +
        reihe("A8-A7", leer) +
        reihe("B8-B7", "<td>0x0</td><td>40</td><td>0</td><td>0</td><td>0</td>") + kopf +
        reihe("C8-C7", leer) + QStringLiteral("\n</table>\n");
    QCOMPARE(bewertungsTabelle(zeilen, 11), erwartet);
}

// The page is left open at the end.
void TestBericht::dokument()
{
    BewertungsZeile zeile = leereZeile(85, 65);
    const BerichtInhalt inhalt{&zeile, 1, false, true, "<tr>M</tr>\n", "<tr>Z</tr>\n"};
    const QDateTime zeit(QDate(2024, 3, 5), QTime(7, 8, 9));
    const QString tabelle = "<table width=\"95%\" border=\"1\" style=\"margin-left:15px\">\n";
    QCOMPARE(
        berichtDokument(inhalt, zeit).replace(bewertungsTabelle(&zeile, 1), "[B]"),
        QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\"\r\n"
                       "\"http://www.w3.org/TR/html4/loose.dtd\">\r\n<html>\r\n<head>\r\n"
                       "<title>Bewertung weiß Vorschlag</title>\r\n</head>\r\n"
                       "<body bgcolor=\"#EEFFEE\">\r\n<h1><a href=\"%1\" target=\"_blank\">%2</a>"
                       "</h1>\r\n<div style=\"margin-left:15px\">\r\n<p>Erstellt von: "
                       "tst_bericht %3; Zeit: 05.03.2024 07:08:09<br>\r\nFarbe: weiß Vorschlag"
                       "</p>\r\n[B]<p></p><p><h2>Tabelle Minimax (Züge mit den besten "
                       "Gegenzügen)</h2></p>\n<font face=\"courier new\" size=3>\n%4"
                       "<tr><th>Summe</th><th>Tiefe 1</th><th>Tiefe 2</th><th>Tiefe 3</th>"
                       "<th>Tiefe 4</th><th>Tiefe 5</th><th>Tiefe 6</th>\n<tr>M</tr>\n</table>\n"
                       "</font>\n<p></p><p><h2>Tabelle Zugzähler in den unterschiedlichen "
                       "Tiefen</h2></p>\n<font face=\"courier new\" size=3>\n%4<tr><th>Zug</th>"
                       "<th>Tiefe 2</th><th>Tiefe 3</th><th>Tiefe 4</th><th>Tiefe 5</th>"
                       "<th>Tiefe 6</th><th>Tiefe 7</th><th>Tiefe 8</th><th>Tiefe 9</th>\n"
                       "<tr>Z</tr>\n</table>\n</font>\n\r\n<br>Nach jedem berechneten Zug müssen "
                       "Sie im Browser den Aktualisierungsbutton betätigen.\r\n</p>\r\n"
                       "<br></div>\r\n")
            .arg(HERSTELLER_WEBADRESSE, PROGRAMM_NAME, PROGRAMM_VERSION, tabelle));

    const BerichtInhalt schwarz{&zeile, 1, true, false, QString(), QString()};
    QVERIFY(berichtDokument(schwarz, zeit).contains("<title>Bewertung schwarz</title>"));
}

void TestBericht::dateiSchreiben()
{
    QTemporaryDir ordner;
    QVERIFY(ordner.isValid());
    const QString pfad = ordner.filePath(QStringLiteral("Schach-Bewertung_ws.html"));
    QVERIFY(schreibeBericht(pfad, QStringLiteral("alt")));
    QVERIFY(schreibeBericht(pfad, QStringLiteral("Züge für weiß")));
    QFile datei(pfad);
    QVERIFY(datei.open(QIODevice::ReadOnly));
    QCOMPARE(datei.readAll(),
             QByteArray("\xEF\xBB\xBF") + QStringLiteral("Züge für weiß").toUtf8());
    QCOMPARE(QDir(ordner.path()).entryList(QDir::Files).size(), 1);

    // A folder that does not exist: nothing is written and nothing is said.
    QVERIFY(!schreibeBericht(ordner.filePath(QStringLiteral("fehlt/datei.html")), QString()));
}

void TestBericht::minimaxTabelle()
{
    auto s = std::make_unique<stellung>();
    s->maxTiefe = 3;
    // Root e2-e4 scores 10 with a line down to a leaf; d2-d4 scores 30 and its line ends in a
    // transposition hit; an illegal move is dropped; g1-f3 has no reply at ply 2.
    Suchebene *a = s->variante[0];
    a[1] = ebene(86, 66, 10, 0, 5, false);
    a[2] = ebene(35, 55, -5, ZUG_SCHWARZ | ZUG_SCHACH, 20, false);
    a[3] = ebene(85, 65, 20, ZUG_PATT, 0, true);
    Suchebene *b = s->variante[1];
    b[1] = ebene(85, 65, 30, 0, 0, false);
    b[2] = ebene(35, 55, 0, ZUG_SCHWARZ, 0, false);
    b[3] = ebene(86, 66, 7, ZUG_HASHTREFFER, 3, false);
    s->variante[2][1] = ebene(96, 86, 99, ZUG_ILLEGAL, 0, false);
    s->variante[3][1] = ebene(98, 77, 10, 0, 0, false);

    const QString text = minimaxText(*s);
    QCOMPARE(text,
             QStringLiteral(
                 "<tr align='left'><td>30</td><td>D2D4 W=30 GM=0</td><td>D7D5 W=0 GM=0</td>"
                 "<td>E2E4 H=10 GM=3</td></tr>\n"
                 "<tr align='left'><td>10</td><td>E2E4 W=15 GM=5</td><td>D7D5 +W=15 GM=20</td>"
                 "<td>D2D4 PW=20 GM=0</td></tr>\n"
                 "<tr align='left'><td>10</td><td>G1F3 W=10 GM=0</td><td>0</td></tr>\n"));
    // The store is now in that order, without the illegal move.
    QCOMPARE(s->variante[0][1].zug.von, 85);
    QCOMPARE(s->variante[2][1].zug.von, 98);
    QCOMPARE(s->variante[3][1].zug.von, 0);
}

void TestBericht::zaehlerTabelle()
{
    auto s = std::make_unique<stellung>();
    s->variante[0][1] = ebene(86, 66, 0, 0, 0, false);
    s->variante[0][2].zugZaehler = 20;
    s->variante[0][3].zugZaehler = 1234;
    s->variante[1][1] = ebene(85, 65, 0, 0, 0, false);
    s->variante[1][2].zugZaehler = 20;
    s->variante[1][9].zugZaehler = 999999;
    const QString text = zaehlerText(*s);
    QCOMPARE(
        text,
        QStringLiteral(
            "<tr "
            "align='right'><td>E2-E4</td><td>20</td><td>1.234</td><td>0</td><td>0</td><td>0</td>"
            "<td>0</td><td>0</td><td>0</td></tr>\n"
            "<tr align='right'><td>D2-D4</td><td>20</td><td>0</td><td>0</td><td>0</td><td>0</td>"
            "<td>0</td><td>0</td><td>999.999</td></tr>\n"
            "<tr align='right'><td>0</td><td>40</td><td>1.234</td><td>0</td><td>0</td><td>0</td>"
            "<td>0</td><td>0</td><td>999.999</td></tr>\n"));
}

QTEST_MAIN(TestBericht)
#include "tst_bericht.moc"

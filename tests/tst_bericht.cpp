#include "app/programm.h"
#include "engine/bericht.h"
#include "engine/bewerter.h"

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

} // namespace

class TestBericht : public QObject
{
    Q_OBJECT

private slots:
    void dokument();
};

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
                       "<body bgcolor=\"#EEFFEE\">\r\n<h1>%1</h1>\r\n"
                       "<div style=\"margin-left:15px\">\r\n<p>Erstellt von: "
                       "tst_bericht %2; Zeit: 05.03.2024 07:08:09<br>\r\nFarbe: weiß Vorschlag"
                       "</p>\r\n[B]<p></p><p><h2>Tabelle Minimax (Züge mit den besten "
                       "Gegenzügen)</h2></p>\n<font face=\"courier new\" size=3>\n%3"
                       "<tr><th>Summe</th><th>Tiefe 1</th><th>Tiefe 2</th><th>Tiefe 3</th>"
                       "<th>Tiefe 4</th><th>Tiefe 5</th><th>Tiefe 6</th>\n<tr>M</tr>\n</table>\n"
                       "</font>\n<p></p><p><h2>Tabelle Zugzähler in den unterschiedlichen "
                       "Tiefen</h2></p>\n<font face=\"courier new\" size=3>\n%3<tr><th>Zug</th>"
                       "<th>Tiefe 2</th><th>Tiefe 3</th><th>Tiefe 4</th><th>Tiefe 5</th>"
                       "<th>Tiefe 6</th><th>Tiefe 7</th><th>Tiefe 8</th><th>Tiefe 9</th>\n"
                       "<tr>Z</tr>\n</table>\n</font>\n\r\n<br>Nach jedem berechneten Zug müssen "
                       "Sie im Browser den Aktualisierungsbutton betätigen.\r\n</p>\r\n"
                       "<br></div>\r\n")
            .arg(PROGRAMM_NAME, PROGRAMM_VERSION, tabelle));

    const BerichtInhalt schwarz{&zeile, 1, true, false, QString(), QString()};
    QVERIFY(berichtDokument(schwarz, zeit).contains("<title>Bewertung schwarz</title>"));
}

QTEST_MAIN(TestBericht)
#include "tst_bericht.moc"

#include "app/programm.h"
#include "engine/bericht.h"
#include "engine/bewerter.h"
#include "golden.h"

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

// The pages for White's suggestion and Black's move as in bericht.erwartet (carriage returns
// shown as "\\r"), left open at the end.
void TestBericht::dokument()
{
    BewertungsZeile zeile = leereZeile(85, 65);
    const QDateTime zeit(QDate(2024, 3, 5), QTime(7, 8, 9));
    QString ist;
    for (const BerichtInhalt &inhalt :
         {BerichtInhalt{&zeile, 1, false, true, "<tr>M</tr>\n", "<tr>Z</tr>\n"},
          BerichtInhalt{&zeile, 1, true, false, QString(), QString()}})
        ist += berichtDokument(inhalt, zeit)
                   .replace(bewertungsTabelle(&zeile, 1), "[table]")
                   .replace(PROGRAMM_VERSION, "[version]")
                   .replace('\r', "\\r");
    VERGLEICHE_MIT_DATEI(ist, "bericht.erwartet");
}

QTEST_MAIN(TestBericht)
#include "tst_bericht.moc"

#include "app/languages.h"

#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The ids the program asks for, as ranges.
const int angefragt[][2] = {
    {50, 50},     {53, 54},     {56, 56},     {58, 59},     {70, 70},     {74, 74},
    {76, 76},     {90, 90},     {94, 99},     {113, 113},   {120, 120},   {190, 191},
    {200, 203},   {205, 205},   {207, 207},   {209, 209},   {211, 211},   {215, 215},
    {220, 220},   {300, 300},   {313, 313},   {316, 317},   {319, 326},   {340, 341},
    {355, 355},   {368, 369},   {384, 385},   {387, 387},   {390, 391},   {410, 410},
    {415, 415},   {450, 450},   {452, 452},   {454, 454},   {514, 514},   {521, 521},
    {532, 532},   {541, 541},   {609, 611},   {620, 623},   {627, 628},   {630, 632},
    {660, 664},   {670, 671},   {1000, 1000}, {1005, 1005}, {1010, 1015}, {1310, 1314},
    {1400, 1400}, {1403, 1404}, {1500, 1500}, {1510, 1510}, {1515, 1518}, {1520, 1520},
    {1525, 1525}, {1530, 1530}, {1600, 1600}, {1605, 1605}, {1610, 1610}, {1650, 1650},
    {1655, 1655}, {9021, 9022}, {9025, 9025}, {9040, 9045}, {9400, 9400}, {9405, 9405},
    {9410, 9410}, {9415, 9416}, {9420, 9420}, {9502, 9503}, {9510, 9514}, {9520, 9520},
    {9600, 9600}, {9605, 9605}, {130, 132},   {301, 302},   {550, 556},   {560, 560},
    {672, 673},   {1535, 1538}};

struct Zeile
{
    int id;
    const char *texte[3]; // German, English, French
};

// Rows that must read exactly so, trailing blanks included.
const Zeile festeZeilen[] = {
    {0, {"Schachbrett", "Chessboard", "Échiquier "}},
    {664, {"Partie(n) gelöscht ", "Game(s) deleted", "Partie(s) supprimée(s) "}},
    {9510, {"Sehr einfach", "Very easy", "Très facile"}},
};

const char *const ressourcen[] = {":/Sprachen/Deutsch", ":/Sprachen/Englisch",
                                  ":/Sprachen/Franzoesisch"};

// The words French writes as English does.
const QSet<int> gleichImFranzoesischen = {99,  113,  203,  209,  410,  415,
                                          532, 1005, 1310, 1500, 9400, 9410};

} // namespace

class TestLanguages : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir ordner;

    QString schreibeTabelle(const QByteArray &inhalt)
    {
        const QString pfad = ordner.filePath("tabelle");
        QFile datei(pfad);
        if (!datei.open(QIODevice::WriteOnly) || datei.write(inhalt) != inhalt.size())
            qFatal("cannot write %s", qPrintable(pfad));
        return pfad;
    }

private slots:
    // A failed load keeps the table in use; a missing id gives the caller's text.
    void nachschlagenUndFallbacks()
    {
        Languages sprachen;
        QCOMPARE(sprachen.text(9510, "Sehr einfach"), QString("Sehr einfach"));
        QCOMPARE(sprachen.ladeSprache(1), QString());
        QCOMPARE(sprachen.text(8888, "Fehlt"), QString("Fehlt"));
        QCOMPARE(sprachen.ladeSprache(3), QString("Sprache nicht gefunden"));
        QCOMPARE(sprachen.text(9510, "Sehr einfach"), QString("Very easy"));
    }

    void tabellenVollstaendig()
    {
        QSet<int> erwartet;
        for (const auto &bereich : angefragt)
            for (int id = bereich[0]; id <= bereich[1]; ++id)
                erwartet.insert(id);
        QCOMPARE(erwartet.size(), 154);
        for (const Zeile &zeile : festeZeilen)
            erwartet.insert(zeile.id);

        for (int sprache = 0; sprache < 3; ++sprache) {
            QFile datei(ressourcen[sprache]);
            QVERIFY2(datei.open(QIODevice::ReadOnly), ressourcen[sprache]);
            const QByteArray roh = datei.readAll();
            QVERIFY(roh.startsWith("\xEF\xBB\xBF"));
            QCOMPARE(roh.count('\n'), roh.count("\r\n"));

            QSet<int> gefunden;
            int vorige = -1;
            const QStringList zeilen = QString::fromUtf8(roh.mid(3)).split("\r\n");
            for (const QString &zeile : zeilen) {
                if (zeile.isEmpty() || zeile.startsWith("***"))
                    continue;
                bool istZahl = false;
                const int id = zeile.left(4).toInt(&istZahl);
                QVERIFY2(istZahl && zeile.at(4) == ' ', qPrintable(zeile));
                QVERIFY2(id > vorige, qPrintable(zeile));
                vorige = id;
                gefunden.insert(id);
            }
            QVERIFY2(gefunden.contains(erwartet), ressourcen[sprache]);

            Languages sprachen;
            QCOMPARE(sprachen.ladeSprache(sprache), QString());
            for (const Zeile &zeile : festeZeilen)
                QCOMPARE(sprachen.text(zeile.id, "?"), QString::fromUtf8(zeile.texte[sprache]));
        }
    }

    // No English text left in the French table.
    void franzoesischUebersetzt()
    {
        Languages englisch, franzoesisch;
        QCOMPARE(englisch.ladeSprache(1) + franzoesisch.ladeSprache(2), QString());
        for (int id = 0; id <= 9999; ++id) {
            const QString text = englisch.text(id, QString());
            if (!text.isEmpty() && !gleichImFranzoesischen.contains(id))
                QVERIFY2(franzoesisch.text(id, QString()).trimmed() != text.trimmed(),
                         qPrintable(QString("%1 %2").arg(id).arg(text)));
        }
    }
};

QTEST_GUILESS_MAIN(TestLanguages)
#include "tst_languages.moc"

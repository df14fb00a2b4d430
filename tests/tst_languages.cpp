#include "app/languages.h"
#include "golden.h"

#include <QFile>
#include <QtTest>

namespace {

const char *const ressourcen[] = {":/Sprachen/Deutsch", ":/Sprachen/Englisch",
                                  ":/Sprachen/Franzoesisch"};

} // namespace

class TestLanguages : public QObject
{
    Q_OBJECT

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

    // Each table is UTF-8 with a byte-order mark and Windows line ends, one text a line after its
    // four-digit id, ids rising. Every id the program asks for (sprachen.txt) reads in the three
    // languages as in sprachen.erwartet, trailing blanks included.
    void tabellenVollstaendig()
    {
        QList<int> ids;
        for (const QString &bereich : datenZeilen("sprachen.txt").value(1).split(' ')) {
            for (int id = bereich.section('-', 0, 0).toInt();
                 id <= bereich.section('-', -1).toInt(); ++id)
                ids << id;
        }
        std::sort(ids.begin(), ids.end());
        QString ist;
        Languages sprachen[3];
        for (int sprache = 0; sprache < 3; ++sprache) {
            QFile datei(ressourcen[sprache]);
            QVERIFY2(datei.open(QIODevice::ReadOnly), ressourcen[sprache]);
            const QByteArray roh = datei.readAll();
            QVERIFY(roh.startsWith("\xEF\xBB\xBF"));
            QCOMPARE(roh.count('\n'), roh.count("\r\n"));
            int vorige = -1;
            for (const QString &zeile : QString::fromUtf8(roh.mid(3)).split("\r\n")) {
                if (zeile.isEmpty() || zeile.startsWith("***"))
                    continue;
                bool istZahl = false;
                const int id = zeile.left(4).toInt(&istZahl);
                QVERIFY2(istZahl && zeile.at(4) == ' ' && id > vorige, qPrintable(zeile));
                vorige = id;
            }
            QCOMPARE(sprachen[sprache].ladeSprache(sprache), QString());
        }
        for (const int id : qAsConst(ids)) {
            ist += QString::number(id);
            for (const Languages &tabelle : sprachen)
                ist += " \"" + tabelle.text(id, "(missing)") + '"';
            ist += '\n';
        }
        VERGLEICHE_MIT_DATEI(ist, "sprachen.erwartet");
    }
};

QTEST_GUILESS_MAIN(TestLanguages)
#include "tst_languages.moc"

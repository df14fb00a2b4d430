#include "pgn/pgndatei.h"
#include "pgntesthilfe.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

// Five games with comments, a header line before the first and blank lines between them. The
// second holds a NUL, the third has no tags, the fourth names characters that only
// Windows-1252 has of the single-byte encodings.
QString fuenfPartien(const QString &zeilenende)
{
    QString text = "% Sammlung" + zeilenende;
    for (int i = 1; i <= 5; ++i) {
        if (i != 3)
            text += QString("[Event \"Partie %1\"]%2[White \"%3\"]%2%2")
                        .arg(i)
                        .arg(zeilenende, i == 4 ? "O\u2019Kelly \u20ac" : "M\u00fcller");
        text += QString("1. e4 {Kommentar %1 [%clk 0:01:00]} e5 %3; Zeile %1%2(2. d4) 2. Nf3 *%2%2")
                    .arg(i)
                    .arg(zeilenende, i == 2 ? QString(QChar(0)) : QString());
    }
    return text;
}

QByteArray alsWindows1252(QString text)
{
    return text.replace(QChar(0x2019), QChar(0x92)).replace(QChar(0x20ac), QChar(0x80)).toLatin1();
}

// The ranges of the chosen games (1-based, ascending) as the load dialog builds them.
QList<Bereich> bereiche(const QList<Pgn> &partien, const QList<int> &nummern)
{
    QList<Bereich> liste;
    for (int i = nummern.size() - 1; i >= 0; --i) {
        const int n = nummern[i];
        liste << Bereich{partien[n - 1].position,
                         n < partien.size() ? partien[n].position - 1 : -1};
    }
    return liste;
}

QString ohne(const QString &text, const QList<Bereich> &schnitte)
{
    QString rest = text;
    for (const Bereich &b : schnitte)
        rest.remove(b.start, (b.ende < 0 ? text.size() : b.ende + 1) - b.start);
    return rest;
}

} // namespace

class TestPgnDateien : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir ordner;
    QString pfad(const QString &name) const { return ordner.filePath(name); }

private slots:
    void loeschen_data()
    {
        QTest::addColumn<QString>("zeilenende");
        QTest::addColumn<bool>("einzelbytes");
        QTest::addColumn<QList<int>>("nummern");
        QTest::newRow("mittlere") << "\n" << false << QList<int>{3};
        QTest::newRow("erste und dritte, CR LF") << "\r\n" << false << QList<int>{1, 3};
        QTest::newRow("zweite und letzte, Windows-1252") << "\n" << true << QList<int>{2, 5};
        QTest::newRow("erste, Windows-1252") << "\n" << true << QList<int>{1};
    }

    // The games that stay keep every byte, comments, line ends and NUL included, and their
    // encoding (the UTF-8 files begin with a byte-order mark).
    void loeschen()
    {
        QFETCH(QString, zeilenende);
        QFETCH(bool, einzelbytes);
        QFETCH(QList<int>, nummern);
        const QString text = (einzelbytes ? "" : "\uFEFF") + fuenfPartien(zeilenende);
        const auto kodiert = [einzelbytes](const QString &t) {
            return einzelbytes ? alsWindows1252(t) : t.toUtf8();
        };
        const QString datei = pfad("sammlung.pgn");
        QVERIFY(schreibeDatei(datei, kodiert(text)));

        const QString gelesen = pgnDekodieren(liesDatei(datei));
        QCOMPARE(gelesen, text);
        QList<Pgn> partien;
        QVERIFY(Pgn::partienLesen(gelesen, partien));

        const QList<Bereich> schnitte = bereiche(partien, nummern);
        QString fehler = "alt";
        QVERIFY(Pgn::loeschePartien(gelesen, schnitte, datei, fehler));
        QCOMPARE(fehler, QString());
        const QString rest = ohne(text, schnitte);
        QCOMPARE(liesDatei(datei), kodiert(rest));

        QList<Pgn> uebrig;
        QVERIFY(Pgn::partienLesen(rest, uebrig));
        QCOMPARE(uebrig.size(), 5 - nummern.size());
        for (const Pgn &partie : uebrig)
            QVERIFY(!nummern.contains(
                partie.event.startsWith("Partie") ? partie.event.mid(7).toInt() : 3));

        // Positions that no longer fit the text (another program changed the file) or overlap
        // delete nothing.
        QVERIFY(!Pgn::loeschePartien(rest.mid(1), bereiche(uebrig, {1}), datei, fehler));
        QVERIFY(!Pgn::loeschePartien(rest, {Bereich{0, 20}, Bereich{10, 30}}, datei, fehler));
        QCOMPARE(liesDatei(datei), kodiert(rest));
    }

    // A game appended to a single-byte file stays in its encoding when it can; otherwise the
    // whole file becomes UTF-8, never a mix of both.
    void anhaengen()
    {
        const QString alt = "[White \"O\u2019Kelly M\u00fcller\"]\n1. e4 *\n";
        const QString datei = pfad("anhang.pgn");
        const QPair<QString, QByteArray> faelle[] = {
            {"[White \"\u20ac\"]\n1. d4 *\n",
             alsWindows1252(alt + "[White \"\u20ac\"]\n1. d4 *\n")},
            {"[White \"\u0141ukasz\"]\n1. d4 *\n",
             (alt + "[White \"\u0141ukasz\"]\n1. d4 *\n").toUtf8()},
        };
        for (const auto &[neu, erwartet] : faelle) {
            QVERIFY(schreibeDatei(datei, alsWindows1252(alt)));
            QString fehler;
            QCOMPARE(haengeAn(datei, neu, fehler), Schreibfehler::Keiner);
            QCOMPARE(liesDatei(datei), erwartet);
            QCOMPARE(pgnDekodieren(erwartet), alt + neu);
        }
    }
};

QTEST_GUILESS_MAIN(TestPgnDateien)
#include "tst_pgn_dateien.moc"

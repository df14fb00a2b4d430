#include "pgn/pgndatei.h"
#include "pgntesthilfe.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

// Five games with comments, a header line before the first and blank lines between them.
QString fuenfPartien(const QString &zeilenende)
{
    QString text = "% Sammlung" + zeilenende;
    for (int i = 1; i <= 5; ++i) {
        text +=
            QString("[Event \"Partie %1\"]%2[White \"M\u00fcller\"]%2%2").arg(i).arg(zeilenende);
        text += QString("1. e4 {Kommentar %1 [%clk 0:01:00]} e5 ; Zeile %1%2(2. d4) 2. Nf3 *%2%2")
                    .arg(i)
                    .arg(zeilenende);
    }
    return text;
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
        QTest::addColumn<bool>("latin1");
        QTest::addColumn<QList<int>>("nummern");
        QTest::newRow("mittlere") << "\n" << false << QList<int>{3};
        QTest::newRow("erste und dritte, CR LF") << "\r\n" << false << QList<int>{1, 3};
        QTest::newRow("zweite und letzte, Latin-1") << "\n" << true << QList<int>{2, 5};
    }

    // The games that stay keep every byte, comments and line ends included, and their encoding
    // (the UTF-8 files begin with a byte-order mark).
    void loeschen()
    {
        QFETCH(QString, zeilenende);
        QFETCH(bool, latin1);
        QFETCH(QList<int>, nummern);
        const QString text = (latin1 ? "" : "\uFEFF") + fuenfPartien(zeilenende);
        const QString datei = pfad("sammlung.pgn");
        QVERIFY(schreibeDatei(datei, latin1 ? text.toLatin1() : text.toUtf8()));

        const QString gelesen = pgnDekodieren(liesDatei(datei));
        QCOMPARE(gelesen, text);
        QList<Pgn> partien;
        QVERIFY(Pgn::partienLesen(gelesen, partien));

        const QList<Bereich> schnitte = bereiche(partien, nummern);
        QString fehler = "alt";
        QVERIFY(Pgn::loeschePartien(gelesen, schnitte, datei, fehler));
        QCOMPARE(fehler, QString());
        const QString rest = ohne(text, schnitte);
        QCOMPARE(liesDatei(datei), latin1 ? rest.toLatin1() : rest.toUtf8());

        QList<Pgn> uebrig;
        QVERIFY(Pgn::partienLesen(rest, uebrig));
        QCOMPARE(uebrig.size(), 5 - nummern.size());
        for (const Pgn &partie : uebrig)
            QVERIFY(!nummern.contains(partie.event.mid(7).toInt()));

        // Positions that no longer fit the text (another program changed the file) or overlap
        // delete nothing.
        QVERIFY(!Pgn::loeschePartien(rest.mid(1), bereiche(uebrig, {1}), datei, fehler));
        QVERIFY(!Pgn::loeschePartien(rest, {Bereich{0, 20}, Bereich{10, 30}}, datei, fehler));
        QCOMPARE(liesDatei(datei), latin1 ? rest.toLatin1() : rest.toUtf8());
    }
};

QTEST_GUILESS_MAIN(TestPgnDateien)
#include "tst_pgn_dateien.moc"

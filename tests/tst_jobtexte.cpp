// The engine's results for a fixed set of jobs, recorded before the search was made faster: a
// change meant as a pure speed-up leaves every one of them as it was.
#include "golden.h"
#include "jobtexte.h"

#include <QtTest>

class TestJobtexte : public QObject
{
    Q_OBJECT

private slots:
    void wieAufgezeichnet_data();
    void wieAufgezeichnet();
};

void TestJobtexte::wieAufgezeichnet_data()
{
    QTest::addColumn<QString>("zeile");
    int n = 0;
    for (const QString &zeile : datenZeilen("jobtexte.txt")) {
        if (istJobfall(zeile))
            QTest::newRow(qPrintable(QString::number(++n))) << zeile;
    }
    QVERIFY(n > 200);
}

void TestJobtexte::wieAufgezeichnet()
{
    QFETCH(QString, zeile);
    Jobfall fall;
    QVERIFY2(leseJobfall(zeile, fall), qPrintable(zeile));
    QCOMPARE(jobfallText(fall), fall.text);
}

QTEST_MAIN(TestJobtexte)
#include "tst_jobtexte.moc"

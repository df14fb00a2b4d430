#include "app/einstellungen.h"
#include "app/startdialog.h"
#include "widgethilfen.h"

#include <QLineEdit>
#include <QToolButton>
#include <QtTest>

class TestStartDialog : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestUmgebung> umgebung;

private slots:
    void init()
    {
        umgebung = std::make_unique<TestUmgebung>();
        // As the window does before it opens the dialog.
        einstellungen.sprache = 0;
    }

    void cleanup() { umgebung.reset(); }

    void nameUndSprache_data()
    {
        QTest::addColumn<QString>("knopf");
        QTest::addColumn<QString>("eingabe");
        QTest::addColumn<int>("sprache");
        QTest::addColumn<QString>("name");
        QTest::newRow("deutsch") << "DeutschButton"
                                 << "Grete" << 0 << "Grete";
        QTest::newRow("englisch") << "EnglischButton"
                                  << "Ada Lovelace" << 1 << "Ada Lovelace";
        QTest::newRow("französisch") << "FranzoesischButton"
                                     << "Émilie" << 2 << "Émilie";
        QTest::newRow("leerer Name behält den alten") << "EnglischButton"
                                                      << "" << 1 << "Ada";
        QTest::newRow("höchstens zwanzig Zeichen")
            << "DeutschButton"
            << "abcdefghijklmnopqrstu" << 0 << "abcdefghijklmnopqrst";
    }

    void nameUndSprache()
    {
        QFETCH(QString, knopf);
        QFETCH(QString, eingabe);
        QFETCH(int, sprache);
        QFETCH(QString, name);
        einstellungen.nameMensch1 = "Ada";
        StartDialog dialog;
        auto *feld = dialog.findChild<QLineEdit *>("NameEdit");
        // Shown selected, so that typing replaces it.
        QCOMPARE(feld->selectedText(), QString("Ada"));
        ersetze(feld, eingabe);
        QTest::mouseClick(dialog.findChild<QToolButton *>(knopf), Qt::LeftButton);
        QCOMPARE(dialog.result(), 1);
        QCOMPARE(einstellungen.sprache, sprache);
        QCOMPARE(einstellungen.nameMensch1, name);
    }

    void schliessenOhneWahl()
    {
        StartDialog dialog;
        QVERIFY(zeige(dialog));
        QTest::keyClicks(dialog.findChild<QLineEdit *>("NameEdit"), "Otto");
        dialog.close();
        QCOMPARE(dialog.result(), 0);
        QCOMPARE(einstellungen.sprache, 0);
        QCOMPARE(einstellungen.nameMensch1, QString("Human"));
    }
};

QTEST_MAIN(TestStartDialog)
#include "tst_startdialog.moc"

#include "app/einstellungen.h"
#include "app/startdialog.h"
#include "widgethilfen.h"

#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QtTest>

class TestStartDialog : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestUmgebung> umgebung;

    static QLineEdit *nameFeld(StartDialog &dialog)
    {
        return dialog.findChild<QLineEdit *>("NameEdit");
    }

private slots:
    void init()
    {
        umgebung = std::make_unique<TestUmgebung>();
        QVERIFY(umgebung->gueltig());
        // As the window does before it opens the dialog.
        einstellungen.sprache = 0;
    }

    void cleanup() { umgebung.reset(); }

    void aufbau()
    {
        einstellungen.nameMensch1 = "Ada";
        StartDialog dialog;
        QCOMPARE(dialog.windowTitle(), QString("Brakmor"));
        QVERIFY(!(dialog.windowFlags() & Qt::WindowContextHelpButtonHint));
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
        QLineEdit *name = nameFeld(dialog);
        QCOMPARE(name->text(), QString("Ada"));
        QCOMPARE(name->selectedText(), QString("Ada"));
        for (const char *knopf : {"DeutschButton", "EnglischButton", "FranzoesischButton"}) {
            auto *flagge = dialog.findChild<QToolButton *>(knopf);
            QVERIFY(!flagge->icon().isNull());
            QVERIFY(flagge->text().isEmpty());
        }
        QVERIFY(!dialog.findChild<QLabel *>("label_Pix")->pixmap(Qt::ReturnByValue).isNull());
    }

    void sprachknoepfe_data()
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
                                     << "Émilie" << 2 << QString::fromUtf8("Émilie");
        QTest::newRow("leerer Name") << "EnglischButton"
                                     << "" << 1 << "Human";
    }

    void sprachknoepfe()
    {
        QFETCH(QString, knopf);
        QFETCH(QString, eingabe);
        QFETCH(int, sprache);
        QFETCH(QString, name);
        StartDialog dialog;
        QLineEdit *feld = nameFeld(dialog);
        feld->selectAll();
        QTest::keyClick(feld, Qt::Key_Delete);
        QTest::keyClicks(feld, eingabe);
        QTest::mouseClick(dialog.findChild<QToolButton *>(knopf), Qt::LeftButton);
        QCOMPARE(dialog.result(), 1);
        QCOMPARE(einstellungen.sprache, sprache);
        QCOMPARE(einstellungen.nameMensch1, name);
    }

    void nameHoechstensZwanzigZeichen()
    {
        StartDialog dialog;
        QLineEdit *feld = nameFeld(dialog);
        feld->selectAll();
        QTest::keyClicks(feld, "abcdefghijklmnopqrstu");
        QCOMPARE(feld->text(), QString("abcdefghijklmnopqrst"));
        QTest::mouseClick(dialog.findChild<QToolButton *>("DeutschButton"), Qt::LeftButton);
        QCOMPARE(einstellungen.nameMensch1, QString("abcdefghijklmnopqrst"));
    }

    void schliessenOhneWahl()
    {
        StartDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::keyClicks(nameFeld(dialog), "Otto");
        dialog.close();
        QCOMPARE(dialog.result(), 0);
        QCOMPARE(einstellungen.sprache, 0);
        QCOMPARE(einstellungen.nameMensch1, QString("Human"));
    }
};

QTEST_MAIN(TestStartDialog)
#include "tst_startdialog.moc"

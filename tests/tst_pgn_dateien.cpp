#include "pgn/pgndatei.h"
#include "pgntesthilfe.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray alsWindows1252(QString text)
{
    return text.replace(QChar(0x2019), QChar(0x92)).replace(QChar(0x20ac), QChar(0x80)).toLatin1();
}

} // namespace

class TestPgnDateien : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir ordner;
    QString pfad(const QString &name) const { return ordner.filePath(name); }

private slots:
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

#pragma once

#include "globale.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <QtTest>

#include <functional>

// A temporary HOME and data folder with default settings, so that widget tests never read or write
// the user's own files (the file dialog's state included).
class TestUmgebung
{
public:
    TestUmgebung()
    {
        if (!ordner.isValid())
            qFatal("no temporary folder");
        setzeGlobaleZurueck();
        QStandardPaths::setTestModeEnabled(true);
        qputenv("HOME", QFile::encodeName(ordner.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(ordner.filePath(".config")));
        qputenv("XDG_DATA_HOME", QFile::encodeName(ordner.filePath(".local/share")));
        QDir().mkpath(ordner.filePath("Brakmor"));
        appVerzeichnis = QDir::toNativeSeparators(ordner.filePath("Brakmor") + "/");
        schreibrechtGefunden = true;
    }

    QString pfad(const QString &name) const { return ordner.filePath(name); }

private:
    QTemporaryDir ordner;
};

// Runs `aktion` on the next modal window of type T as soon as it is open; for message boxes and
// dialogs that an operation under test opens with exec(). Gives up after five seconds.
template<typename T = QWidget>
void beiModalemFenster(const std::function<void(T *)> &aktion)
{
    auto *warten = new QTimer;
    auto *uhr = new QElapsedTimer;
    uhr->start();
    QObject::connect(warten, &QTimer::timeout, [=] {
        T *fenster = qobject_cast<T *>(QApplication::activeModalWidget());
        const bool offen = fenster && fenster->isVisible();
        if (!offen && uhr->elapsed() < 5000)
            return;
        warten->stop();
        warten->deleteLater();
        delete uhr;
        if (offen)
            aktion(fenster);
    });
    warten->start(10);
}

// Replaces a line edit's text by typing, so that its validator sees every key.
inline void ersetze(QLineEdit *zeile, const QString &eingabe)
{
    zeile->selectAll();
    QTest::keyClick(zeile, Qt::Key_Delete);
    QTest::keyClicks(zeile, eingabe);
}

inline QByteArray dateiInhalt(const QString &pfad)
{
    QFile datei(pfad);
    return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray();
}

inline bool zeige(QWidget &fenster)
{
    fenster.show();
    return QTest::qWaitForWindowExposed(&fenster);
}

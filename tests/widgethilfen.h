#pragma once

#include "app/einstellungen.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <functional>

// A temporary HOME and data folder with default settings, so that widget tests never read or write
// the user's own files (the file dialog's state included).
class TestUmgebung
{
public:
    TestUmgebung()
    {
        QStandardPaths::setTestModeEnabled(true);
        qputenv("HOME", QFile::encodeName(ordner.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(ordner.filePath(".config")));
        qputenv("XDG_DATA_HOME", QFile::encodeName(ordner.filePath(".local/share")));
        QDir().mkpath(ordner.filePath("Brakmor"));
        appVerzeichnis = QDir::toNativeSeparators(ordner.filePath("Brakmor") + "/");
        schreibrechtGefunden = true;
        einstellungen = Einstellungen();
    }

    bool gueltig() const { return ordner.isValid(); }
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

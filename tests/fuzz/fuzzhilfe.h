#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

// What every fuzz target sets up once: an application object, as the program has one, and a
// temporary HOME with Qt's test paths, so that no input ever reaches the user's folders.
inline void richteFuzzUmgebungEin(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    static QTemporaryDir heim(QDir::tempPath() + QLatin1String("/brakmor-fuzz-XXXXXX"));
    if (!heim.isValid())
        qFatal("no temporary folder for the fuzz run");
    qputenv("HOME", QFile::encodeName(heim.path()));
    qunsetenv("XDG_DATA_HOME");
    QStandardPaths::setTestModeEnabled(true);
}

inline QByteArray alsBytes(const uint8_t *daten, size_t groesse)
{
    return QByteArray(reinterpret_cast<const char *>(daten), int(groesse));
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    richteFuzzUmgebungEin(argc, argv);
    return 0;
}

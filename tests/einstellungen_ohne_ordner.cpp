// Starts the settings in a process that finds no writable data folder, even when run by root: the
// caller points HOME and TMPDIR below a regular file, and the program removes its own file and
// folder before Qt asks for them. Prints what the start did, one "name value" per line.

#include "pgntesthilfe.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTextStream>

int main(int argc, char *argv[])
{
    const QFileInfo programm(QString::fromLocal8Bit(argv[0]));
    QFile::remove(programm.absoluteFilePath());
    QDir().rmdir(programm.absolutePath());

    QCoreApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    Attrappe mitschrift;
    setzeRueckfragen(&mitschrift);
    ladeEinstellungen();

    QTextStream aus(stdout);
    aus << "meldungen " << mitschrift.meldungen.size() << '\n';
    for (QString meldung : mitschrift.meldungen)
        aus << "meldung " << meldung.replace(QLatin1Char('\n'), QLatin1String("\\n")) << '\n';
    aus << "schreibrecht " << schreibrechtGefunden << '\n';
    aus << "appVerzeichnis " << appVerzeichnis << '\n';
    aus << "text " << Languages::instance()->text(9514, QStringLiteral("Sehr Schwer")) << '\n';
    setzeRueckfragen(nullptr);
    return 0;
}

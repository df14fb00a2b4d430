#include "app/programm.h"
#include "ui/bilder.h"
#include "ui/fensterrueckfragen.h"
#include "ui/mainwindow.h"

#include <QApplication>
#include <QTextStream>

namespace {

// Without a display Qt would abort with a message about its platform plugin; say what is wrong.
bool hatAnzeige(int argc, char *argv[])
{
#ifdef Q_OS_LINUX
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "-platform") == 0)
            return true;
    }
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
#else
    Q_UNUSED(argc)
    Q_UNUSED(argv)
    return true;
#endif
}

} // namespace

int main(int argc, char *argv[])
{
    if (!hatAnzeige(argc, argv)) {
        QTextStream(stderr) << "brakmor: no display found (neither DISPLAY nor WAYLAND_DISPLAY is "
                               "set). Start Brakmor in a graphical session.\n";
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brakmor erstellt mit Qt 5.5.1"));
    QApplication::setApplicationVersion(QLatin1String(PROGRAMM_VERSION));
    QApplication::setWindowIcon(programmIcon());

    // The game's notices, questions and file dialogs become boxes and dialogs; while the window
    // is being built (the settings may find no writable folder) they have no parent.
    FensterRueckfragen ohneFenster;
    setzeRueckfragen(&ohneFenster);
    int ergebnis = 0;
    {
        MainWindow fenster;
        FensterRueckfragen boxen(&fenster);
        setzeRueckfragen(&boxen);
        fenster.show();
        ergebnis = app.exec();
        setzeRueckfragen(nullptr);
    }
    return ergebnis;
}

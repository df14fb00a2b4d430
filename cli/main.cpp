#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>


namespace {

int nutzung()
{
    QTextStream fehler(stderr);
    fehler << "usage: brakmor-cli <command> [arguments]\n";
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList argumente = app.arguments().mid(1);
    if (argumente.isEmpty())
        return nutzung();
    return nutzung();
}

// Draws every image of the game and writes them, with the resource collection bilder.qrc that
// lists them, into the resources folder given on the command line. A second folder, if given,
// receives preview pictures for checking the result by eye.

#include "anwendungssymbol.h"
#include "fahnen.h"
#include "figuren.h"
#include "holz.h"
#include "kopfbild.h"
#include "symbole.h"
#include "vorschau.h"
#include "zeichnen.h"

#include <QGuiApplication>
#include <QSaveFile>
#include <QTextStream>

namespace {

constexpr int figurGroesse = 256;
constexpr int holzGroesse = 256;
constexpr int symbolGroesse = 128;
constexpr int fahnenHoehe = 96;
constexpr int kopfbildBreite = 330;

struct Gruppe
{
    QString praefix; // resource prefix and folder below resources/
    QVector<BenanntesBild> bilder;
};

QVector<Gruppe> alleBilder()
{
    Gruppe figurenGruppe{QStringLiteral("Figuren"), {}};
    for (bool weiss : {true, false})
        for (Figur figur : alleFiguren)
            figurenGruppe.bilder.append({figurName(figur) + (weiss ? "WS2" : "SW2"),
                                         figurBild(figur, weiss, figurGroesse)});
    figurenGruppe.bilder.append({QStringLiteral("MarkStart"), markeBild(true, figurGroesse)});
    figurenGruppe.bilder.append({QStringLiteral("MarkEnd"), markeBild(false, figurGroesse)});

    const Gruppe bilderGruppe{
        QStringLiteral("Bilder"),
        {{QStringLiteral("HolzHell"), holzBild(Holzart::Hell, holzGroesse)},
         {QStringLiteral("HolzDunkel"), holzBild(Holzart::Dunkel, holzGroesse)},
         {QStringLiteral("Headimg"), kopfbild(kopfbildBreite)}}};

    Gruppe symbolGruppe{QStringLiteral("Icons"), symbole(symbolGroesse)};
    symbolGruppe.bilder += fahnen(fahnenHoehe);
    return {figurenGruppe, bilderGruppe, symbolGruppe};
}

QString qrcText(const QVector<Gruppe> &gruppen)
{
    QString text;
    QTextStream aus(&text);
    aus << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n";
    for (const Gruppe &gruppe : gruppen) {
        aus << "    <qresource prefix=\"/" << gruppe.praefix << "\">\n";
        for (const BenanntesBild &b : gruppe.bilder)
            aus << "        <file alias=\"" << b.name << "\">" << gruppe.praefix << '/' << b.name
                << ".png</file>\n";
        aus << "    </qresource>\n";
    }
    // The window icon takes every drawn size: X11 drops a window icon of 256 pixels alone.
    aus << "    <qresource prefix=\"/Programmicon\">\n";
    for (int groesse : anwendungssymbolGroessen)
        aus << "        <file alias=\"" << groesse << "\">hicolor/" << groesse << 'x' << groesse
            << "/apps/brakmor.png</file>\n";
    aus << "    </qresource>\n";
    aus << "</RCC>\n";
    return text;
}

bool schreibeText(const QString &pfad, const QString &text)
{
    QSaveFile datei(pfad);
    if (datei.open(QIODevice::WriteOnly | QIODevice::Text) && datei.write(text.toUtf8()) >= 0 &&
        datei.commit())
        return true;
    QTextStream(stderr) << "Cannot write " << pfad << ": " << datei.errorString() << '\n';
    return false;
}

bool schreibeAlles(const QString &ordner)
{
    const QVector<Gruppe> gruppen = alleBilder();
    bool ok = true;
    for (const Gruppe &gruppe : gruppen)
        for (const BenanntesBild &b : gruppe.bilder)
            ok &= speicherePng(b.bild,
                               QStringLiteral("%1/%2/%3.png").arg(ordner, gruppe.praefix, b.name));
    for (int groesse : anwendungssymbolGroessen)
        ok &= speicherePng(
            anwendungssymbol(groesse),
            QStringLiteral("%1/hicolor/%2x%2/apps/brakmor.png").arg(ordner).arg(groesse));
    ok &= schreibeText(ordner + QStringLiteral("/bilder.qrc"), qrcText(gruppen));
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList argumente = app.arguments();
    if (argumente.size() < 2 || argumente.size() > 3) {
        QTextStream(stderr) << "Usage: bildgenerator RESOURCES-FOLDER [PREVIEW-FOLDER]\n";
        return 2;
    }
    if (!schreibeAlles(argumente[1]))
        return 1;
    if (argumente.size() == 3 && !schreibeVorschau(argumente[1], argumente[2]))
        return 1;
    return 0;
}

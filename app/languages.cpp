#include "app/languages.h"

#include <QCoreApplication>
#include <QFile>
#include <QPointer>
#include <QTextStream>

// Q_INIT_RESOURCE declares the registration function at the scope of the enclosing namespace, so
// it must be called from a function at global scope.
static void registriereSprachtabellen()
{
    // The tables live in the static core library; without this call the linker may drop them.
    Q_INIT_RESOURCE(sprachen);
}

namespace {

QPointer<Languages> gemeinsam;

const char *const tabellen[] = {":/Sprachen/Deutsch", ":/Sprachen/Englisch",
                                ":/Sprachen/Franzoesisch"};

} // namespace

Languages::Languages(QObject *parent)
    : QObject(parent)
{
    static const bool registriert = (registriereSprachtabellen(), true);
    Q_UNUSED(registriert)
}

Languages *Languages::instance(QObject *parent)
{
    if (gemeinsam.isNull())
        gemeinsam = new Languages(parent ? parent : QCoreApplication::instance());
    return gemeinsam;
}

QString Languages::ladeSprache(int sprache)
{
    if (sprache < 0 || sprache > 2)
        return QStringLiteral("Sprache nicht gefunden");
    return ladeTabelle(QString::fromLatin1(tabellen[sprache]));
}

QString Languages::ladeTabelle(const QString &pfad)
{
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly | QIODevice::Text))
        return QStringLiteral("Konnte nicht geöffnet werden.");

    QTextStream eingabe(&datei);
    eingabe.setCodec("UTF-8");
    texte.clear();
    QString zeile;
    while (eingabe.readLineInto(&zeile)) {
        // A text line begins with its four-digit id; section headers, blank lines and indented
        // remarks do not convert to a number and are skipped.
        bool istZahl = false;
        const int id = zeile.leftRef(4).toInt(&istZahl);
        if (istZahl)
            texte.insert(id, zeile.mid(5));
    }
    return QString();
}

QString Languages::text(int id, const QString &fallback) const
{
    return texte.value(id, fallback);
}

#include "ui/bilder.h"

#include <QDir>
#include <QStringList>
#include <QtGlobal>

#include <algorithm>

// Q_INIT_RESOURCE declares the registration function at the scope of the enclosing namespace, so
// it must be called from a function at global scope.
static void registriereBilderEinmal()
{
    // The images live in the static widget library; without this call the linker may drop them.
    Q_INIT_RESOURCE(bilder);
}

void registriereBilder()
{
    static const bool registriert = (registriereBilderEinmal(), true);
    Q_UNUSED(registriert)
}

QIcon programmIcon()
{
    registriereBilder();
    // Every size, not just the largest: X11 drops a window icon of 256 pixels alone, as it is too
    // large for one request, and the window would show none.
    // Named by their size in pixels; smallest first, so that a reader that stops early still
    // finds the common sizes.
    QStringList groessen = QDir(QStringLiteral(":/Programmicon")).entryList();
    std::sort(groessen.begin(), groessen.end(),
              [](const QString &a, const QString &b) { return a.toInt() < b.toInt(); });
    QIcon icon;
    for (const QString &groesse : qAsConst(groessen))
        icon.addFile(QStringLiteral(":/Programmicon/") + groesse);
    return icon;
}

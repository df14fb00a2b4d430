#include "ui/bilder.h"

#include <QtGlobal>

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

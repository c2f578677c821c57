#include "settings/modINIer.h"

#include "desktop/Escritorio.h"

#include <QDir>

QString RutaINI()
{
    const Escritorio &escritorio = Escritorio::Actual();
    return escritorio.CarpetaPrograma() + QDir::separator() + escritorio.NombrePrograma()
        + QStringLiteral(".ini");
}

QString LeerINI(const QString &, const QString &)
{
    return {};
}

bool EscribirINI(const QString &, const QString &, const QString &)
{
    return false;
}

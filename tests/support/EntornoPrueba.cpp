#include "support/EntornoPrueba.h"

#include <QFile>
#include <QTest>

EntornoPrueba::EntornoPrueba(const QString &nombre)
    : escritorio(carpeta.path(), nombre)
{}

QString EntornoPrueba::RutaIni() const
{
    return carpeta.filePath(escritorio.NombrePrograma() + QStringLiteral(".ini"));
}

void EntornoPrueba::EscribirIni(const QByteArray &contenido) const
{
    QFile archivo(RutaIni());
    QVERIFY(archivo.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(archivo.write(contenido), contenido.size());
}

QByteArray EntornoPrueba::LeerIni() const
{
    QFile archivo(RutaIni());
    if (!archivo.open(QIODevice::ReadOnly))
        return {};
    return archivo.readAll();
}

bool EntornoPrueba::ExisteIni() const
{
    return QFile::exists(RutaIni());
}

#include "app/Aplicacion.h"

#include "app/Version.h"
#include "desktop/Escritorio.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void PrepararAplicacion(QApplication &aplicacion)
{
    Q_INIT_RESOURCE(trebolero);
    auto *traductor = new QTranslator(&aplicacion);
    if (traductor->load(QLocale(QLocale::Spanish), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(traductor);
    QApplication::setApplicationName(QString::fromLatin1(Escritorio::Titulo));
    QApplication::setApplicationVersion(QString::fromLatin1(VersionTrebolero));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/trebolero.png")));
}

#include "feed/CargadorXml.h"

#include "desktop/Escritorio.h"
#include "feed/DescargaHttp.h"
#include "settings/modINIer.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPluginLoader>
#include <QUrl>
#include <QXmlStreamReader>

namespace {

std::chrono::milliseconds tiempoMaximo = std::chrono::seconds(15);

// Elements nested deeper than this are refused: a feed needs a handful of
// levels, and the parser slows down with the square of the depth.
constexpr int ProfundidadMaxima = 256;

// The most text that references to declared entities may expand to, in
// characters, summed over the whole document.
constexpr qint64 TextoExpandidoMaximo = 16 * 1024 * 1024;

// The download module's object, or null when the module is missing or
// unusable. The module (libtrebolero_red.so) is looked for in the library
// paths, the program's folder among them, and stays loaded once found.
const DescargaHttp *ModuloRed()
{
    static QPluginLoader modulo(QStringLiteral("trebolero_red"));
    return qobject_cast<DescargaHttp *>(modulo.instance());
}

bool EsHttp(const QString &esquema)
{
    return esquema == QLatin1String("http") || esquema == QLatin1String("https");
}

// While it lives, user input to any object of the application is dropped,
// access keys included, and the busy cursor shows.
class EsperaSinEntrada : public QObject
{
public:
    EsperaSinEntrada()
    {
        if (QCoreApplication *aplicacion = QCoreApplication::instance())
            aplicacion->installEventFilter(this);
        if (grafica)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~EsperaSinEntrada() override
    {
        if (grafica)
            QGuiApplication::restoreOverrideCursor();
    }

protected:
    bool eventFilter(QObject *, QEvent *evento) override
    {
        // A modal window opened meanwhile (a message box of a command whose
        // click was already under way) must stay usable: the wait cannot end
        // before it closes.
        if (grafica && QGuiApplication::modalWindow() != modalAlEmpezar)
            return false;
        // An accepted override keeps the key from firing a shortcut; the key
        // itself is then dropped as any other input.
        if (evento->type() == QEvent::ShortcutOverride)
            evento->accept();
        return evento->isInputEvent();
    }

private:
    const bool grafica = qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr;
    const QWindow *const modalAlEmpezar = grafica ? QGuiApplication::modalWindow() : nullptr;
};

// Reads the document once without building it, and refuses what would make
// the parse itself run out of memory or time: references to declared
// entities that could together expand past the bound, or nesting deeper than
// any feed needs. Predefined entities and character references expand to one
// character each and are always accepted.
bool EstructuraAceptable(const QByteArray &datos)
{
    QXmlStreamReader lector(datos);
    lector.setNamespaceProcessing(false);
    int profundidad = 0;
    while (!lector.atEnd()) {
        switch (lector.readNext()) {
        case QXmlStreamReader::DTD:
            if (!lector.entityDeclarations().isEmpty()
                && datos.count('&') * lector.entityExpansionLimit() > TextoExpandidoMaximo)
                return false;
            break;
        case QXmlStreamReader::StartElement:
            if (++profundidad > ProfundidadMaxima)
                return false;
            break;
        case QXmlStreamReader::EndElement:
            --profundidad;
            break;
        default:
            break;
        }
    }
    return !lector.hasError();
}

} // namespace

void CargadorXml::FijarTiempoMaximo(std::chrono::milliseconds tiempo)
{
    tiempoMaximo = tiempo;
}

bool CargadorXml::Cargar(const QString &direccion)
{
    documento = QDomDocument();
    const QString texto = direccion.trimmed();
    if (texto.isEmpty())
        return false;

    const QUrl url(texto);
    const QString esquema = url.scheme().toLower();
    std::optional<QByteArray> datos;
    if (EsHttp(esquema))
        datos = Descargar(url);
    else if (esquema == QLatin1String("file"))
        datos = LeerArchivo(url.toLocalFile());
    else if (esquema.isEmpty())
        datos = LeerArchivo(texto);
    return datos && CargarDatos(*datos);
}

std::optional<QByteArray> CargadorXml::LeerArchivo(const QString &ruta) const
{
    if (ruta.isEmpty())
        return std::nullopt;
    const QFileInfo info(QFileInfo(RutaINI()).dir().filePath(ruta));
    // Only a regular file: a device or a pipe could block or never end.
    if (!info.isFile() || info.size() > TamanoMaximo)
        return std::nullopt;
    QFile archivo(info.filePath());
    if (!archivo.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray datos = archivo.read(TamanoMaximo + 1);
    if (datos.isEmpty() || datos.size() > TamanoMaximo)
        return std::nullopt;
    return datos;
}

std::optional<QByteArray> CargadorXml::Descargar(const QUrl &url) const
{
    if (!url.isValid() || url.host().isEmpty())
        return std::nullopt;
    const DescargaHttp *red = ModuloRed();
    if (!red)
        return std::nullopt;
    const EsperaSinEntrada espera;
    return red->Descargar(url, {TamanoMaximo, RedireccionesMaximas, tiempoMaximo});
}

bool CargadorXml::CargarDatos(const QByteArray &datos)
{
    documento = QDomDocument();
    if (!EstructuraAceptable(datos))
        return false;
    QDomDocument leido;
    if (!leido.setContent(datos, false))
        return false;
    documento = leido;
    return !documento.documentElement().isNull();
}

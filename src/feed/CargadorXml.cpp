#include "feed/CargadorXml.h"

#include "settings/modINIer.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QRegularExpression>
#include <QTimer>
#include <QUrl>
#include <QXmlStreamReader>

namespace {

std::chrono::milliseconds tiempoMaximo = std::chrono::seconds(15);

// A feed needs a handful of levels, attributes and some hundred nodes; the
// parser slows down with the square of the depth and of the attributes of one
// element, and each node of the built document takes up to a few KB.
constexpr int ProfundidadMaxima = 256;
constexpr int AtributosMaximos = 64;
constexpr int NodosMaximos = 20000;

// Markup whose inside holds no element: comments, CDATA sections and
// processing instructions, with the bytes that open and close each.
constexpr std::pair<QByteArrayView, QByteArrayView> Opacos[]
    = {{"<!--", "-->"}, {"<![CDATA[", "]]>"}, {"<?", "?>"}};

// A linear scan of the raw bytes, following tags and quoted values as the
// parser does: false when elements would nest deeper, carry more attributes
// or be more than allowed. Every attribute has one '=' outside quotes, and
// every other node but text begins with '<'.
bool MarcadoAcotado(QByteArrayView datos)
{
    int profundidad = 0;
    int atributos = 0;
    int nodos = 0;
    char comilla = 0;
    bool enEtiqueta = false;
    for (qsizetype i = 0; i < datos.size(); ++i) {
        const char c = datos[i];
        if (comilla) {
            if (c == comilla)
                comilla = 0;
        } else if (c == '<') {
            if (++nodos > NodosMaximos)
                return false;
            const QByteArrayView resto = datos.sliced(i);
            const auto opaco = std::ranges::find_if(
                Opacos, [&](const auto &marcas) { return resto.startsWith(marcas.first); });
            enEtiqueta = opaco == std::end(Opacos);
            atributos = 0;
            if (!enEtiqueta) {
                const qsizetype fin = datos.indexOf(opaco->second, i + opaco->first.size());
                if (fin < 0)
                    return false;
                i = fin + opaco->second.size() - 1;
            } else if (resto.startsWith("</")) {
                --profundidad;
            } else if (!resto.startsWith("<!") && ++profundidad > ProfundidadMaxima) {
                return false;
            }
        } else if (enEtiqueta) {
            if (c == '"' || c == '\'')
                comilla = c;
            else if (c == '=' && (++atributos > AtributosMaximos || ++nodos > NodosMaximos))
                return false;
            else if (c == '>') {
                enEtiqueta = false;
                if (datos[i - 1] == '/')
                    --profundidad;
            }
        }
    }
    return true;
}

// Whether the parser reads the bytes as the scan above does: in an encoding
// where every byte below 0x80 stands for itself. UTF-16 and UTF-32 always
// hold zero bytes; any other encoding must be declared.
bool CodificacionCompatible(const QByteArray &datos)
{
    if (datos.contains('\0'))
        return false;
    QXmlStreamReader lector(datos);
    lector.readNext();
    const QRegularExpression compatibles(QRegularExpression::anchoredPattern(QStringLiteral(
                                             "(utf-8|us-ascii|iso-8859-\\d+|windows-125\\d)?")),
                                         QRegularExpression::CaseInsensitiveOption);
    return compatibles.match(lector.documentEncoding()).hasMatch();
}

// Only a regular file: a device or a pipe could block or never end.
QByteArray LeerArchivo(const QString &ruta)
{
    const QFileInfo info(QFileInfo(RutaINI()).dir().filePath(ruta));
    QFile archivo(info.filePath());
    if (ruta.isEmpty() || !info.isFile() || info.size() > CargadorXml::TamanoMaximo
        || !archivo.open(QIODevice::ReadOnly))
        return {};
    return archivo.read(CargadorXml::TamanoMaximo + 1);
}

// The body of the answer, or nothing on an error status, a failed transfer,
// a redirect from https to http, or one past a limit. An answer that grows
// past the size limit is cut off as soon as it does.
QByteArray Descargar(const QUrl &url)
{
    QNetworkAccessManager gestor;
    QNetworkRequest peticion(url);
    peticion.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                          QNetworkRequest::NoLessSafeRedirectPolicy);
    peticion.setMaximumRedirectsAllowed(CargadorXml::RedireccionesMaximas);
    QNetworkReply *respuesta = gestor.get(peticion);
    QObject::connect(respuesta, &QNetworkReply::downloadProgress, respuesta,
                     [respuesta](qint64, qint64 total) {
                         if (total > CargadorXml::TamanoMaximo
                             || respuesta->bytesAvailable() > CargadorXml::TamanoMaximo)
                             respuesta->abort();
                     });
    QEventLoop bucle;
    QObject::connect(respuesta, &QNetworkReply::finished, &bucle, &QEventLoop::quit);
    QTimer::singleShot(tiempoMaximo, respuesta, &QNetworkReply::abort);
    bucle.exec();
    return respuesta->error() == QNetworkReply::NoError ? respuesta->readAll() : QByteArray();
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
    const QUrl url(texto);
    const QString esquema = url.scheme().toLower();
    QByteArray datos;
    if (esquema == QLatin1String("http") || esquema == QLatin1String("https"))
        datos = Descargar(url);
    else if (esquema == QLatin1String("file"))
        datos = LeerArchivo(url.toLocalFile());
    else if (esquema.isEmpty())
        datos = LeerArchivo(texto);
    return CargarDatos(datos);
}

bool CargadorXml::CargarDatos(const QByteArray &datos)
{
    documento = QDomDocument();
    // Without entity declarations every reference expands to one character,
    // so a document within the size limit keeps its text within it too.
    QDomDocument leido;
    if (datos.size() > TamanoMaximo || datos.contains("<!ENTITY") || !MarcadoAcotado(datos)
        || !CodificacionCompatible(datos) || !leido.setContent(datos, false))
        return false;
    documento = leido;
    return !documento.documentElement().isNull();
}

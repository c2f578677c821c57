#include "feed/CargadorXml.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>
#include <QXmlStreamReader>

#include <curl/curl.h>

#include <memory>

namespace {

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
// or be more than allowed, or when the document type declares anything.
// Every attribute has one '=' outside quotes, every other node but text
// begins with '<', and outside quotes a '[' within markup opens the document
// type's internal subset: no declared entity nor default attribute reaches
// the parser, so a document within the size limit stays within the bounds.
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
            else if (c == '[')
                return false;
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
QByteArray LeerArchivo(const QString &ruta, const QString &carpeta)
{
    const QFileInfo info(QDir(carpeta).filePath(ruta));
    QFile archivo(info.filePath());
    if (ruta.isEmpty() || !info.isFile() || info.size() > CargadorXml::TamanoMaximo
        || !archivo.open(QIODevice::ReadOnly))
        return {};
    return archivo.read(CargadorXml::TamanoMaximo + 1);
}

// Appends what arrives to the body. Past the size limit the short count makes
// libcurl abort the transfer, so an endless body ends at the limit.
size_t Recibir(char *datos, size_t tamano, size_t cuantos, void *destino)
{
    auto *cuerpo = static_cast<QByteArray *>(destino);
    const auto bytes = qsizetype(tamano * cuantos);
    if (cuerpo->size() + bytes > CargadorXml::TamanoMaximo)
        return 0;
    cuerpo->append(datos, bytes);
    return size_t(bytes);
}

// Runs the transfer to its end, handing the application's events every few
// hundredths of a second meanwhile so that the windows repaint.
CURLcode Transferir(CURL *transferencia)
{
    CURLM *multi = curl_multi_init();
    curl_multi_add_handle(multi, transferencia);
    int activas = 1;
    while (activas > 0 && curl_multi_perform(multi, &activas) == CURLM_OK) {
        QCoreApplication::processEvents();
        if (activas > 0)
            curl_multi_poll(multi, nullptr, 0, 50, nullptr);
    }
    int pendientes = 0;
    const CURLMsg *mensaje = curl_multi_info_read(multi, &pendientes);
    const CURLcode resultado = mensaje ? mensaje->data.result : CURLE_RECV_ERROR;
    curl_multi_remove_handle(multi, transferencia);
    curl_multi_cleanup(multi);
    return resultado;
}

// What one request gave: the body of a success, or the address a redirect
// points to; both empty when it failed.
struct Respuesta
{
    QByteArray cuerpo;
    QUrl redireccion;
};

// One GET of an http or https `url`, within `tiempo`. libcurl bounds the
// header lines it keeps and stops a declared size past the limit; the body is
// counted as it arrives, decompressed.
Respuesta Pedir(const QUrl &url, std::chrono::milliseconds tiempo)
{
    const std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> transferencia(curl_easy_init(),
                                                                            curl_easy_cleanup);
    Respuesta respuesta;
    CURL *curl = transferencia.get();
    if (!curl)
        return respuesta;
    curl_easy_setopt(curl, CURLOPT_URL, url.toEncoded().constData());
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    // No proxy taken from the environment, and every compression libcurl knows.
    curl_easy_setopt(curl, CURLOPT_PROXY, "");
    curl_easy_setopt(curl, CURLOPT_ACCEPT_ENCODING, "");
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, long(tiempo.count()));
    curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(CargadorXml::TamanoMaximo));
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Recibir);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &respuesta.cuerpo);
    long estado = 0;
    const char *destino = nullptr;
    if (Transferir(curl) != CURLE_OK
        || curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &estado) != CURLE_OK
        || curl_easy_getinfo(curl, CURLINFO_REDIRECT_URL, &destino) != CURLE_OK)
        return {};
    if (destino)
        return {{}, QUrl(QString::fromUtf8(destino))};
    if (estado < 200 || estado > 299)
        return {};
    return respuesta;
}

bool EsWeb(const QUrl &url)
{
    return url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https");
}

// The body of the answer, or nothing on an error status, a failed transfer,
// a redirect from https to http or out of the web, or one past a limit. The
// time-out counts for all the redirects together.
QByteArray Descargar(QUrl url, std::chrono::milliseconds tiempoMaximo)
{
    using namespace std::chrono;
    const auto fin = steady_clock::now() + tiempoMaximo;
    for (int redirecciones = 0;; ++redirecciones) {
        const auto queda = duration_cast<milliseconds>(fin - steady_clock::now());
        // libcurl reads a time-out of 0 as none.
        if (queda <= milliseconds::zero())
            return {};
        Respuesta respuesta = Pedir(url, queda);
        if (respuesta.redireccion.isEmpty())
            return respuesta.cuerpo;
        const bool menosSegura = url.scheme() == QLatin1String("https")
            && respuesta.redireccion.scheme() != QLatin1String("https");
        if (redirecciones == CargadorXml::RedireccionesMaximas || menosSegura
            || !EsWeb(respuesta.redireccion))
            return {};
        url = respuesta.redireccion;
    }
}

} // namespace

bool CargadorXml::Cargar(const QString &direccion, const QString &carpeta)
{
    documento = QDomDocument();
    const QString texto = direccion.trimmed();
    const QUrl url(texto);
    QByteArray datos;
    if (EsWeb(url))
        datos = Descargar(url, tiempoMaximo);
    else if (url.scheme() == QLatin1String("file"))
        datos = LeerArchivo(url.toLocalFile(), carpeta);
    else if (url.scheme().isEmpty())
        datos = LeerArchivo(texto, carpeta);
    return CargarDatos(datos);
}

bool CargadorXml::CargarDatos(const QByteArray &datos)
{
    documento = QDomDocument();
    QDomDocument leido;
    if (datos.size() > TamanoMaximo || !MarcadoAcotado(datos) || !CodificacionCompatible(datos)
        || !leido.setContent(datos, false))
        return false;
    documento = leido;
    return !documento.documentElement().isNull();
}

#include "settings/DocumentoIni.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <tuple>

namespace {

// A mark after the one that tells the encoding is a character of the text.
constexpr auto Banderas
    = QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom;

bool EsBlanco(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool EsSalto(QChar c)
{
    return c == u'\r' || c == u'\n';
}

QStringView Recortar(QStringView texto)
{
    while (!texto.isEmpty() && EsBlanco(texto.front()))
        texto = texto.sliced(1);
    while (!texto.isEmpty() && EsBlanco(texto.back()))
        texto.chop(1);
    return texto;
}

QString SinSaltos(QStringView texto)
{
    return texto.toString().replace(u'\r', u' ').replace(u'\n', u' ');
}

// A name as it is written: one line, no blanks around it.
QString NombreEscrito(QStringView nombre)
{
    return Recortar(SinSaltos(nombre)).toString();
}

// A name as it is looked up.
QString Plegado(QStringView nombre)
{
    return nombre.toString().toCaseFolded();
}

// A name asked for, as it is looked up: written on one line, then folded.
QString Buscado(QStringView nombre)
{
    if (std::any_of(nombre.begin(), nombre.end(), EsSalto))
        return NombreEscrito(nombre).toCaseFolded();
    return Plegado(Recortar(nombre));
}

bool EntreComillas(QStringView valor)
{
    return valor.size() >= 2 && valor.front() == valor.back()
        && (valor.front() == u'"' || valor.front() == u'\'');
}

// A value that would lose its outer blanks or quotes when read goes between
// double quotes, which reading removes again.
QString ValorEscrito(const QString &valor)
{
    if (!valor.isEmpty()
        && (EsBlanco(valor.front()) || EsBlanco(valor.back()) || EntreComillas(valor)))
        return u'"' + valor + u'"';
    return valor;
}

qsizetype FinDeLinea(QStringView texto, qsizetype inicio)
{
    return std::find_if(texto.begin() + inicio, texto.end(), EsSalto) - texto.begin();
}

bool EsAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; });
}

// The encoding of `bytes`, by their byte-order mark or else their validity as
// UTF-8, and the mark.
std::pair<QByteArray, QByteArray> CodificacionDe(QByteArrayView bytes)
{
    if (bytes.startsWith("\xFF\xFE"))
        return {"UTF-16LE", "\xFF\xFE"};
    if (bytes.startsWith("\xFE\xFF"))
        return {"UTF-16BE", "\xFE\xFF"};
    const QByteArray marca = bytes.startsWith("\xEF\xBB\xBF") ? "\xEF\xBB\xBF" : "";
    return {bytes.sliced(marca.size()).isValidUtf8() ? "UTF-8" : "windows-1252", marca};
}

} // namespace

DocumentoIni::DocumentoIni(QByteArray bytes)
    : contenido(std::move(bytes))
{
    if (contenido.size() > TamanoMaximo) {
        estado = EstadoINI::DemasiadoGrande;
        return;
    }
    std::tie(codificacion, marca) = CodificacionDe(contenido);
    QStringDecoder decodificador(codificacion.constData(), Banderas);
    if (!decodificador.isValid())
        decodificador = QStringDecoder(QStringConverter::Latin1, Banderas);
    texto = decodificador.decode(QByteArrayView(contenido).sliced(marca.size()));
    if (texto.contains(QChar(0))) {
        estado = EstadoINI::Ilegible;
        return;
    }
    Bloque *bloque = nullptr;
    for (qsizetype inicio = 0;;) {
        const qsizetype fin = FinDeLinea(texto, inicio);
        AnalizarLinea(inicio, fin, bloque);
        if (fin == texto.size())
            break;
        const bool crlf = texto[fin] == u'\r' && fin + 1 < texto.size() && texto[fin + 1] == u'\n';
        inicio = fin + (crlf ? 2 : 1);
    }
}

// Keys count only in the first block of their section; before any section
// there is no block at all. `bloque` is the first block being read, and null
// outside one.
void DocumentoIni::AnalizarLinea(qsizetype inicio, qsizetype fin, Bloque *&bloque)
{
    const QStringView linea = QStringView(texto).sliced(inicio, fin - inicio);
    const QStringView recortada = Recortar(linea);
    if (recortada.isEmpty())
        return;
    const qsizetype cierre = recortada.front() == u'[' ? recortada.lastIndexOf(u']') : -1;
    if (cierre > 0) {
        const qsizetype antes = secciones.size();
        Bloque &encontrado = secciones[Plegado(Recortar(recortada.sliced(1, cierre - 1)))];
        bloque = secciones.size() > antes ? &encontrado : nullptr;
    } else if (recortada.front() != u';' && recortada.front() != u'#' && bloque) {
        const qsizetype igual = linea.indexOf(u'=');
        if (igual < 0)
            return;
        const qsizetype antes = bloque->posiciones.size();
        qsizetype &posicion = bloque->posiciones[Plegado(Recortar(linea.left(igual)))];
        if (bloque->posiciones.size() > antes) {
            posicion = bloque->claves.size();
            bloque->claves.append({inicio, inicio + igual, fin});
        }
    }
    if (bloque)
        bloque->fin = fin;
}

const DocumentoIni::Clave *DocumentoIni::Buscar(QStringView seccion, QStringView clave) const
{
    const auto bloque = secciones.constFind(Buscado(seccion));
    if (bloque == secciones.cend())
        return nullptr;
    const auto posicion = bloque->posiciones.constFind(Buscado(clave));
    return posicion == bloque->posiciones.cend() ? nullptr : &bloque->claves.at(*posicion);
}

QStringView DocumentoIni::Valor(const Clave &clave) const
{
    const QStringView valor
        = Recortar(QStringView(texto).sliced(clave.igual + 1, clave.fin - clave.igual - 1));
    return EntreComillas(valor) ? valor.sliced(1, valor.size() - 2) : valor;
}

QString DocumentoIni::Leer(QStringView seccion, QStringView clave) const
{
    const Clave *encontrada = Buscar(seccion, clave);
    return encontrada ? Valor(*encontrada).toString() : QString();
}

QList<std::pair<QStringView, QStringView>> DocumentoIni::Seccion(QStringView seccion) const
{
    const auto bloque = secciones.constFind(Buscado(seccion));
    if (bloque == secciones.cend())
        return {};
    QList<std::pair<QStringView, QStringView>> claves;
    claves.reserve(bloque->claves.size());
    for (const Clave &clave : bloque->claves)
        claves.append(
            {Recortar(QStringView(texto).sliced(clave.inicio, clave.igual - clave.inicio)),
             Valor(clave)});
    return claves;
}

std::optional<DocumentoIni> DocumentoIni::Escribir(QStringView seccion, QStringView clave,
                                                   QStringView valor) const
{
    // Bytes that do not come back from their own text would change unseen.
    if (estado != EstadoINI::Legible || !texto.isValidUtf16()
        || marca + Codificar(texto).value_or(QByteArray()) != contenido)
        return std::nullopt;
    const QString valorPlano = SinSaltos(valor);
    const QString escrito = ValorEscrito(valorPlano);
    const QString salto = FinDeLineaPropio();
    const QString lineaNueva = NombreEscrito(clave) + u'=' + escrito;
    QString nuevo = texto;
    if (const Clave *existente = Buscar(seccion, clave)) {
        qsizetype desde = existente->igual + 1;
        while (desde < existente->fin && EsBlanco(texto[desde]))
            ++desde;
        nuevo.replace(desde, existente->fin - desde, escrito);
    } else if (const auto bloque = secciones.constFind(Buscado(seccion));
               bloque != secciones.cend()) {
        nuevo.insert(bloque->fin, salto + lineaNueva);
    } else {
        if (!texto.isEmpty() && !EsSalto(texto.back()))
            nuevo += salto;
        nuevo += u'[' + NombreEscrito(seccion) + u']' + salto + lineaNueva + salto;
    }
    const std::optional<QByteArray> bytes = Codificar(nuevo);
    if (!nuevo.isValidUtf16() || !bytes)
        return std::nullopt;
    // A result over the size limit or holding a NUL is unreadable, so the key
    // is not found in it.
    DocumentoIni resultado(marca + *bytes);
    // A Windows-1252 text whose other bytes happen to form UTF-8 once the old
    // value is gone would change the meaning of every other value.
    const bool otraCodificacion
        = codificacion != resultado.codificacion && !EsAscii(resultado.contenido);
    // An empty value reads back from a key that is not there, so the key
    // itself must be found.
    if (otraCodificacion || !resultado.Buscar(seccion, clave)
        || resultado.Leer(seccion, clave) != valorPlano)
        return std::nullopt;
    return resultado;
}

std::optional<QByteArray> DocumentoIni::Codificar(QStringView texto) const
{
    QStringEncoder codificador(codificacion.constData(), Banderas);
    if (!codificador.isValid())
        codificador = QStringEncoder(QStringConverter::Latin1, Banderas);
    QByteArray bytes = codificador.encode(texto);
    if (codificador.hasError())
        return std::nullopt;
    return bytes;
}

QString DocumentoIni::FinDeLineaPropio() const
{
    const qsizetype fin = FinDeLinea(texto, 0);
    if (fin == texto.size())
        return QStringLiteral("\n");
    return texto.mid(fin, texto.mid(fin, 2) == u"\r\n" ? 2 : 1);
}

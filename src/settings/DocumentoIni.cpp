#include "settings/DocumentoIni.h"

#include <QHashFunctions>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <cstring>

namespace {

constexpr QByteArrayView MarcaUtf8 = "\xEF\xBB\xBF";
constexpr quint32 RanuraVacia = 0xFFFFFFFF;

bool EsBlanco(char c)
{
    return c == ' ' || c == '\t';
}

bool EsBlanco(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool EsSalto(char c)
{
    return c == '\n' || c == '\r';
}

struct FormaUtf8
{
    uchar mascara;
    uchar patron;
    qsizetype continuaciones;
    char32_t minimo;
};

// The lead bytes of sequences of two, three and four bytes, with the smallest
// code point each may carry (anything smaller is an overlong form).
constexpr FormaUtf8 FormasUtf8[] = {
    {0xE0, 0xC0, 1, 0x80},
    {0xF0, 0xE0, 2, 0x800},
    {0xF8, 0xF0, 3, 0x10000},
};

// The length of the UTF-8 sequence starting at `i`, or 0 when it is not a
// valid one.
qsizetype LongitudSecuenciaUtf8(QByteArrayView bytes, qsizetype i)
{
    const uchar inicial = uchar(bytes[i]);
    if (inicial < 0x80)
        return 1;
    const auto forma
        = std::find_if(std::begin(FormasUtf8), std::end(FormasUtf8),
                       [&](const FormaUtf8 &f) { return (inicial & f.mascara) == f.patron; });
    if (forma == std::end(FormasUtf8) || bytes.size() - i <= forma->continuaciones)
        return 0;
    char32_t punto = inicial & ~forma->mascara;
    for (qsizetype k = 1; k <= forma->continuaciones; ++k) {
        const uchar siguiente = uchar(bytes[i + k]);
        if ((siguiente & 0xC0) != 0x80)
            return 0;
        punto = (punto << 6) | (siguiente & 0x3F);
    }
    const bool sustituto = punto >= 0xD800 && punto <= 0xDFFF;
    if (punto < forma->minimo || punto > 0x10FFFF || sustituto)
        return 0;
    return forma->continuaciones + 1;
}

bool EsUtf8Valido(QByteArrayView bytes)
{
    for (qsizetype i = 0; i < bytes.size();) {
        const qsizetype longitud = LongitudSecuenciaUtf8(bytes, i);
        if (longitud == 0)
            return false;
        i += longitud;
    }
    return true;
}

bool EsAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; });
}

QString SinSaltos(QStringView texto)
{
    return texto.toString().replace(u'\r', u' ').replace(u'\n', u' ');
}

QStringView SinBlancosAlrededor(QStringView texto)
{
    while (!texto.isEmpty() && EsBlanco(texto.front()))
        texto = texto.sliced(1);
    while (!texto.isEmpty() && EsBlanco(texto.back()))
        texto.chop(1);
    return texto;
}

// A name as it is written and looked up: one line, no blanks around it.
QString NombreEscrito(QStringView nombre)
{
    return SinBlancosAlrededor(SinSaltos(nombre)).toString();
}

// A value that would lose its outer blanks or quotes when read goes between
// quotes, which reading removes again.
QString ValorEntreComillasSiHaceFalta(const QString &valor)
{
    if (valor.isEmpty())
        return valor;
    const bool entreComillas = valor.size() >= 2 && valor.front() == u'"' && valor.back() == u'"';
    if (EsBlanco(valor.front()) || EsBlanco(valor.back()) || entreComillas)
        return u'"' + valor + u'"';
    return valor;
}

std::optional<QByteArray> CodificarLatin1(QStringView texto)
{
    const bool representable
        = std::all_of(texto.begin(), texto.end(), [](QChar c) { return c.unicode() <= 0xFF; });
    if (!representable)
        return std::nullopt;
    return texto.toLatin1();
}

// Names are compared by their case-folded UTF-16 text. `plegado` is empty on
// entry.
void AnadirPlegado(const QString &texto, QVarLengthArray<char16_t, 64> &plegado)
{
    const QString texto16 = texto.toCaseFolded();
    plegado.append(reinterpret_cast<const char16_t *>(texto16.utf16()), texto16.size());
}

// The same as AnadirPlegado(NombreEscrito(nombre), plegado), without building
// any text for a plain ASCII name on one line, as every name the program
// asks for is.
void PlegarConsulta(QStringView nombre, QVarLengthArray<char16_t, 64> &plegado)
{
    const QStringView recortado = SinBlancosAlrededor(nombre);
    plegado.resize(recortado.size());
    char16_t *destino = plegado.data();
    for (const QChar c : recortado) {
        const char16_t u = c.unicode();
        if (u >= 0x80 || u == u'\r' || u == u'\n') {
            plegado.clear();
            AnadirPlegado(NombreEscrito(nombre), plegado);
            return;
        }
        *destino++ = u >= u'A' && u <= u'Z' ? char16_t(u - u'A' + u'a') : u;
    }
}

char16_t PlegarAscii(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c;
}

// Whether a name as written in the text and a name asked for, both without
// blanks around them, are the same plain ASCII name in any letter case. Any
// other character answers no; the general comparison decides those.
bool MismoNombreAscii(QByteArrayView escrito, QStringView consultado)
{
    if (escrito.size() != consultado.size())
        return false;
    for (qsizetype i = 0; i < escrito.size(); ++i) {
        const char16_t c = consultado[i].unicode();
        const uchar b = uchar(escrito[i]);
        if (c < 0x20 || c >= 0x80 || b >= 0x80 || PlegarAscii(c) != PlegarAscii(b))
            return false;
    }
    return true;
}

quint32 Hash(const QVarLengthArray<char16_t, 64> &nombre, size_t semilla)
{
    return quint32(qHash(QStringView(nombre.constData(), nombre.size()), semilla));
}

// The indexes are open-addressing tables with linear probing: a power-of-two
// number of slots, at most half of them holding a position in the list of
// sections or keys.
template<typename Coincide>
qsizetype BuscarEnIndice(const QList<quint32> &ranuras, quint32 hash, Coincide coincide)
{
    if (ranuras.isEmpty())
        return -1;
    const qsizetype mascara = ranuras.size() - 1;
    for (qsizetype i = hash & mascara; ranuras[i] != RanuraVacia; i = (i + 1) & mascara) {
        if (coincide(ranuras[i]))
            return ranuras[i];
    }
    return -1;
}

void ColocarEnIndice(QList<quint32> &ranuras, qsizetype posicion, quint32 hash)
{
    const qsizetype mascara = ranuras.size() - 1;
    qsizetype i = hash & mascara;
    while (ranuras[i] != RanuraVacia)
        i = (i + 1) & mascara;
    ranuras[i] = quint32(posicion);
}

qsizetype RanurasPara(qsizetype elementos)
{
    qsizetype ranuras = 16;
    while (ranuras < elementos * 2)
        ranuras *= 2;
    return ranuras;
}

// Adds the last element of `lista`, whose elements carry their `hash`.
template<typename Elemento>
void AnadirAlIndice(QList<quint32> &ranuras, const QList<Elemento> &lista)
{
    if (lista.size() * 2 > ranuras.size()) {
        QList<quint32> mayores(RanurasPara(lista.size()), RanuraVacia);
        for (qsizetype posicion = 0; posicion + 1 < lista.size(); ++posicion)
            ColocarEnIndice(mayores, posicion, lista[posicion].hash);
        ranuras = std::move(mayores);
    }
    ColocarEnIndice(ranuras, lista.size() - 1, lista.back().hash);
}

} // namespace

DocumentoIni::DocumentoIni(QByteArray bytes)
    : contenido(std::move(bytes))
    , inicioTexto(contenido.startsWith(MarcaUtf8) ? MarcaUtf8.size() : 0)
    , utf8(EsUtf8Valido(QByteArrayView(contenido).sliced(inicioTexto)))
{
    if (contenido.size() > TamanoMaximo)
        return;
    // Room for every key up front: there are no more of them than lines or "=".
    const auto contar = [this](char c) {
        return std::count(contenido.cbegin(), contenido.cend(), c);
    };
    const qsizetype previstas = std::min(contar('\n') + contar('\r') + 1, contar('='));
    claves.reserve(previstas);
    indiceClaves.fill(RanuraVacia, RanurasPara(previstas));

    qsizetype seccionActual = -1;
    bool enPrimerBloque = false;
    for (qsizetype inicio = inicioTexto;;) {
        const qsizetype fin = FinDeLinea(inicio);
        AnalizarLinea(inicio, fin, seccionActual, enPrimerBloque);
        if (fin == contenido.size())
            break;
        inicio = fin + LargoDeSalto(fin);
    }
}

// Only the first block of a section grows when a key is added to it, so only
// that block moves its end.
void DocumentoIni::AnalizarLinea(qsizetype inicio, qsizetype fin, qsizetype &seccionActual,
                                 bool &enPrimerBloque)
{
    const qsizetype primero = SaltarBlancos(inicio, fin);
    if (primero == fin)
        return;
    const char marca = contenido.at(primero);
    if (marca == '[') {
        seccionActual = AbrirSeccion(inicio, primero, fin, enPrimerBloque);
    } else if (marca != ';' && marca != '#' && seccionActual >= 0) {
        const qsizetype igual = Buscar('=', primero, fin);
        if (igual < fin)
            AnadirClave(primero, igual, seccionActual);
    }
    if (enPrimerBloque)
        secciones[seccionActual].ultimaLinea = Posicion(inicio);
}

qsizetype DocumentoIni::AbrirSeccion(qsizetype linea, qsizetype primero, qsizetype fin, bool &nueva)
{
    NombrePlegado nombre;
    Plegar(Recortado(primero + 1, Buscar(']', primero + 1, fin)), nombre);
    const quint32 hash = Hash(nombre, 0);
    const qsizetype existente = BuscarSeccion(nombre, hash);
    nueva = existente < 0;
    if (!nueva)
        return existente;
    secciones.append({Posicion(linea), Posicion(linea), hash});
    AnadirAlIndice(indiceSecciones, secciones);
    return secciones.size() - 1;
}

void DocumentoIni::AnadirClave(qsizetype primero, qsizetype igual, qsizetype seccion)
{
    NombrePlegado nombre;
    Plegar(Recortado(primero, igual), nombre);
    const quint32 hash = Hash(nombre, size_t(seccion));
    if (BuscarClave(seccion, nombre, hash) >= 0)
        return;
    claves.append({Posicion(primero), Posicion(seccion), hash});
    AnadirAlIndice(indiceClaves, claves);
}

qsizetype DocumentoIni::BuscarSeccion(const NombrePlegado &nombre, quint32 hash) const
{
    return BuscarEnIndice(indiceSecciones, hash, [&](qsizetype posicion) {
        const Seccion &seccion = secciones[posicion];
        return seccion.hash == hash && MismoNombre(NombreDeSeccion(seccion.cabecera), nombre);
    });
}

qsizetype DocumentoIni::BuscarClave(qsizetype seccion, const NombrePlegado &nombre,
                                    quint32 hash) const
{
    return BuscarEnIndice(indiceClaves, hash, [&](qsizetype posicion) {
        const Clave &clave = claves[posicion];
        return clave.hash == hash && clave.seccion == Posicion(seccion)
            && MismoNombre(NombreDeClave(clave), nombre);
    });
}

qsizetype DocumentoIni::SeccionConsultada(QStringView seccion) const
{
    if (seccionConsultada && *seccionConsultada == seccion)
        return posicionConsultada;
    NombrePlegado nombre;
    PlegarConsulta(seccion, nombre);
    posicionConsultada = BuscarSeccion(nombre, Hash(nombre, 0));
    seccionConsultada = seccion.toString();
    return posicionConsultada;
}

qsizetype DocumentoIni::ClaveConsultada(qsizetype seccion, QStringView clave) const
{
    // Each name is listed once in each section, so a key found by position is
    // the one the index would give.
    qsizetype posicion = claveSiguiente;
    const bool siguiente = posicion < claves.size() && claves[posicion].seccion == Posicion(seccion)
        && MismoNombreAscii(NombreDeClave(claves[posicion]), SinBlancosAlrededor(clave));
    if (!siguiente) {
        NombrePlegado nombre;
        PlegarConsulta(clave, nombre);
        posicion = BuscarClave(seccion, nombre, Hash(nombre, size_t(seccion)));
    }
    if (posicion >= 0)
        claveSiguiente = posicion + 1;
    return posicion;
}

qsizetype DocumentoIni::ClaveBuscada(QStringView seccion, QStringView clave) const
{
    const qsizetype posicion = SeccionConsultada(seccion);
    return posicion < 0 ? -1 : ClaveConsultada(posicion, clave);
}

QString DocumentoIni::Leer(QStringView seccion, QStringView clave) const
{
    QString valor;
    Leer(seccion, clave, valor);
    return valor;
}

void DocumentoIni::Leer(QStringView seccion, QStringView clave, QString &valor) const
{
    const qsizetype posicion = ClaveBuscada(seccion, clave);
    if (posicion < 0) {
        valor.clear();
        return;
    }
    QByteArrayView bytes = ValorDeClave(claves[posicion]);
    if (bytes.size() >= 2 && bytes.front() == '"' && bytes.back() == '"')
        bytes = bytes.sliced(1, bytes.size() - 2);
    DecodificarEn(bytes, valor);
}

std::optional<DocumentoIni> DocumentoIni::Escribir(QStringView seccion, QStringView clave,
                                                   QStringView valor) const &
{
    return DocumentoIni(*this).Escribir(seccion, clave, valor);
}

std::optional<DocumentoIni> DocumentoIni::Escribir(QStringView seccion, QStringView clave,
                                                   QStringView valor) &&
{
    const QString texto = SinSaltos(valor);
    const std::optional<QByteArray> bytesValor = Codificar(ValorEntreComillasSiHaceFalta(texto));
    if (!bytesValor)
        return std::nullopt;
    const std::optional<Edicion> edicion = ConValor(seccion, clave, *bytesValor);
    if (!edicion)
        return std::nullopt;
    if (contenido.size() - (edicion->hasta - edicion->desde) + edicion->bytes.size() > TamanoMaximo)
        return std::nullopt;
    const bool eraUtf8 = utf8;
    Editar(*edicion);
    // A Windows-1252 text whose other bytes happen to form UTF-8 once the old
    // value is gone would change the meaning of every other value.
    const bool otraCodificacion = !eraUtf8 && utf8 && !EsAscii(contenido);
    // An empty value reads back from a key that is not there, so the key
    // itself must be found.
    const bool encontrada = ClaveBuscada(seccion, clave) >= 0;
    if (otraCodificacion || !encontrada || Leer(seccion, clave) != texto)
        return std::nullopt;
    return std::move(*this);
}

std::optional<DocumentoIni::Edicion> DocumentoIni::ConValor(QStringView seccion, QStringView clave,
                                                            const QByteArray &valor) const
{
    const qsizetype posicionSeccion = SeccionConsultada(seccion);
    const qsizetype posicion = posicionSeccion < 0 ? -1 : ClaveConsultada(posicionSeccion, clave);
    if (posicion >= 0) {
        const qsizetype igual = IgualDeClave(claves[posicion]);
        const qsizetype fin = FinDeLinea(igual);
        return Edicion {SaltarBlancos(igual + 1, fin), fin, valor};
    }
    const std::optional<QByteArray> nombreClave = Codificar(NombreEscrito(clave));
    if (!nombreClave)
        return std::nullopt;
    const QByteArray salto = FinDeLineaPropio();
    const QByteArray lineaClave = *nombreClave + '=' + valor;
    if (posicionSeccion >= 0) {
        const qsizetype final = FinDeLinea(secciones[posicionSeccion].ultimaLinea);
        return Edicion {final, final, salto + lineaClave, true, posicionSeccion};
    }
    const std::optional<QByteArray> nombreSeccion = Codificar(NombreEscrito(seccion));
    if (!nombreSeccion)
        return std::nullopt;
    const QByteArray cierre = TerminaEnLineaCompleta() ? QByteArray() : salto;
    const QByteArray seccionNueva = '[' + *nombreSeccion + ']' + salto + lineaClave + salto;
    return Edicion {contenido.size(), contenido.size(), cierre + seccionNueva, true};
}

// The lines an edit leaves alone read as before and only move, so the index
// is moved with them and only the new lines are read, as a parse of the
// whole text would read them there. A text that is not UTF-8 before and
// after is parsed whole, as an edit may change how all of it decodes.
void DocumentoIni::Editar(const Edicion &edicion)
{
    const qsizetype tamanoAnterior = contenido.size();
    contenido.replace(edicion.desde, edicion.hasta - edicion.desde, edicion.bytes);
    if (!utf8 || !EsUtf8Valido(edicion.bytes)) {
        *this = DocumentoIni(std::move(contenido));
        return;
    }
    // A section looked up before may be the one the edit adds.
    seccionConsultada.reset();
    // No line or name the index points at starts inside the replaced bytes,
    // and none after them when they end the text.
    const qsizetype desplazamiento = edicion.bytes.size() - (edicion.hasta - edicion.desde);
    const auto mover = [&](Posicion &posicion) {
        if (posicion >= edicion.hasta)
            posicion = Posicion(posicion + desplazamiento);
    };
    if (desplazamiento != 0 && edicion.hasta < tamanoAnterior) {
        for (Seccion &seccion : secciones) {
            mover(seccion.cabecera);
            mover(seccion.ultimaLinea);
        }
        for (Clave &clave : claves)
            mover(clave.nombre);
    }
    if (!edicion.lineasNuevas)
        return;
    qsizetype seccionActual = edicion.seccion;
    bool enPrimerBloque = seccionActual >= 0;
    const qsizetype finNuevas = edicion.desde + edicion.bytes.size();
    for (qsizetype inicio = edicion.desde; inicio < finNuevas;) {
        const qsizetype fin = FinDeLinea(inicio);
        AnalizarLinea(inicio, fin, seccionActual, enPrimerBloque);
        inicio = fin + LargoDeSalto(fin);
    }
}

qsizetype DocumentoIni::FinDeLinea(qsizetype inicio) const
{
    // The line ends at its "\n", unless a "\r" comes before it.
    const char *const datos = contenido.constData();
    const auto *salto = static_cast<const char *>(
        std::memchr(datos + inicio, '\n', std::size_t(contenido.size() - inicio)));
    const qsizetype fin = salto ? salto - datos : contenido.size();
    const auto *retorno
        = static_cast<const char *>(std::memchr(datos + inicio, '\r', std::size_t(fin - inicio)));
    return retorno ? retorno - datos : fin;
}

qsizetype DocumentoIni::SaltarBlancos(qsizetype desde, qsizetype hasta) const
{
    while (desde < hasta && EsBlanco(contenido[desde]))
        ++desde;
    return desde;
}

QByteArrayView DocumentoIni::Recortado(qsizetype desde, qsizetype hasta) const
{
    desde = SaltarBlancos(desde, hasta);
    while (hasta > desde && EsBlanco(contenido[hasta - 1]))
        --hasta;
    return QByteArrayView(contenido).sliced(desde, hasta - desde);
}

qsizetype DocumentoIni::Buscar(char caracter, qsizetype desde, qsizetype hasta) const
{
    const auto inicio = contenido.begin();
    return std::find(inicio + desde, inicio + hasta, caracter) - inicio;
}

// The name ends at the first "]" or at the end of the line; nothing after it
// is looked at.
QByteArrayView DocumentoIni::NombreDeSeccion(qsizetype cabecera) const
{
    const qsizetype inicio = SaltarBlancos(cabecera, contenido.size()) + 1;
    qsizetype cierre = inicio;
    while (cierre < contenido.size() && contenido[cierre] != ']' && !EsSalto(contenido[cierre]))
        ++cierre;
    return Recortado(inicio, cierre);
}

qsizetype DocumentoIni::IgualDeClave(const Clave &clave) const
{
    return Buscar('=', clave.nombre, contenido.size());
}

QByteArrayView DocumentoIni::NombreDeClave(const Clave &clave) const
{
    return Recortado(clave.nombre, IgualDeClave(clave));
}

QByteArrayView DocumentoIni::ValorDeClave(const Clave &clave) const
{
    const qsizetype igual = IgualDeClave(clave);
    return Recortado(igual + 1, FinDeLinea(igual));
}

qsizetype DocumentoIni::LargoDeSalto(qsizetype fin) const
{
    if (fin == contenido.size())
        return 0;
    const bool crlf
        = contenido.at(fin) == '\r' && fin + 1 < contenido.size() && contenido.at(fin + 1) == '\n';
    return crlf ? 2 : 1;
}

QByteArray DocumentoIni::FinDeLineaPropio() const
{
    const qsizetype fin = FinDeLinea(inicioTexto);
    return fin == contenido.size() ? QByteArray("\n") : contenido.mid(fin, LargoDeSalto(fin));
}

bool DocumentoIni::TerminaEnLineaCompleta() const
{
    return contenido.size() == inicioTexto || EsSalto(contenido.back());
}

QString DocumentoIni::Decodificar(QByteArrayView bytes) const
{
    if (utf8)
        return QString::fromUtf8(bytes);
    // A decoder keeps state while it decodes, so each thread has its own.
    static thread_local QStringDecoder windows1252("windows-1252",
                                                   QStringConverter::Flag::Stateless);
    if (!windows1252.isValid())
        return QString::fromLatin1(bytes);
    return windows1252.decode(bytes);
}

// ASCII reads the same in both encodings and is widened in place.
void DocumentoIni::DecodificarEn(QByteArrayView bytes, QString &destino) const
{
    destino.resize(bytes.size());
    auto *caracter = reinterpret_cast<char16_t *>(destino.data());
    uchar todos = 0;
    for (const char b : bytes) {
        todos |= uchar(b);
        *caracter++ = uchar(b);
    }
    if (todos >= 0x80)
        destino = Decodificar(bytes);
}

std::optional<QByteArray> DocumentoIni::Codificar(QStringView texto) const
{
    constexpr auto sinEstado = QStringConverter::Flag::Stateless;
    QStringEncoder codificador = utf8 ? QStringEncoder(QStringConverter::Utf8, sinEstado)
                                      : QStringEncoder("windows-1252", sinEstado);
    if (!codificador.isValid())
        return CodificarLatin1(texto);
    QByteArray bytes = codificador.encode(texto);
    if (codificador.hasError())
        return std::nullopt;
    return bytes;
}

bool DocumentoIni::MismoNombre(QByteArrayView bytes, const NombrePlegado &nombre) const
{
    // Most names are plain ASCII, compared in place without folding a copy.
    if (bytes.size() == nombre.size()) {
        qsizetype i = 0;
        for (; i < bytes.size() && uchar(bytes[i]) < 0x80; ++i) {
            const char c = bytes[i];
            if (char16_t(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c) != nombre[i])
                return false;
        }
        if (i == bytes.size())
            return true;
    }
    NombrePlegado plegado;
    Plegar(bytes, plegado);
    return plegado == nombre;
}

void DocumentoIni::Plegar(QByteArrayView bytes, NombrePlegado &destino) const
{
    destino.clear();
    if (!EsAscii(bytes)) {
        AnadirPlegado(Decodificar(bytes), destino);
        return;
    }
    for (const char c : bytes)
        destino.append(char16_t(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c));
}

// The settings text under arbitrary bytes and a run of reads and writes: no
// fault, and after every write the key reads back its value (line breaks as
// blanks), the other keys read as before, every line the write did not touch
// keeps its bytes, and the edited document answers as its text parsed anew.
//
// Input: two bytes (little-endian) with the length of the file, the file's
// bytes, then operations. An operation is one byte (bit 0: write; bits 1-2:
// how its texts decode: UTF-8, Latin-1 or UTF-16LE) and its texts, the
// section, the key and for a write the value, each a length byte and bytes.

#include "Exigir.h"

#include "settings/DocumentoIni.h"

#include <QHash>

#include <cstdint>

namespace {

class Lector
{
public:
    Lector(const std::uint8_t *datos, std::size_t tamano)
        : datos(datos)
        , tamano(tamano)
    {}

    bool Fin() const { return posicion >= tamano; }

    std::uint8_t Byte() { return Fin() ? 0 : datos[posicion++]; }

    QByteArray Bytes(std::size_t largo)
    {
        largo = std::min(largo, tamano - posicion);
        const QByteArray bytes(reinterpret_cast<const char *>(datos + posicion), qsizetype(largo));
        posicion += largo;
        return bytes;
    }

    QString Texto(int codificacion)
    {
        const QByteArray bytes = Bytes(Byte());
        switch (codificacion) {
        case 0:
            return QString::fromUtf8(bytes);
        case 1:
            return QString::fromLatin1(bytes);
        default:
            return QString(reinterpret_cast<const QChar *>(bytes.constData()), bytes.size() / 2);
        }
    }

private:
    const std::uint8_t *datos;
    std::size_t tamano;
    std::size_t posicion = 0;
};

bool EsSalto(char c)
{
    return c == '\r' || c == '\n';
}

QString SinSaltos(QString texto)
{
    return texto.replace(u'\r', u' ').replace(u'\n', u' ');
}

// Names match after line breaks become blanks, outer blanks go and letter
// case is folded.
QString Nombre(const QString &nombre)
{
    QString texto = SinSaltos(nombre);
    while (texto.startsWith(u' ') || texto.startsWith(u'\t'))
        texto.remove(0, 1);
    while (texto.endsWith(u' ') || texto.endsWith(u'\t'))
        texto.chop(1);
    return texto.toCaseFolded();
}

struct Par
{
    QString seccion;
    QString clave;

    std::pair<QString, QString> Nombres() const { return {Nombre(seccion), Nombre(clave)}; }
};

// Whether `despues` is `antes` with at most one line's text changed, or with
// whole lines added at a line boundary: the bytes that differ, once the
// common start and end are set aside, neither split nor join a line.
// Added lines go before a line's start, ending in a line break, or after a
// line's text, starting with one.
bool SoloCambiaUnaLinea(const QByteArray &antes, const QByteArray &despues)
{
    const qsizetype menor = std::min(antes.size(), despues.size());
    qsizetype inicio = 0;
    while (inicio < menor && antes[inicio] == despues[inicio])
        ++inicio;
    qsizetype final = 0;
    while (final < menor - inicio
           && antes[antes.size() - 1 - final] == despues[despues.size() - 1 - final])
        ++final;
    const QByteArray quitado = antes.mid(inicio, antes.size() - final - inicio);
    const QByteArray puesto = despues.mid(inicio, despues.size() - final - inicio);
    const auto tieneSalto = [](const QByteArray &bytes) {
        return bytes.contains('\r') || bytes.contains('\n');
    };
    if (!tieneSalto(quitado) && !tieneSalto(puesto))
        return true;
    if (!quitado.isEmpty())
        return false;
    const bool soloMarca = inicio == 3 && antes.startsWith("\xEF\xBB\xBF");
    const bool alPrincipio = inicio == 0 || soloMarca || EsSalto(antes[inicio - 1]);
    const bool alFinal = inicio == antes.size() || EsSalto(antes[inicio]);
    return (alPrincipio && (inicio == antes.size() || EsSalto(puesto.back())))
        || (alFinal && EsSalto(puesto.front()));
}

// A key written into every section named so far, to check that an edited
// document knows where each section's lines end.
const QString NuevaClave = QStringLiteral("clave nueva\u00F1");

QByteArray Contenido(const std::optional<DocumentoIni> &documento)
{
    return documento ? documento->Contenido() : QByteArray();
}

bool AsciiSencillo(const QString &texto)
{
    return std::all_of(texto.begin(), texto.end(), [](QChar c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *datos, std::size_t tamano)
{
    Lector lector(datos, tamano);
    const std::size_t largoArchivo = lector.Byte() | std::size_t(lector.Byte()) << 8;
    DocumentoIni documento(lector.Bytes(largoArchivo));

    QList<Par> usados;
    // The last value written under each key, by its matching names.
    QHash<std::pair<QString, QString>, QString> escritos;
    for (int operaciones = 0; !lector.Fin() && operaciones < 64; ++operaciones) {
        const std::uint8_t tipo = lector.Byte();
        const int codificacion = (tipo >> 1) % 3;
        const Par par {lector.Texto(codificacion), lector.Texto(codificacion)};
        usados.append(par);
        if (tipo % 2 == 0) {
            const QString leido = documento.Leer(par.seccion, par.clave);
            const auto escrito = escritos.constFind(par.Nombres());
            Exigir(escrito == escritos.cend() || leido == *escrito,
                   "una clave escrita se lee con su valor");
            continue;
        }
        const QString valor = lector.Texto(codificacion);
        const std::optional<DocumentoIni> nuevo = documento.Escribir(par.seccion, par.clave, valor);
        const bool sencillo = !par.seccion.isEmpty() && !par.clave.isEmpty()
            && AsciiSencillo(par.seccion) && AsciiSencillo(par.clave) && AsciiSencillo(valor);
        Exigir(nuevo || !(sencillo && documento.EsUtf8()),
               "nombres y valor de letras y cifras se guardan siempre");
        if (!nuevo)
            continue;

        const DocumentoIni releido(nuevo->Contenido());
        Exigir(releido.Leer(par.seccion, par.clave) == SinSaltos(valor),
               "la clave escrita se lee con su valor");
        for (const Par &otro : std::as_const(usados)) {
            if (otro.Nombres() != par.Nombres())
                Exigir(releido.Leer(otro.seccion, otro.clave)
                           == documento.Leer(otro.seccion, otro.clave),
                       "las demás claves no cambian");
            Exigir(nuevo->Leer(otro.seccion, otro.clave) == releido.Leer(otro.seccion, otro.clave),
                   "el documento editado se lee como el texto leído de nuevo");
            Exigir(Contenido(nuevo->Escribir(otro.seccion, NuevaClave, valor))
                       == Contenido(releido.Escribir(otro.seccion, NuevaClave, valor)),
                   "el documento editado añade claves donde el texto leído de nuevo");
        }
        Exigir(SoloCambiaUnaLinea(documento.Contenido(), releido.Contenido()),
               "las líneas no tocadas conservan sus bytes");
        const std::optional<DocumentoIni> repetido
            = releido.Escribir(par.seccion, par.clave, valor);
        Exigir(repetido && repetido->Contenido() == releido.Contenido(),
               "escribir el mismo valor otra vez no cambia nada");

        escritos.insert(par.Nombres(), SinSaltos(valor));
        documento = *nuevo;
    }
    return 0;
}

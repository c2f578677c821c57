#include "settings/modINIer.h"

#include "settings/DocumentoIni.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// What identifies one state of a file on disk: any change to its contents
// changes at least one of these, as long as the change is stamped with a
// later time than the one before.
struct Sello
{
    dev_t dispositivo = 0;
    ino_t inodo = 0;
    off_t tamano = 0;
    timespec modificacion {};
    timespec cambio {};

    Sello() = default;
    explicit Sello(const struct stat &estado)
        : dispositivo(estado.st_dev)
        , inodo(estado.st_ino)
        , tamano(estado.st_size)
        , modificacion(estado.st_mtim)
        , cambio(estado.st_ctim)
    {}

    friend bool operator==(const Sello &a, const Sello &b)
    {
        return a.dispositivo == b.dispositivo && a.inodo == b.inodo && a.tamano == b.tamano
            && MismoInstante(a.modificacion, b.modificacion) && MismoInstante(a.cambio, b.cambio);
    }

    static bool MismoInstante(timespec a, timespec b)
    {
        return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
    }
};

// The file as last read or written, so that a run of reads parses it once.
// The copy may stand for the file only while `fiable` holds and the file's
// stamp is still `sello`, or, inside a VistazoINI, once `visto` holds: it was
// checked against the disk within the current look.
struct UltimaLectura
{
    QString ruta;
    Sello sello;
    bool fiable = false;
    DocumentoIni documento;
    bool visto = false;
};

int vistazosAbiertos = 0;

UltimaLectura &Ultima()
{
    static UltimaLectura ultima;
    return ultima;
}

class Descriptor
{
public:
    explicit Descriptor(int fd)
        : fd(fd)
    {}
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;

    const int fd;
};

qint64 Nanosegundos(timespec instante)
{
    return qint64(instante.tv_sec) * 1'000'000'000 + instante.tv_nsec;
}

// Linux stamps files from a clock that moves every few milliseconds, and some
// file systems keep whole seconds only, so a change made that soon after the
// previous one may leave the stamp as it was. A copy read within that margin
// of the file's last change is checked against the file again.
bool SelloFiable(const struct stat &estado, timespec ahora)
{
    const bool segundosEnteros = estado.st_ctim.tv_nsec == 0 && estado.st_mtim.tv_nsec == 0;
    const qint64 margen = segundosEnteros ? 2'000'000'000 : 20'000'000;
    return Nanosegundos(ahora) - Nanosegundos(estado.st_ctim) >= margen;
}

// `previstos` is the size the file had when opened: the bytes are read
// straight into one block of that size (and one more byte, which tells the
// end of the file), instead of through a buffer into a block that grows.
std::optional<QByteArray> LeerTodo(int fd, off_t previstos)
{
    const off_t tamano = std::clamp<off_t>(previstos, 0, DocumentoIni::TamanoMaximo);
    QByteArray bytes(qsizetype(tamano) + 1, Qt::Uninitialized);
    qsizetype leidos = 0;
    for (;;) {
        // A file that grew since it was opened is read whole all the same.
        if (leidos == bytes.size())
            bytes.resize(bytes.size() * 2);
        const ssize_t bloque
            = ::read(fd, bytes.data() + leidos, std::size_t(bytes.size() - leidos));
        if (bloque == 0) {
            bytes.truncate(leidos);
            return bytes;
        }
        if (bloque > 0)
            leidos += bloque;
        else if (errno != EINTR)
            return std::nullopt;
    }
}

// Whether the file open at `fd` holds exactly `bytes`. It is read in blocks
// and compared as it comes, so an unchanged file takes no new memory.
bool ContieneJusto(int fd, const QByteArray &bytes)
{
    std::array<char, 64 * 1024> bloque;
    for (qsizetype leidos = 0;;) {
        const ssize_t largo = ::pread(fd, bloque.data(), bloque.size(), off_t(leidos));
        if (largo < 0 && errno == EINTR)
            continue;
        if (largo <= 0)
            return largo == 0 && leidos == bytes.size();
        if (largo > bytes.size() - leidos
            || std::memcmp(bloque.data(), bytes.constData() + leidos, std::size_t(largo)) != 0)
            return false;
        leidos += largo;
    }
}

// One read of the file from disk: its bytes parsed, with the stamp the file
// had when it was opened. It touches nothing shared, so it may run on any
// thread.
struct LecturaEnDisco
{
    enum class Resultado { Leida, Ausente, Ilegible };
    Resultado resultado = Resultado::Ilegible;
    Sello sello;
    bool fiable = false;
    DocumentoIni documento;
};

LecturaEnDisco LeerDelDisco(const QString &ruta, const DocumentoIni *anterior)
{
    LecturaEnDisco lectura;
    timespec ahora {};
    ::clock_gettime(CLOCK_REALTIME, &ahora);
    // Not blocking keeps a FIFO standing in for the file from hanging the open.
    const Descriptor archivo(
        ::open(QFile::encodeName(ruta).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (archivo.fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            lectura.resultado = LecturaEnDisco::Resultado::Ausente;
        return lectura;
    }
    struct stat estado;
    if (::fstat(archivo.fd, &estado) != 0 || !S_ISREG(estado.st_mode))
        return lectura;
    // Bytes that are already parsed are not parsed again.
    if (anterior && anterior->Contenido().size() == estado.st_size
        && ContieneJusto(archivo.fd, anterior->Contenido())) {
        lectura.documento = *anterior;
    } else {
        std::optional<QByteArray> bytes = LeerTodo(archivo.fd, estado.st_size);
        if (!bytes)
            return lectura;
        lectura.documento = DocumentoIni(std::move(*bytes));
    }
    lectura.resultado = LecturaEnDisco::Resultado::Leida;
    lectura.sello = Sello(estado);
    lectura.fiable = SelloFiable(estado, ahora);
    return lectura;
}

// `documento` with the values of `escritura` stored, or nothing when one of
// them cannot be stored as given. The edits after the first one are made in
// place, without copying the whole text again.
std::optional<DocumentoIni> ConValores(DocumentoIni documento, const EscrituraINI &escritura)
{
    for (const auto &[clave, valor] : escritura.valores) {
        // A value that already reads back as given (the authorship keys at
        // every start) needs no edit.
        if (!valor.isEmpty() && documento.Leer(escritura.seccion, clave) == valor)
            continue;
        std::optional<DocumentoIni> editado
            = std::move(documento).Escribir(escritura.seccion, clave, valor);
        if (!editado)
            return std::nullopt;
        documento = std::move(*editado);
    }
    return documento;
}

// A read of the file made on another thread; when work was given with it,
// the file with the values to store first, unless they cannot be stored, and
// the bytes that the work ran on.
struct LecturaConTrabajo
{
    LecturaEnDisco lectura;
    std::optional<DocumentoIni> escrito;
    std::optional<QByteArray> bytesTrabajados;
};

// A read started ahead of the file's first use, and the values to store
// first. Once it is taken, the bytes it read, and what its work prepared.
struct LecturaAdelantada
{
    QString ruta;
    EscrituraINI previa;
    std::future<LecturaConTrabajo> lectura;
    QByteArray bytesLeidos;
    std::optional<DocumentoIni> escrito;
    std::optional<QByteArray> bytesTrabajados;
};

LecturaAdelantada &Adelantada()
{
    static LecturaAdelantada adelantada;
    return adelantada;
}

// Takes the read made ahead, if any, as the last one made, when it was made
// of `ruta`. Whether the file still is as it was read is checked afterwards,
// as for any earlier read.
void RecogerLecturaAdelantada(UltimaLectura &ultima, const QString &ruta)
{
    LecturaAdelantada &adelantada = Adelantada();
    if (!adelantada.lectura.valid())
        return;
    LecturaConTrabajo hecha = adelantada.lectura.get();
    LecturaEnDisco &lectura = hecha.lectura;
    if (adelantada.ruta != ruta || lectura.resultado != LecturaEnDisco::Resultado::Leida)
        return;
    adelantada.bytesLeidos = lectura.documento.Contenido();
    adelantada.escrito = std::move(hecha.escrito);
    adelantada.bytesTrabajados = std::move(hecha.bytesTrabajados);
    ultima = {ruta, lectura.sello, lectura.fiable, std::move(lectura.documento), false};
}

// The file with `escritura` stored, as the read made ahead prepared it, when
// that read found the bytes of `actual` and was given these values. The first
// write takes it or drops it.
std::optional<DocumentoIni> EscritoAdelantado(const DocumentoIni &actual,
                                              const EscrituraINI &escritura)
{
    LecturaAdelantada &adelantada = Adelantada();
    std::optional<DocumentoIni> escrito = std::exchange(adelantada.escrito, std::nullopt);
    const QByteArray leidos = std::exchange(adelantada.bytesLeidos, {});
    if (!escrito || adelantada.previa != escritura || leidos != actual.Contenido())
        return std::nullopt;
    return escrito;
}

bool CopiaVigente(const UltimaLectura &ultima, const QString &ruta)
{
    struct stat estado;
    return ultima.fiable && ultima.ruta == ruta
        && ::stat(QFile::encodeName(ruta).constData(), &estado) == 0
        && Sello(estado) == ultima.sello;
}

// The settings file as it is on disk now: empty when it does not exist, and
// nothing when it exists but cannot be read. The document lives until the
// next call.
const DocumentoIni *DocumentoEnDisco(const QString &ruta)
{
    UltimaLectura &ultima = Ultima();
    RecogerLecturaAdelantada(ultima, ruta);
    if (CopiaVigente(ultima, ruta)) {
        ultima.visto = vistazosAbiertos > 0;
        return &ultima.documento;
    }
    const bool mismaRuta = ultima.ruta == ruta;
    LecturaEnDisco lectura = LeerDelDisco(ruta, mismaRuta ? &ultima.documento : nullptr);
    ultima = {};
    switch (lectura.resultado) {
    case LecturaEnDisco::Resultado::Ilegible:
        return nullptr;
    case LecturaEnDisco::Resultado::Ausente:
        // A missing file is an empty one, which never stands for a later read
        // outside a look.
        ultima.ruta = ruta;
        break;
    case LecturaEnDisco::Resultado::Leida:
        ultima = {ruta, lectura.sello, lectura.fiable, std::move(lectura.documento), false};
        break;
    }
    ultima.visto = vistazosAbiertos > 0;
    return &ultima.documento;
}

// For a read: within a look, the state of the file that the look has seen.
// The program's folder and name do not change while it runs, so the path is
// not built again either.
const DocumentoIni *DocumentoParaLeer()
{
    UltimaLectura &ultima = Ultima();
    if (vistazosAbiertos > 0 && ultima.visto)
        return &ultima.documento;
    return DocumentoEnDisco(RutaINI());
}

// Writes a new file beside the old one and renames it over it, so the file is
// either all old or all new. Unbuffered, because a short write into a full
// disk is then seen here instead of being lost inside the buffer's flush.
bool Guardar(const QString &ruta, const QByteArray &bytes)
{
    QSaveFile archivo(ruta);
    return archivo.open(QIODevice::WriteOnly | QIODevice::Unbuffered)
        && archivo.write(bytes) == bytes.size() && archivo.commit();
}

// Creates the file at `ruta` with `bytes` when there is none, without waiting
// for the disk. False when a file is already there or the write fails, and
// then a file it began is removed.
bool CrearSinEsperar(const QString &ruta, const QByteArray &bytes)
{
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
        return false;
    if (archivo.write(bytes) == bytes.size())
        return true;
    archivo.remove();
    return false;
}

enum class AlCrear { EsperarAlDisco, NoEsperar };

bool Escribir(const EscrituraINI &escritura, AlCrear alCrear)
{
    const QString ruta = RutaINI();
    const DocumentoIni *actual = DocumentoEnDisco(ruta);
    if (!actual)
        return false;
    std::optional<DocumentoIni> nuevo = EscritoAdelantado(*actual, escritura);
    if (!nuevo)
        nuevo = ConValores(*actual, escritura);
    if (!nuevo)
        return false;
    if (nuevo->Contenido() == actual->Contenido())
        return true;
    const bool creado = alCrear == AlCrear::NoEsperar && actual->Contenido().isEmpty()
        && CrearSinEsperar(ruta, nuevo->Contenido());
    if (!creado && !Guardar(ruta, nuevo->Contenido()))
        return false;
    Ultima() = {ruta, Sello(), false, std::move(*nuevo), vistazosAbiertos > 0};
    return true;
}

} // namespace

namespace {
QString carpetaFijada;
QString nombreFijado;
} // namespace

void FijarProgramaINI(const QString &carpeta, const QString &nombre)
{
    carpetaFijada = carpeta;
    nombreFijado = nombre;
}

QString RutaINI()
{
    if (!carpetaFijada.isEmpty())
        return QDir(carpetaFijada).filePath(nombreFijado + QStringLiteral(".ini"));
    const QFileInfo programa(QCoreApplication::applicationFilePath());
    return QDir(QCoreApplication::applicationDirPath())
        .filePath(programa.completeBaseName() + QStringLiteral(".ini"));
}

DocumentoIni LeerDocumentoINI()
{
    const DocumentoIni *documento = DocumentoEnDisco(RutaINI());
    return documento ? *documento : DocumentoIni();
}

QString LeerINI(QStringView seccion, QStringView clave)
{
    QString valor;
    LeerINI(seccion, clave, valor);
    return valor;
}

void LeerINI(QStringView seccion, QStringView clave, QString &valor)
{
    if (const DocumentoIni *documento = DocumentoParaLeer())
        documento->Leer(seccion, clave, valor);
    else
        valor.clear();
}

bool EscribirINI(const QString &seccion, const QString &clave, const QString &valor)
{
    return EscribirINI(seccion, {{clave, valor}});
}

bool EscribirINI(const QString &seccion, const QList<std::pair<QString, QString>> &valores)
{
    return Escribir({seccion, valores}, AlCrear::EsperarAlDisco);
}

bool EscribirINIAlArrancar(const EscrituraINI &escritura)
{
    return Escribir(escritura, AlCrear::NoEsperar);
}

void AdelantarLecturaINI(std::function<void(const LectorINI &)> trabajo, const EscrituraINI &previa)
{
    // A smaller file is parsed in less time than a thread takes to start.
    constexpr off_t TamanoQueMereceHilo = 64 * 1024;
    LecturaAdelantada &adelantada = Adelantada();
    if (adelantada.lectura.valid())
        adelantada.lectura.wait();
    adelantada = {};
    adelantada.ruta = RutaINI();
    adelantada.previa = previa;
    struct stat estado;
    if (::stat(QFile::encodeName(adelantada.ruta).constData(), &estado) != 0
        || estado.st_size < TamanoQueMereceHilo)
        return;
    adelantada.lectura = std::async(std::launch::async, [ruta = adelantada.ruta, trabajo, previa] {
        LecturaConTrabajo hecha {LeerDelDisco(ruta, nullptr), std::nullopt, std::nullopt};
        if (hecha.lectura.resultado != LecturaEnDisco::Resultado::Leida || !trabajo)
            return hecha;
        hecha.escrito = ConValores(hecha.lectura.documento, previa);
        // When the values cannot be stored, the start reads the file as it is.
        const DocumentoIni &documento = hecha.escrito ? *hecha.escrito : hecha.lectura.documento;
        trabajo([&documento](QStringView seccion, QStringView clave, QString &valor) {
            documento.Leer(seccion, clave, valor);
        });
        hecha.bytesTrabajados = documento.Contenido();
        return hecha;
    });
}

bool LecturaAdelantadaVigente()
{
    const DocumentoIni *documento = DocumentoParaLeer();
    const std::optional<QByteArray> &bytes = Adelantada().bytesTrabajados;
    return documento && bytes && documento->Contenido() == *bytes;
}

VistazoINI::VistazoINI()
{
    ++vistazosAbiertos;
}

VistazoINI::~VistazoINI()
{
    if (--vistazosAbiertos == 0)
        Ultima().visto = false;
}

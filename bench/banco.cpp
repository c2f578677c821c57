#include "Cifras.h"
#include "FicheroApuestas.h"
#include "Proceso.h"

#include "app/FormMain.h"
#include "app/ModeloResultado.h"
#include "desktop/Escritorio.h"
#include "settings/DocumentoIni.h"
#include "settings/modINIer.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <QTimer>

#include <cmath>
#include <functional>
#include <memory>

namespace {

constexpr int ApuestasGuardadas = 32767;
constexpr int Rondas = 9;
// A whole process swings by a few milliseconds from run to run on a shared
// machine, so its medians take more runs.
constexpr int RondasProcesos = 15;
constexpr int Pulsaciones = 1000;
const double SinMedida = std::nan("");

// Messages are kept so a workload that went wrong shows it.
class EscritorioBanco : public Escritorio
{
public:
    void MostrarMensaje(QWidget *, const QString &texto) override { mensajes << texto; }
    void AbrirDireccion(const QString &) override {}

    QStringList mensajes;
};

double Ms(const QElapsedTimer &reloj)
{
    return double(reloj.nsecsElapsed()) / 1e6;
}

// Whatever the previous workload left queued (layouts, repaints, deletions)
// is done before the next one is timed.
void Asentar()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

const ModeloResultado &Lista(const FormMain &ventana)
{
    const auto *lista = ventana.findChild<QAbstractItemView *>(QStringLiteral("lstResultado"));
    return *qobject_cast<const ModeloResultado *>(lista->model());
}

[[noreturn]] void Fallo(const QString &texto)
{
    QTextStream(stderr) << "bench: " << texto << Qt::endl;
    std::exit(1);
}

// The work no load can avoid: reading and parsing the file once, and
// appending the same texts to the same kind of model.
double CargaMinima(const QString &ruta, const std::vector<Euromillon> &apuestas)
{
    QElapsedTimer reloj;
    reloj.start();
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly))
        Fallo(QStringLiteral("cannot read ") + ruta);
    const DocumentoIni documento(archivo.readAll());
    ModeloResultado modelo;
    modelo.ReservarFilas(int(apuestas.size()));
    for (int fila = 1; fila <= int(apuestas.size()); ++fila) {
        modelo.AgregarFila(QString::number(fila));
        for (int campo = 1; campo <= 7; ++campo)
            modelo.AgregarSubElemento(fila, QString::number(apuestas[fila - 1].Campo(campo)));
    }
    const double ms = Ms(reloj);
    if (documento.Leer(u"Combinaciones", u"Total").toInt() != modelo.NumeroFilas())
        Fallo(QStringLiteral("the reference load disagrees with the file"));
    return ms;
}

double Carga()
{
    QElapsedTimer reloj;
    reloj.start();
    const auto ventana = std::make_unique<FormMain>();
    const double ms = Ms(reloj);
    if (Lista(*ventana).NumeroFilas() != ApuestasGuardadas)
        Fallo(QStringLiteral("the main window did not list every stored bet"));
    return ms;
}

void EscribirSorteo(FormMain &ventana)
{
    const QStringList sorteo = {"3", "17", "22", "41", "50", "2", "8"};
    for (int i = 1; i <= 7; ++i) {
        const QString nombre = i <= 5 ? QStringLiteral("txtEuromillonNumero(%1)").arg(i)
                                      : QStringLiteral("txtEuromillonEstrella(%1)").arg(i - 5);
        ventana.findChild<QLineEdit *>(nombre)->setText(sorteo[i - 1]);
    }
}

// Returns nothing when the check left no result (the command not built yet).
double Comprobacion(FormMain &ventana)
{
    auto *boton = ventana.findChild<QPushButton *>(QStringLiteral("cmdComprobar"));
    QElapsedTimer reloj;
    reloj.start();
    boton->click();
    const double ms = Ms(reloj);
    const ModeloResultado &lista = Lista(ventana);
    const bool completa = lista.NumeroFilas() == ApuestasGuardadas
        && lista.SubElemento(ApuestasGuardadas, 8).has_value();
    return completa ? ms : SinMedida;
}

// From the click on "Con&figurar" to the last of the presses of "&Siguiente";
// closing the editor and the rebuild of the list after it are not timed.
double Editor(FormMain &ventana)
{
    QElapsedTimer reloj;
    double ms = SinMedida;
    QTimer::singleShot(0, &ventana, [&] {
        auto *editor = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!editor)
            return;
        auto *siguiente = editor->findChild<QPushButton *>(QStringLiteral("cmdSiguiente"));
        for (int i = 0; i < Pulsaciones; ++i)
            siguiente->click();
        ms = Ms(reloj);
        const auto *actual = editor->findChild<QLineEdit *>(QStringLiteral("txtConfigActual"));
        if (actual->text() != QString::number(Pulsaciones + 1))
            ms = SinMedida;
        editor->close();
    });
    reloj.start();
    ventana.findChild<QPushButton *>(QStringLiteral("cmdConfigurar"))->click();
    Asentar();
    return ms;
}

double Lecturas()
{
    QElapsedTimer reloj;
    reloj.start();
    qsizetype largo = 0;
    for (int i = 0; i < Pulsaciones; ++i)
        largo += LeerINI(QStringLiteral("Combinaciones"), QStringLiteral("C1")).size();
    const double ms = Ms(reloj);
    if (largo == 0)
        Fallo(QStringLiteral("the settings file lost its combinations"));
    return ms;
}

Cifra Razon(const QString &nombre, const std::vector<double> &medidas,
            const std::vector<double> &referencias, double meta, const QString &frente)
{
    const bool completas
        = std::none_of(medidas.begin(), medidas.end(), [](double ms) { return std::isnan(ms); });
    const double mediana = completas ? Mediana(medidas) : SinMedida;
    const double referencia = Mediana(referencias);
    return {nombre, mediana, referencia, mediana / referencia, meta, frente};
}

// The in-process figures: load, check and editor.
void MedirVentanas(const QString &ruta, const FicheroApuestas &fichero, std::vector<Cifra> &cifras)
{
    FormMain ventana;
    ventana.show();
    QApplication::setActiveWindow(&ventana);
    EscribirSorteo(ventana);
    Asentar();
    // A first round of each, untimed, warms the caches.
    CargaMinima(ruta, fichero.apuestas);
    Carga();
    Comprobacion(ventana);
    std::vector<double> minimas, cargas, comprobaciones;
    for (int ronda = 0; ronda < Rondas; ++ronda) {
        Asentar();
        minimas.push_back(CargaMinima(ruta, fichero.apuestas));
        Asentar();
        cargas.push_back(Carga());
        Asentar();
        comprobaciones.push_back(Comprobacion(ventana));
    }
    cifras.push_back(Razon(QStringLiteral("load"), cargas, minimas, 1.5,
                           QStringLiteral("one read and parse of the file + the same rows")));
    cifras.push_back(
        Razon(QStringLiteral("check"), comprobaciones, cargas, 1.25, QStringLiteral("load")));

    Editor(ventana);
    Lecturas();
    std::vector<double> editores, lecturas;
    for (int ronda = 0; ronda < Rondas; ++ronda) {
        editores.push_back(Editor(ventana));
        Asentar();
        lecturas.push_back(Lecturas());
    }
    cifras.push_back(Razon(QStringLiteral("editor"), editores, lecturas, 2,
                           QStringLiteral("1000 reads of one key")));
}

QString CopiaDelPrograma(const QString &carpeta)
{
    const QString copia = carpeta + QStringLiteral("/Trebolero");
    if (!QDir().mkpath(carpeta) || !QFile::copy(QStringLiteral(TREBOLERO_BANCO_PROGRAMA), copia))
        Fallo(QStringLiteral("cannot copy the program into ") + carpeta);
    return copia;
}

// The whole-process figures: start (with and without the file, and a bare Qt
// program) and the peak memory that the stored bets add.
void MedirProcesos(const QString &base, const QByteArray &texto, std::vector<Cifra> &cifras)
{
    const QString conFichero = CopiaDelPrograma(base + QStringLiteral("/con"));
    const QString sinFichero = CopiaDelPrograma(base + QStringLiteral("/sin"));
    QFile ini(conFichero + QStringLiteral(".ini"));
    if (!ini.open(QIODevice::WriteOnly) || ini.write(texto) != texto.size())
        Fallo(QStringLiteral("cannot write the settings file"));
    ini.close();
    const auto sinAjustes = [&] {
        QFile::remove(sinFichero + QStringLiteral(".ini"));
        return Ejecutar(sinFichero);
    };
    const std::function<Ejecucion()> variantes[] = {
        [] { return Ejecutar(QStringLiteral(TREBOLERO_BANCO_VACIO)); },
        sinAjustes,
        [&] { return Ejecutar(conFichero); },
    };
    std::vector<double> ms[3], kib[3];
    // Each round starts with the next variant, so that none of them always
    // follows the same one: a process that starts right after another one
    // exits finds the machine still busy tidying up after it.
    for (int ronda = -1; ronda < RondasProcesos; ++ronda) {
        for (int paso = 0; paso < 3; ++paso) {
            const int v = (paso + ronda + 1) % 3;
            const Ejecucion ejecucion = variantes[v]();
            if (!ejecucion.correcta)
                Fallo(QStringLiteral("a start-up run failed"));
            if (ronda >= 0) {
                ms[v].push_back(ejecucion.ms);
                kib[v].push_back(double(ejecucion.picoKiB));
            }
        }
    }
    cifras.push_back(Razon(QStringLiteral("start"), ms[2], ms[1], 1.3,
                           QStringLiteral("the same start without a settings file")));
    cifras.push_back(Razon(QStringLiteral("start_empty"), ms[1], ms[0], 1.2,
                           QStringLiteral("a bare Qt Widgets program, one empty window")));
    const double bytesPorApuesta = (Mediana(kib[2]) - Mediana(kib[1])) * 1024 / ApuestasGuardadas;
    cifras.push_back({QStringLiteral("memory"), SinMedida, SinMedida, bytesPorApuesta, 256,
                      QStringLiteral("peak RSS with the file less without, bytes per bet: %1 "
                                     "against %2 KiB")
                          .arg(Mediana(kib[2]))
                          .arg(Mediana(kib[1]))});
}

QString Maquina()
{
    QFile cpuinfo(QStringLiteral("/proc/cpuinfo"));
    QString modelo;
    if (cpuinfo.open(QIODevice::ReadOnly)) {
        for (const QByteArray &linea : cpuinfo.readAll().split('\n')) {
            if (linea.startsWith("model name")) {
                modelo = QString::fromUtf8(linea.mid(linea.indexOf(':') + 1).trimmed());
                break;
            }
        }
    }
    return QStringLiteral("%1 cores, %2").arg(QThread::idealThreadCount()).arg(modelo);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication aplicacion(argc, argv);
    PrepararAplicacion(aplicacion);
    QTemporaryDir carpeta;
    if (!carpeta.isValid())
        Fallo(QStringLiteral("no scratch folder"));
    FijarProgramaINI(carpeta.path(), QStringLiteral("Trebolero"));
    EscritorioBanco escritorio;
    Escritorio::Instalar(&escritorio);

    const FicheroApuestas fichero = GenerarFichero(ApuestasGuardadas);
    QTextStream salida(stdout);
    salida << "Machine: " << Maquina() << "\nWorkload: " << ApuestasGuardadas
           << " stored bets, a settings file of " << fichero.texto.size() / 1024
           << " KiB; medians of " << Rondas << " runs, " << RondasProcesos << " for whole processes"
           << Qt::endl;

    const QString ruta = RutaINI();
    QFile ini(ruta);
    if (!ini.open(QIODevice::WriteOnly) || ini.write(fichero.texto) != fichero.texto.size())
        Fallo(QStringLiteral("cannot write the settings file"));
    ini.close();

    std::vector<Cifra> cifras;
    MedirVentanas(ruta, fichero, cifras);
    MedirProcesos(carpeta.path() + QStringLiteral("/procesos"), fichero.texto, cifras);
    if (!escritorio.mensajes.isEmpty())
        Fallo(QStringLiteral("a workload showed a message: ") + escritorio.mensajes.first());

    salida << Tabla(cifras);
    const QString resultados = QStringLiteral(TREBOLERO_BANCO_RESULTADOS);
    if (!GuardarJson(cifras, resultados))
        Fallo(QStringLiteral("cannot write ") + resultados);
    salida << "Written to " << resultados << Qt::endl;
    return 0;
}

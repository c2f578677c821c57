#include "app/FormMain.h"
#include "editor/FormConfiguracion.h"
#include "model/Apuestas.h"
#include "settings/modINIer.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSaveFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

// The program's figures at its limit of 32767 stored bets, each set side by
// side with a reference measured in the same rounds.
namespace {

constexpr int Apuestas = 32767;
constexpr int Rondas = 9;

// A settings file as a player keeps it: a comment, the feed's section and the
// bets, always the same.
QByteArray FicheroApuestas()
{
    QByteArray texto = "; Apuestas de Trebolero\n[DataSource]\nRDFData=http://127.0.0.1/rss\n"
                       "Web=http://127.0.0.1/\n[Combinaciones]\nTotal="
        + QByteArray::number(Apuestas) + '\n';
    for (int i = 1; i <= Apuestas; ++i) {
        texto += QStringLiteral("C%1=%2-%3-%4-%5-%6-E%7-%8\n")
                     .arg(i)
                     .arg(i % 10 + 1, 2, 10, QLatin1Char('0'))
                     .arg(i % 9 + 11)
                     .arg(i % 8 + 21)
                     .arg(i % 7 + 31)
                     .arg(i % 6 + 41)
                     .arg(i % 5 + 1)
                     .arg(i % 6 + 7)
                     .toLatin1();
    }
    return texto;
}

void Escribir(const QString &ruta, const QByteArray &bytes)
{
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::WriteOnly) || archivo.write(bytes) != bytes.size())
        qFatal("No se puede escribir %s", qPrintable(ruta));
}

double Mediana(std::vector<double> valores)
{
    std::ranges::sort(valores);
    return valores[valores.size() / 2];
}

double Cronometrar(const std::function<void()> &trabajo)
{
    QElapsedTimer reloj;
    reloj.start();
    trabajo();
    return double(reloj.nsecsElapsed()) / 1e6;
}

// Medians of `medida` and `referencia`, taken in turns for Rondas rounds.
std::pair<double, double> Comparar(const std::function<double()> &medida,
                                   const std::function<double()> &referencia)
{
    std::vector<double> de, contra;
    for (int i = 0; i < Rondas; ++i) {
        de.push_back(medida());
        contra.push_back(referencia());
    }
    return {Mediana(de), Mediana(contra)};
}

// One whole process, from its start to its exit; its peak memory in bytes,
// as it reported it, goes to `pico`.
double Ejecutar(const QString &programa, double *pico = nullptr)
{
    QProcess proceso;
    QElapsedTimer reloj;
    reloj.start();
    proceso.start(programa, {});
    if (!proceso.waitForFinished(60'000) || proceso.exitCode() != 0)
        qFatal("%s no ha terminado bien", qPrintable(programa));
    const double ms = double(reloj.nsecsElapsed()) / 1e6;
    const QByteArray salida = proceso.readAllStandardOutput();
    if (pico)
        *pico = salida.mid(salida.indexOf("VmHWM:") + 6).split('k').first().trimmed().toDouble()
            * 1024;
    return ms;
}

QJsonArray cifras;

void Informar(const char *nombre, double medianaMs, double referenciaMs, double razon, double meta)
{
    if (medianaMs > 0)
        std::printf("%-12s %9.3f ms  reference %9.3f ms  ratio %6.2f", nombre, medianaMs,
                    referenciaMs, razon);
    else
        std::printf("%-12s %9.1f bytes per bet", nombre, razon);
    std::printf("  goal <= %g%s\n", meta, razon <= meta ? "" : "  (missed)");
    cifras.append(QJsonObject {{"name", nombre},
                               {"median_ms", medianaMs > 0 ? QJsonValue(medianaMs) : QJsonValue()},
                               {"ratio", razon},
                               {"goal", meta}});
}

void Informar(const char *nombre, const std::pair<double, double> &medianas, double meta)
{
    Informar(nombre, medianas.first, medianas.second, medianas.first / medianas.second, meta);
}

// The program's start with and without the settings file, a bare window's
// start, and the memory that the stored bets add.
void MedirArranques(const QByteArray &fichero)
{
    QTemporaryDir conFichero, sinFichero;
    const QString lleno = conFichero.filePath("Trebolero"),
                  vacio = sinFichero.filePath("Trebolero");
    if (!QFile::copy(TREBOLERO_BANCO_PROGRAMA, lleno)
        || !QFile::copy(TREBOLERO_BANCO_PROGRAMA, vacio))
        qFatal("No se puede copiar el programa");
    Escribir(conFichero.filePath("Trebolero.ini"), fichero);
    std::vector<double> picos;
    const auto sinAjustes = [&] {
        QFile::remove(sinFichero.filePath("Trebolero.ini"));
        return Ejecutar(vacio);
    };
    Ejecutar(lleno); // the first start writes the authorship keys
    Informar("start", Comparar([&] { return Ejecutar(lleno); }, sinAjustes), 1.5);
    Informar("start_empty", Comparar(sinAjustes, [] { return Ejecutar(TREBOLERO_BANCO_VACIO); }),
             1.4);
    const auto [pico, picoSinFichero] = Comparar(
        [&] {
            double bytes = 0;
            Ejecutar(lleno, &bytes);
            return bytes;
        },
        [&] {
            double bytes = 0;
            QFile::remove(sinFichero.filePath("Trebolero.ini"));
            Ejecutar(vacio, &bytes);
            return bytes;
        });
    Informar("memory", 0, 0, (pico - picoSinFichero) / Apuestas, 256);
}

// Comprobar, Siguiente and Guardar in the windows, on the same file.
void MedirVentanas(const QByteArray &fichero)
{
    QTemporaryDir carpeta;
    FijarProgramaINI(carpeta.path(), QStringLiteral("Trebolero"));
    Escribir(RutaINI(), fichero);
    const auto leer = [] {
        return Cronometrar([] {
            const DocumentoIni ini = LeerDocumentoINI();
            qsizetype tamano = ini.Leer(u"Combinaciones", u"Total").size();
            for (int i = 1; i <= Apuestas; ++i)
                tamano += ini.Leer(u"Combinaciones", ClaveApuesta(i)).size();
            if (tamano == 0)
                qFatal("El fichero no tiene apuestas");
        });
    };
    FormMain ventana;
    const QStringList sorteo {"3", "17", "22", "41", "50", "2", "8"};
    for (int i = 1; i <= 7; ++i) {
        const QString caja = i <= 5 ? QStringLiteral("txtEuromillonNumero(%1)").arg(i)
                                    : QStringLiteral("txtEuromillonEstrella(%1)").arg(i - 5);
        ventana.findChild<QLineEdit *>(caja)->setText(sorteo[i - 1]);
    }
    const auto pulsar = [](const QWidget &ventana, const char *boton) {
        auto *pulsado = ventana.findChild<QPushButton *>(boton);
        return [pulsado] {
            return Cronometrar([pulsado] { pulsado->click(); });
        };
    };
    Informar("check", Comparar(pulsar(ventana, "cmdComprobar"), leer), 1.5);
    if (ventana.findChild<QAbstractItemView *>("lstResultado")->model()->rowCount() != Apuestas)
        qFatal("La lista no tiene todas las apuestas");

    auto *editor = new FormConfiguracion(&ventana);
    const auto parsear = [] {
        return Cronometrar([] { LeerDocumentoINI(); });
    };
    Informar("editor", Comparar(pulsar(*editor, "cmdSiguiente"), parsear), 3);
    const auto guardarFichero = [] {
        return Cronometrar([] {
            QSaveFile archivo(RutaINI());
            if (!archivo.open(QIODevice::WriteOnly)
                || !archivo.write(LeerDocumentoINI().Contenido()) || !archivo.commit())
                qFatal("No se puede guardar el fichero");
        });
    };
    // Each Guardar stores a changed bet, so that every press writes the file.
    auto *numero = editor->findChild<QLineEdit *>("txtEuromillonConfigNumero(1)");
    auto *guardar = editor->findChild<QPushButton *>("cmdGuardar");
    int ronda = 0;
    const auto guardarCambio = [&] {
        return Cronometrar([&] {
            numero->setText(++ronda % 2 ? "01" : "02");
            guardar->click();
        });
    };
    Informar("save", Comparar(guardarCambio, guardarFichero), 3);
    FijarProgramaINI({}, {});
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication aplicacion(argc, argv);
    const QByteArray fichero = FicheroApuestas();
    MedirArranques(fichero);
    MedirVentanas(fichero);
    QFile resultados(TREBOLERO_BANCO_RESULTADOS);
    if (!resultados.open(QIODevice::WriteOnly)
        || resultados.write(QJsonDocument(cifras).toJson()) < 0)
        return 1;
    return 0;
}

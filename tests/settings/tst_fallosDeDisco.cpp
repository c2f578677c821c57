#include "settings/DocumentoIni.h"
#include "settings/modINIer.h"
#include "support/EntornoPrueba.h"

#include <QDir>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

#include <chrono>
#include <csignal>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// The settings file under the faults a disk and a process can suffer: a
// writer killed at any moment and a disk that is full.
class PruebaFallosDeDisco : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void EscrituraInterrumpida();
    void DiscoLleno_data();
    void DiscoLleno();
};

namespace {

// A file of the usual shape with enough bets that a rewrite takes a while,
// in Windows line endings with a comment and an accented section.
QByteArray ArchivoDePrueba()
{
    QByteArray contenido = "; Apuestas de la pe\xF1"
                           "a\r\n[Copyright]\r\nAutor=Orbelan\r\nDate=2005/12\r\n\r\n"
                           "[Combinaciones]\r\nTotal=400\r\n";
    for (int n = 1; n <= 400; ++n)
        contenido += "C" + QByteArray::number(n) + "=03-17-22-41-50-E2-" + QByteArray::number(n % 9)
            + "\r\n";
    return contenido + "\r\n[DataSource]\r\nRDFData=http://127.0.0.1/sorteos.rdf\r\n";
}

// Section and key: existing keys at the start, middle and end of the file,
// and new keys in an existing section and in a new one.
const std::pair<QString, QString> Claves[] = {
    {"Copyright", "Autor"},    {"Combinaciones", "Total"}, {"Combinaciones", "C200"},
    {"DataSource", "RDFData"}, {"Combinaciones", "C401"},  {"Combinaciones", "Nueva"},
    {"Ronda", "Valor"},        {"Copyright", "Date"},
};

// The n-th value a writer stores in a round; the lengths vary, so the file
// grows and shrinks.
QString Valor(int ronda, int n)
{
    return QStringLiteral("r%1-n%2-").arg(ronda).arg(n) + QString(n % 5 * 37, u'x');
}

// Whether `valor` is one that the writer of `ronda` stored whole.
bool EsValorDeLaRonda(const QString &valor, int ronda)
{
    return valor == Valor(ronda, valor.section(u'-', 1, 1).mid(1).toInt());
}

// Waits at most ten seconds for each of `cuantas` bytes from the writer.
bool EsperarEscrituras(int fd, int cuantas)
{
    pollfd espera {fd, POLLIN, 0};
    char senal;
    for (; cuantas > 0; --cuantas)
        if (::poll(&espera, 1, 10'000) != 1 || ::read(fd, &senal, 1) != 1)
            return false;
    return true;
}

QStringList ArchivosDe(const EntornoPrueba &entorno)
{
    return QDir(entorno.carpeta.path()).entryList(QDir::Files | QDir::Hidden);
}

} // namespace

// A child process rewrites one key over and over and is killed after a random
// number of finished writes plus a random time. The file must then be the
// file as it was with that key holding its old value or one the child wrote
// whole, byte for byte.
void PruebaFallosDeDisco::EscrituraInterrumpida()
{
    EntornoPrueba entorno;
    entorno.EscribirIni(ArchivoDePrueba());
    const quint32 semilla = QRandomGenerator::system()->generate();
    QRandomGenerator azar(semilla);
    const QByteArray contexto = "semilla " + QByteArray::number(semilla) + ", ronda ";

    for (int ronda = 0; ronda < 240; ++ronda) {
        const QByteArray donde = contexto + QByteArray::number(ronda);
        const auto &[seccion, clave] = Claves[azar.bounded(int(std::size(Claves)))];
        const DocumentoIni antes(entorno.LeerIni());
        int tubo[2];
        QVERIFY(::pipe(tubo) == 0);
        const pid_t hijo = ::fork();
        QVERIFY(hijo >= 0);
        if (hijo == 0) {
            ::close(tubo[0]);
            for (int n = 0;; ++n) {
                if (!EscribirINI(seccion, clave, Valor(ronda, n)))
                    ::_exit(2);
                if (::write(tubo[1], "e", 1) != 1)
                    ::_exit(3);
            }
        }
        ::close(tubo[1]);
        const bool escribe = EsperarEscrituras(tubo[0], azar.bounded(4));
        const auto hasta
            = std::chrono::steady_clock::now() + std::chrono::microseconds(azar.bounded(3000));
        while (std::chrono::steady_clock::now() < hasta) {}
        ::kill(hijo, SIGKILL);
        int estado = 0;
        QCOMPARE(::waitpid(hijo, &estado, 0), hijo);
        ::close(tubo[0]);
        QVERIFY2(escribe, donde);
        QVERIFY2(WIFSIGNALED(estado) && WTERMSIG(estado) == SIGKILL, donde);

        const QByteArray despues = entorno.LeerIni();
        const QString valor = DocumentoIni(despues).Leer(seccion, clave);
        const bool igual = valor == antes.Leer(seccion, clave);
        QVERIFY2(igual || EsValorDeLaRonda(valor, ronda), donde);
        const auto esperado = igual ? std::optional(antes) : antes.Escribir(seccion, clave, valor);
        QVERIFY2(esperado && despues == esperado->Contenido(), donde);
        QCOMPARE(LeerINI(seccion, clave), valor);
    }
    // A writer killed between naming its new copy and renaming it over the
    // file leaves that copy behind; nothing else may appear.
    const QStringList copias = ArchivosDe(entorno).filter(
        QRegularExpression(QStringLiteral("^Trebolero\\.ini\\.[A-Za-z0-9]{6}$")));
    QCOMPARE(ArchivosDe(entorno).size(), copias.size() + 1);
}

// In a child process whose files may not grow beyond 1 KiB, any write bigger
// than that fails: a file there keeps its bytes, no half-written file is left
// behind, and the writer says so. The start's first write creates a missing
// file without waiting for the disk; it too leaves nothing behind.
void PruebaFallosDeDisco::DiscoLleno_data()
{
    QTest::addColumn<QByteArray>("original");
    QTest::addColumn<bool>("alArrancar");
    QTest::newRow("reescritura") << ArchivoDePrueba() << false;
    QTest::newRow("primer arranque") << QByteArray() << true;
}

void PruebaFallosDeDisco::DiscoLleno()
{
    QFETCH(QByteArray, original);
    QFETCH(bool, alArrancar);
    EntornoPrueba entorno;
    if (!original.isEmpty())
        entorno.EscribirIni(original);
    const QString grande(1024, u'x');

    const pid_t hijo = ::fork();
    QVERIFY(hijo >= 0);
    if (hijo == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limite {1024, 1024};
        ::setrlimit(RLIMIT_FSIZE, &limite);
        const bool escrito = alArrancar ? EscribirINIAlArrancar({"Copyright", {{"Autor", grande}}})
                                        : EscribirINI("Combinaciones", "C1", grande);
        ::_exit(escrito ? 1 : 0);
    }
    int estado = 0;
    QCOMPARE(::waitpid(hijo, &estado, 0), hijo);
    QVERIFY(WIFEXITED(estado));
    QCOMPARE(WEXITSTATUS(estado), 0);

    QCOMPARE(entorno.LeerIni(), original);
    QCOMPARE(ArchivosDe(entorno),
             original.isEmpty() ? QStringList() : QStringList("Trebolero.ini"));
}

QTEST_APPLESS_MAIN(PruebaFallosDeDisco)
#include "tst_fallosDeDisco.moc"

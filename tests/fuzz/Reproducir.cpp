// Runs a fuzz target over every file of its seed corpus, for the test build.

#include <QDir>
#include <QFile>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *datos, std::size_t tamano);

int main()
{
    const QDir semillas(QStringLiteral(TREBOLERO_SEMILLAS));
    const QStringList nombres = semillas.entryList(QDir::Files, QDir::Name);
    for (const QString &nombre : nombres) {
        QFile archivo(semillas.filePath(nombre));
        if (!archivo.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "No se puede leer %s\n", qPrintable(nombre));
            return 1;
        }
        const QByteArray datos = archivo.readAll();
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t *>(datos.constData()),
                               std::size_t(datos.size()));
    }
    std::printf("%lld semillas sin fallos\n", static_cast<long long>(nombres.size()));
    return nombres.isEmpty();
}

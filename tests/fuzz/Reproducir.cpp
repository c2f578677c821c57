// Runs a fuzz target over every file of its seed corpus, for the test build;
// fails when there is none or one cannot be read.

#include <QDirIterator>
#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *datos, std::size_t tamano);

int main()
{
    QDirIterator semillas(QStringLiteral(TREBOLERO_SEMILLAS), QDir::Files);
    bool alguna = false;
    for (; semillas.hasNext(); alguna = true) {
        QFile archivo(semillas.next());
        if (!archivo.open(QIODevice::ReadOnly))
            return 1;
        const QByteArray datos = archivo.readAll();
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t *>(datos.data()),
                               std::size_t(datos.size()));
    }
    return alguna ? 0 : 1;
}

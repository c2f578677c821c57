// Runs a fuzz target over every file of its seed corpus, for the test build;
// fails when there is none or one cannot be read.

#include <QDir>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *datos, std::size_t tamano);

int main()
{
    const QFileInfoList semillas = QDir(TREBOLERO_SEMILLAS).entryInfoList(QDir::Files);
    for (const QFileInfo &semilla : semillas) {
        QFile archivo(semilla.filePath());
        if (!archivo.open(QIODevice::ReadOnly))
            return 1;
        const QByteArray datos = archivo.readAll();
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t *>(datos.data()), datos.size());
    }
    return semillas.isEmpty();
}

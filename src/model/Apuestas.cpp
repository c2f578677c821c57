#include "model/Apuestas.h"

const QString SeccionApuestas = QStringLiteral("Combinaciones");
const QString ClaveTotal = QStringLiteral("Total");
const QString ApuestaNueva = QStringLiteral("00-00-00-00-00-E0-0");

QString ClaveApuesta(int n)
{
    return u'C' + QString::number(n);
}

std::optional<int> LeerTotal(const DocumentoIni &ini)
{
    const QString texto = ini.Leer(SeccionApuestas, ClaveTotal);
    if (texto.trimmed().isEmpty())
        return 0;
    const auto total = ConvertirEntero(texto);
    if (!total || *total < 0 || *total > ApuestasMaximas + 1)
        return std::nullopt;
    return int(std::min<qint64>(*total, ApuestasMaximas));
}

namespace {

// The bet number that key `clave` stands for, as ClaveApuesta writes it in
// any case ("C7", "c7"); 0 for any other key.
int NumeroApuesta(QStringView clave)
{
    if (clave.size() < 2 || clave.size() > 6 || (clave[0] != u'C' && clave[0] != u'c')
        || clave[1] == u'0')
        return 0;
    int n = 0;
    for (const QChar cifra : clave.sliced(1)) {
        if (cifra < u'0' || cifra > u'9')
            return 0;
        n = n * 10 + cifra.digitValue();
    }
    return n;
}

} // namespace

std::vector<Euromillon> LeerApuestas(const DocumentoIni &ini)
{
    std::vector<Euromillon> apuestas(std::size_t(LeerTotal(ini).value_or(0)));
    for (const auto &[clave, valor] : ini.Seccion(SeccionApuestas)) {
        const int n = NumeroApuesta(clave);
        if (n >= 1 && std::size_t(n) <= apuestas.size())
            CadenaAEuromillon(valor, apuestas[std::size_t(n) - 1]);
    }
    return apuestas;
}

Euromillon LeerApuesta(const DocumentoIni &ini, int n)
{
    Euromillon apuesta;
    CadenaAEuromillon(ini.Leer(SeccionApuestas, ClaveApuesta(n)), apuesta);
    return apuesta;
}

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

std::vector<Euromillon> LeerApuestas(const DocumentoIni &ini)
{
    std::vector<Euromillon> apuestas(std::size_t(LeerTotal(ini).value_or(0)));
    for (std::size_t i = 0; i < apuestas.size(); ++i)
        apuestas[i] = LeerApuesta(ini, int(i) + 1);
    return apuestas;
}

Euromillon LeerApuesta(const DocumentoIni &ini, int n)
{
    Euromillon apuesta;
    CadenaAEuromillon(ini.Leer(SeccionApuestas, ClaveApuesta(n)), apuesta);
    return apuesta;
}

#include "Cifras.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <algorithm>
#include <cmath>

namespace {

QString Numero(double valor, int decimales)
{
    return std::isnan(valor) ? QStringLiteral("-") : QString::number(valor, 'f', decimales);
}

QJsonValue ValorJson(double valor)
{
    return std::isnan(valor) ? QJsonValue() : QJsonValue(valor);
}

} // namespace

double Mediana(std::vector<double> valores)
{
    if (valores.empty())
        return std::nan("");
    std::sort(valores.begin(), valores.end());
    const std::size_t mitad = valores.size() / 2;
    return valores.size() % 2 ? valores[mitad] : (valores[mitad - 1] + valores[mitad]) / 2;
}

QString Tabla(const std::vector<Cifra> &cifras)
{
    QString tabla = QStringLiteral("%1 %2 %3 %4 %5  %6\n")
                        .arg(QStringLiteral("figure"), -14)
                        .arg(QStringLiteral("median ms"), 10)
                        .arg(QStringLiteral("ref. ms"), 10)
                        .arg(QStringLiteral("ratio"), 8)
                        .arg(QStringLiteral("goal"), 8)
                        .arg(QStringLiteral("against"));
    for (const Cifra &cifra : cifras) {
        const QString estado = std::isnan(cifra.razon) ? QStringLiteral("NOT MEASURED")
            : cifra.Cumplida()                         ? QStringLiteral("met")
                                                       : QStringLiteral("MISSED");
        tabla += QStringLiteral("%1 %2 %3 %4 %5  %6 (%7)\n")
                     .arg(cifra.nombre, -14)
                     .arg(Numero(cifra.medianaMs, 2), 10)
                     .arg(Numero(cifra.referenciaMs, 2), 10)
                     .arg(Numero(cifra.razon, 2), 8)
                     .arg(QStringLiteral("<= ") + Numero(cifra.meta, 2), 8)
                     .arg(cifra.frente, estado);
    }
    return tabla;
}

bool GuardarJson(const std::vector<Cifra> &cifras, const QString &ruta)
{
    QJsonArray lista;
    for (const Cifra &cifra : cifras) {
        lista.append(QJsonObject {
            {QStringLiteral("name"), cifra.nombre},
            {QStringLiteral("median_ms"), ValorJson(cifra.medianaMs)},
            {QStringLiteral("ratio"), ValorJson(cifra.razon)},
            {QStringLiteral("goal"), cifra.meta},
        });
    }
    QSaveFile archivo(ruta);
    const QByteArray bytes = QJsonDocument(lista).toJson();
    return archivo.open(QIODevice::WriteOnly) && archivo.write(bytes) == bytes.size()
        && archivo.commit();
}

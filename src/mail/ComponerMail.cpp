#include "mail/ComponerMail.h"

#include "model/modTypeEuromillon.h"

#include <QStringList>

namespace {

const QString FinLinea = QStringLiteral("\r\n");
constexpr char Hexadecimal[] = "0123456789ABCDEF";

bool SinCodificar(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')
        || QByteArrayView("-._~!$'()*,;:@").contains(c);
}

QString LineaDeApuesta(const LineaResultado &linea)
{
    QStringList numeros;
    for (int i = 0; i < 5; ++i)
        numeros << DosDigitos(linea.valores[static_cast<std::size_t>(i)]);
    return DosDigitos(QString::number(linea.fila)) + QStringLiteral(": ")
        + numeros.join(QLatin1Char(',')) + QStringLiteral(" - ") + linea.valores[5]
        + QLatin1Char(',') + linea.valores[6] + QStringLiteral(" -> ") + linea.aciertos + FinLinea;
}

} // namespace

QString AsuntoResultados()
{
    return QStringLiteral("Trebolero");
}

QString ComponerCuerpo(const QString &fecha, const std::array<QString, 7> &sorteo,
                       const std::vector<LineaResultado> &lineas)
{
    QString cuerpo = QStringLiteral("Resultados del Euromillón");
    if (!fecha.isEmpty())
        cuerpo += QStringLiteral(" (") + fecha + QLatin1Char(')');
    cuerpo += FinLinea + FinLinea;
    cuerpo += QStringLiteral("Números premiados:") + FinLinea;
    cuerpo += sorteo[0] + QLatin1Char(',') + sorteo[1] + QLatin1Char(',') + sorteo[2]
        + QLatin1Char(',') + sorteo[3] + QLatin1Char(',') + sorteo[4] + QStringLiteral(" - ")
        + sorteo[5] + QLatin1Char(',') + sorteo[6] + FinLinea + FinLinea;
    cuerpo += QStringLiteral("Resultados:") + FinLinea;
    for (const LineaResultado &linea : lineas)
        cuerpo += LineaDeApuesta(linea);
    return cuerpo;
}

QByteArray CodificarMailto(const QString &texto)
{
    const QByteArray utf8 = texto.toUtf8();
    QByteArray codificado;
    codificado.reserve(utf8.size() * 3);
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        if (c == '\r' || c == '\n') {
            codificado += "%0D%0A";
            if (c == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n')
                ++i;
        } else if (SinCodificar(c)) {
            codificado += c;
        } else {
            const auto byte = static_cast<uchar>(c);
            codificado += '%';
            codificado += Hexadecimal[byte >> 4];
            codificado += Hexadecimal[byte & 0xF];
        }
    }
    return codificado;
}

QString DireccionMail(const QString &asunto, const QString &cuerpo)
{
    return QStringLiteral("mailto:?subject=") + QString::fromLatin1(CodificarMailto(asunto))
        + QStringLiteral("&body=") + QString::fromLatin1(CodificarMailto(cuerpo));
}

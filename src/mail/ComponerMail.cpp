#include "mail/ComponerMail.h"

#include <QStringList>

namespace {

QString SoloSaltosLF(const QString &texto)
{
    return QString(texto)
        .replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(u'\r', u'\n');
}

QByteArray CodificarMailto(const QString &texto)
{
    return SoloSaltosLF(texto)
        .replace(u'\n', QStringLiteral("\r\n"))
        .toUtf8()
        .toPercentEncoding("!$'()*,;:@");
}

QString LineaDeApuesta(const LineaResultado &linea)
{
    QStringList numeros;
    for (const std::int16_t numero : linea.apuesta.Numeros())
        numeros << DosDigitos(QString::number(numero));
    return DosDigitos(QString::number(linea.fila)) + QStringLiteral(": ") + numeros.join(u',')
        + QStringLiteral(" - ") + QString::number(linea.apuesta.Estrella1) + u','
        + QString::number(linea.apuesta.Estrella2) + QStringLiteral(" -> ") + linea.aciertos.Texto()
        + u'\n';
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
        cuerpo += QStringLiteral(" (") + fecha + u')';
    cuerpo += QStringLiteral("\n\nNúmeros premiados:\n");
    cuerpo += QStringList(sorteo.begin(), sorteo.begin() + 5).join(u',') + QStringLiteral(" - ")
        + sorteo[5] + u',' + sorteo[6] + QStringLiteral("\n\nResultados:\n");
    for (const LineaResultado &linea : lineas)
        cuerpo += LineaDeApuesta(linea);
    return cuerpo;
}

QString DireccionMail(const QString &asunto, const QString &cuerpo)
{
    return QStringLiteral("mailto:?subject=") + QString::fromLatin1(CodificarMailto(asunto))
        + QStringLiteral("&body=") + QString::fromLatin1(CodificarMailto(cuerpo));
}

QString TextoPortapapeles(const QString &asunto, const QString &cuerpo)
{
    return SoloSaltosLF(asunto + u'\n' + cuerpo);
}

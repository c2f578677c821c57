#include "mail/ComponerMail.h"

#include <QStringList>

namespace {

const QString FinLinea = QStringLiteral("\r\n");

QString LineaDeApuesta(const LineaResultado &linea)
{
    QStringList numeros;
    for (int i = 1; i <= 5; ++i)
        numeros << DosDigitos(QString::number(linea.apuesta.Campo(i)));
    return DosDigitos(QString::number(linea.fila)) + QStringLiteral(": ") + numeros.join(u',')
        + QStringLiteral(" - ") + QString::number(linea.apuesta.Estrella1) + u','
        + QString::number(linea.apuesta.Estrella2) + QStringLiteral(" -> ") + linea.aciertos
        + FinLinea;
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
    cuerpo += FinLinea + FinLinea + QStringLiteral("Números premiados:") + FinLinea;
    cuerpo += QStringList(sorteo.begin(), sorteo.begin() + 5).join(u',') + QStringLiteral(" - ")
        + sorteo[5] + u',' + sorteo[6] + FinLinea + FinLinea;
    cuerpo += QStringLiteral("Resultados:") + FinLinea;
    for (const LineaResultado &linea : lineas)
        cuerpo += LineaDeApuesta(linea);
    return cuerpo;
}

QByteArray CodificarMailto(const QString &texto)
{
    QString lineas = texto;
    lineas.replace(FinLinea, QStringLiteral("\n")).replace(u'\r', u'\n');
    lineas.replace(u'\n', FinLinea);
    return lineas.toUtf8().toPercentEncoding("!$'()*,;:@");
}

QString DireccionMail(const QString &asunto, const QString &cuerpo)
{
    return QStringLiteral("mailto:?subject=") + QString::fromLatin1(CodificarMailto(asunto))
        + QStringLiteral("&body=") + QString::fromLatin1(CodificarMailto(cuerpo));
}

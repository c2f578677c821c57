#include "FicheroApuestas.h"

#include <QRandomGenerator>

#include <algorithm>
#include <numeric>

namespace {

// Five distinct numbers from 1 to 50 in order, and two distinct stars from 1
// to 12 in order.
Euromillon ApuestaAlAzar(QRandomGenerator &azar)
{
    std::array<std::int16_t, 50> bombo;
    std::iota(bombo.begin(), bombo.end(), std::int16_t(1));
    std::shuffle(bombo.begin(), bombo.end(), azar);
    std::sort(bombo.begin(), bombo.begin() + 5);
    std::array<std::int16_t, 12> estrellas;
    std::iota(estrellas.begin(), estrellas.end(), std::int16_t(1));
    std::shuffle(estrellas.begin(), estrellas.end(), azar);
    std::sort(estrellas.begin(), estrellas.begin() + 2);
    return {bombo[0], bombo[1], bombo[2], bombo[3], bombo[4], estrellas[0], estrellas[1]};
}

QByteArray TextoApuesta(const Euromillon &apuesta)
{
    QByteArray texto;
    for (int campo = 1; campo <= 5; ++campo)
        texto += QByteArray::number(apuesta.Campo(campo)).rightJustified(2, '0') + '-';
    return texto + 'E' + QByteArray::number(apuesta.Estrella1) + '-'
        + QByteArray::number(apuesta.Estrella2);
}

} // namespace

FicheroApuestas GenerarFichero(int total)
{
    QRandomGenerator azar(20051203);
    FicheroApuestas fichero;
    fichero.texto = "; Apuestas de la peña del bar, semana a semana.\n"
                    "; Cada clave Cn guarda cinco números y dos estrellas.\n"
                    "\n"
                    "[DataSource]\n"
                    "RDFData=http://127.0.0.1:8080/euromillones.rdf\n"
                    "Web=http://127.0.0.1:8080/\n"
                    "\n"
                    "[Combinaciones]\n"
                    "Total="
        + QByteArray::number(total) + '\n';
    fichero.apuestas.reserve(std::size_t(total));
    for (int n = 1; n <= total; ++n) {
        if (n % 1000 == 1)
            fichero.texto += "; Apuestas desde la " + QByteArray::number(n) + '\n';
        fichero.apuestas.push_back(ApuestaAlAzar(azar));
        fichero.texto
            += 'C' + QByteArray::number(n) + '=' + TextoApuesta(fichero.apuestas.back()) + '\n';
    }
    return fichero;
}

#include "app/ModeloResultado.h"

#include "model/modTypeEuromillon.h"

#include <QFont>

#include <algorithm>

namespace {

const char *const Cabeceras[] = {"#", "N1", "N2", "N3", "N4", "N5", "E1", "E2", "Res"};

// The number written by `texto` when it is the plain decimal text of one
// (no sign, blank or leading zero) of at most eight digits, which a row keeps
// as its number.
std::optional<quint32> NumeroExacto(const QString &texto)
{
    if (texto.isEmpty() || texto.size() > 8 || (texto.size() > 1 && texto.front() == u'0'))
        return std::nullopt;
    quint32 numero = 0;
    for (const QChar c : texto) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        numero = numero * 10 + quint32(c.unicode() - u'0');
    }
    return numero;
}

} // namespace

ModeloResultado::Lote::Lote(ModeloResultado &modelo)
    : modelo(modelo)
{
    ++modelo.lotesAbiertos;
}

ModeloResultado::Lote::~Lote()
{
    if (--modelo.lotesAbiertos == 0)
        modelo.Anunciar();
}

ModeloResultado::ModeloResultado(QObject *parent)
    : QAbstractTableModel(parent)
{
    indicesNumeros.fill(NingunIndice);
}

void ModeloResultado::EliminarFilas()
{
    beginResetModel();
    filas.clear();
    filas.shrink_to_fit();
    textos.clear();
    indices.clear();
    indicesNumeros.fill(NingunIndice);
    filasAnunciadas = 0;
    primeraCambiada = ultimaCambiada = -1;
    endResetModel();
}

void ModeloResultado::ReservarFilas(int filas)
{
    this->filas.reserve(static_cast<std::size_t>(std::max(filas, 0)));
}

void ModeloResultado::AgregarFila(const QString &texto)
{
    if (const auto numero = NumeroExacto(texto)) {
        AgregarFila(int(*numero));
        return;
    }
    Fila fila;
    fila.texto = Indice(texto);
    filas.push_back(fila);
    if (lotesAbiertos == 0)
        Anunciar();
}

void ModeloResultado::AgregarFila(int numero)
{
    if (numero < 0 || numero >= 1 << BitsTexto) {
        AgregarFila(QString::number(numero));
        return;
    }
    Fila fila;
    fila.texto = quint32(numero);
    fila.textoEsNumero = true;
    filas.push_back(fila);
    if (lotesAbiertos == 0)
        Anunciar();
}

// The rows appended since the views last heard, as one insertion; then the
// known rows that changed, as one change. The new rows are invisible to the
// views until then, as rowCount() leaves them out.
void ModeloResultado::Anunciar()
{
    if (NumeroFilas() > filasAnunciadas) {
        beginInsertRows({}, filasAnunciadas, NumeroFilas() - 1);
        filasAnunciadas = NumeroFilas();
        endInsertRows();
    }
    if (primeraCambiada >= 0) {
        const QModelIndex desde = index(primeraCambiada, 0);
        const QModelIndex hasta = index(ultimaCambiada, SubElementosMaximos);
        primeraCambiada = ultimaCambiada = -1;
        Q_EMIT dataChanged(desde, hasta);
    }
}

bool ModeloResultado::AgregarSubElemento(int fila, const QString &texto)
{
    return AgregarIndice(fila, Indice(texto));
}

void ModeloResultado::AgregarApuesta(int numero, const Euromillon &apuesta)
{
    const Lote lote(*this);
    AgregarFila(numero);
    Fila &fila = filas.back();
    const std::int16_t valores[]
        = {apuesta.Numero1, apuesta.Numero2,   apuesta.Numero3,  apuesta.Numero4,
           apuesta.Numero5, apuesta.Estrella1, apuesta.Estrella2};
    int cuenta = 0;
    for (const std::int16_t valor : valores)
        fila.subElementos[std::size_t(cuenta++)] = quint16(IndiceNumero(valor));
    fila.cuenta = quint32(cuenta);
}

bool ModeloResultado::AgregarIndice(int fila, quint32 indice)
{
    if (fila < 1 || fila > NumeroFilas())
        return false;
    Fila &destino = filas[static_cast<std::size_t>(fila - 1)];
    if (destino.cuenta == SubElementosMaximos || indice == SinTexto)
        return false;
    destino.subElementos[destino.cuenta] = quint16(indice);
    const int columna = ++destino.cuenta;
    const int conocida = fila - 1;
    if (conocida >= filasAnunciadas)
        return true;
    if (lotesAbiertos > 0) {
        primeraCambiada = primeraCambiada < 0 ? conocida : std::min(primeraCambiada, conocida);
        ultimaCambiada = std::max(ultimaCambiada, conocida);
        return true;
    }
    // The hit text may turn the whole row bold.
    const QModelIndex celda = index(conocida, columna);
    Q_EMIT dataChanged(columna == SubElementosMaximos ? index(conocida, 0) : celda, celda);
    return true;
}

int ModeloResultado::NumeroFilas() const
{
    return static_cast<int>(filas.size());
}

std::optional<QString> ModeloResultado::SubElemento(int fila, int subElemento) const
{
    if (fila < 1 || fila > NumeroFilas())
        return std::nullopt;
    const Fila &origen = filas[static_cast<std::size_t>(fila - 1)];
    if (subElemento < 1 || subElemento > origen.cuenta)
        return std::nullopt;
    return Texto(origen.subElementos[subElemento - 1]);
}

int ModeloResultado::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : filasAnunciadas;
}

int ModeloResultado::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 1 + SubElementosMaximos;
}

QVariant ModeloResultado::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const Fila &fila = filas[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        if (index.column() == 0)
            return TextoFila(fila);
        if (index.column() <= fila.cuenta)
            return Texto(fila.subElementos[index.column() - 1]);
        return {};
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignCenter);
    case Qt::FontRole:
        if (EsPremiada(fila)) {
            QFont negrita;
            negrita.setBold(true);
            return negrita;
        }
        return {};
    default:
        return {};
    }
}

QVariant ModeloResultado::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0
        && section <= SubElementosMaximos)
        return QString::fromLatin1(Cabeceras[section]);
    return QAbstractTableModel::headerData(section, orientation, role);
}

quint32 ModeloResultado::Indice(const QString &texto)
{
    const auto numero = texto.size() <= 2 ? NumeroExacto(texto) : std::nullopt;
    return numero ? IndiceNumero(int(*numero)) : IndiceEnTabla(texto);
}

quint32 ModeloResultado::IndiceNumero(int valor)
{
    if (valor < 0 || valor >= int(indicesNumeros.size()))
        return IndiceEnTabla(TextoNumero(valor));
    quint32 &indice = indicesNumeros[std::size_t(valor)];
    if (indice == NingunIndice)
        indice = IndiceEnTabla(TextoNumero(valor));
    return indice;
}

quint32 ModeloResultado::IndiceEnTabla(const QString &texto)
{
    const auto encontrado = indices.constFind(texto);
    if (encontrado != indices.constEnd())
        return *encontrado;
    if (textos.size() == TextosMaximos)
        return SinTexto;
    const auto nuevo = static_cast<quint32>(textos.size());
    textos.append(texto);
    indices.insert(texto, nuevo);
    return nuevo;
}

QString ModeloResultado::TextoFila(const Fila &fila) const
{
    return fila.textoEsNumero ? QString::number(fila.texto) : Texto(fila.texto);
}

const QString &ModeloResultado::Texto(quint32 indice) const
{
    static const QString ninguno;
    return indice == SinTexto ? ninguno : textos[indice];
}

bool ModeloResultado::EsPremiada(const Fila &fila) const
{
    return fila.cuenta == SubElementosMaximos
        && EsPremio(Texto(fila.subElementos[SubElementosMaximos - 1]));
}

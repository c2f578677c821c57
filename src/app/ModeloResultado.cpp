#include "app/ModeloResultado.h"

#include "model/modTypeEuromillon.h"

#include <QFont>

namespace {
const char *const Cabeceras[] = {"#", "N1", "N2", "N3", "N4", "N5", "E1", "E2", "Res"};
}

ModeloResultado::ModeloResultado(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void ModeloResultado::EliminarFilas()
{
    beginResetModel();
    filas.clear();
    filas.shrink_to_fit();
    textos.clear();
    indices.clear();
    endResetModel();
}

void ModeloResultado::AgregarFila(const QString &texto)
{
    const int fila = NumeroFilas();
    beginInsertRows({}, fila, fila);
    filas.push_back(Fila{Indice(texto), {}, 0});
    endInsertRows();
}

bool ModeloResultado::AgregarSubElemento(int fila, const QString &texto)
{
    if (fila < 1 || fila > NumeroFilas())
        return false;
    Fila &destino = filas[static_cast<std::size_t>(fila - 1)];
    if (destino.cuenta == SubElementosMaximos)
        return false;
    destino.subElementos[destino.cuenta] = Indice(texto);
    const int columna = ++destino.cuenta;
    const QModelIndex celda = index(fila - 1, columna);
    if (columna == SubElementosMaximos)
        Q_EMIT dataChanged(index(fila - 1, 0), celda);
    else
        Q_EMIT dataChanged(celda, celda);
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
    return textos[origen.subElementos[subElemento - 1]];
}

int ModeloResultado::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : NumeroFilas();
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
            return textos[fila.texto];
        if (index.column() <= fila.cuenta)
            return textos[fila.subElementos[index.column() - 1]];
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
    const auto encontrado = indices.constFind(texto);
    if (encontrado != indices.constEnd())
        return *encontrado;
    const auto nuevo = static_cast<quint32>(textos.size());
    textos.append(texto);
    indices.insert(texto, nuevo);
    return nuevo;
}

bool ModeloResultado::EsPremiada(const Fila &fila) const
{
    return fila.cuenta == SubElementosMaximos
        && EsPremio(textos[fila.subElementos[SubElementosMaximos - 1]]);
}

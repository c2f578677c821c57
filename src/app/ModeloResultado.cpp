#include "app/ModeloResultado.h"

#include <QFont>

namespace {

const char *const Cabeceras[] = {"#", "N1", "N2", "N3", "N4", "N5", "E1", "E2", "Res"};

// The columns' names as a screen reader says them.
const char *const NombresColumnas[] = {
    "Apuesta",  "Número 1",   "Número 2",   "Número 3", "Número 4",
    "Número 5", "Estrella 1", "Estrella 2", "Aciertos",
};

} // namespace

void ModeloResultado::FijarApuestas(std::vector<Euromillon> apuestas)
{
    beginResetModel();
    this->apuestas = std::move(apuestas);
    aciertos.clear();
    endResetModel();
}

void ModeloResultado::FijarAciertos(std::vector<Aciertos> aciertos)
{
    Q_ASSERT(aciertos.size() == apuestas.size());
    this->aciertos = std::move(aciertos);
    // The hits may turn whole rows bold.
    if (!apuestas.empty())
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void ModeloResultado::QuitarAciertos()
{
    if (aciertos.empty())
        return;
    aciertos.clear();
    Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

const Euromillon &ModeloResultado::Apuesta(int fila) const
{
    return apuestas.at(std::size_t(fila - 1));
}

std::optional<Aciertos> ModeloResultado::Resultado(int fila) const
{
    if (fila < 1 || std::size_t(fila) > aciertos.size())
        return std::nullopt;
    return aciertos[std::size_t(fila - 1)];
}

int ModeloResultado::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(apuestas.size());
}

int ModeloResultado::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(std::size(Cabeceras));
}

QVariant ModeloResultado::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const int fila = index.row() + 1;
    const int columna = index.column();
    const std::optional<Aciertos> resultado = Resultado(fila);
    switch (role) {
    case Qt::DisplayRole:
        if (columna == 0)
            return QString::number(fila);
        if (columna <= 7)
            return QString::number(Apuesta(fila).Campo(columna));
        return resultado ? resultado->Texto() : QString();
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignCenter);
    case Qt::FontRole:
        if (resultado && CategoriaPremio(*resultado) > 0) {
            QFont negrita;
            negrita.setBold(true);
            return negrita;
        }
        return {};
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        if (resultado && CategoriaPremio(*resultado) > 0)
            return TextoPremio(*resultado);
        return {};
    default:
        return {};
    }
}

QVariant ModeloResultado::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return QString::fromLatin1(Cabeceras[section]);
    if (role == Qt::AccessibleTextRole)
        return QString::fromUtf8(NombresColumnas[section]);
    return {};
}

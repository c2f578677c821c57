#include "app/ModeloResultado.h"

#include <QFont>

namespace {

const char *const Cabeceras[] = {"#", "N1", "N2", "N3", "N4", "N5", "E1", "E2", "Res"};

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
    aciertos.resize(std::min(aciertos.size(), apuestas.size()));
    this->aciertos = std::move(aciertos);
    // The hit text may turn whole rows bold.
    if (!aciertos.empty())
        Q_EMIT dataChanged(index(0, 0), index(int(aciertos.size()) - 1, columnCount() - 1));
}

const Euromillon &ModeloResultado::Apuesta(int fila) const
{
    return apuestas.at(std::size_t(fila - 1));
}

std::optional<Aciertos> ModeloResultado::AciertosDe(int fila) const
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
    const int fila = index.row() + 1;
    const int columna = index.column();
    switch (role) {
    case Qt::DisplayRole:
        if (columna == 0)
            return QString::number(fila);
        if (columna <= 7)
            return QString::number(Apuesta(fila).Campo(columna));
        if (const auto aciertos = AciertosDe(fila))
            return aciertos->Texto();
        return QString();
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignCenter);
    case Qt::FontRole:
        if (CategoriaPremio(AciertosDe(fila).value_or(Aciertos())) > 0) {
            QFont negrita;
            negrita.setBold(true);
            return negrita;
        }
        return {};
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        if (const QString premio = TextoPremio(AciertosDe(fila).value_or(Aciertos()));
            !premio.isEmpty())
            return premio;
        return {};
    default:
        return {};
    }
}

QVariant ModeloResultado::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0
        && section < columnCount())
        return QString::fromLatin1(Cabeceras[section]);
    return QAbstractTableModel::headerData(section, orientation, role);
}

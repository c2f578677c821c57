#pragma once

#include "model/modTypeEuromillon.h"

#include <QAbstractTableModel>

#include <optional>
#include <vector>

// The bet list: one row per bet, with its number, its seven values and, once
// checked, its hit text in the column "Res". A row has been checked when its
// hit text exists and is not empty. Winning rows are bold and carry their
// prize tier as tooltip and accessible description.
class ModeloResultado : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    // The rows of `apuestas`, in order, without hit texts.
    void FijarApuestas(std::vector<Euromillon> apuestas);
    // The hits of rows 1, 2, ... in order; rows beyond them keep none.
    void FijarAciertos(std::vector<Aciertos> aciertos);

    // The bet of row `fila`, counted from 1.
    const Euromillon &Apuesta(int fila) const;
    // The hits of row `fila` (from 1); nothing when it has none or the row
    // does not exist.
    std::optional<Aciertos> AciertosDe(int fila) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<Euromillon> apuestas;
    std::vector<Aciertos> aciertos;
};

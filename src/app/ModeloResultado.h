#pragma once

#include "model/modTypeEuromillon.h"

#include <QAbstractTableModel>

#include <optional>
#include <vector>

// The bet list: one row per bet, with its number, its seven values and, once
// checked, its hits in the column "Res". Winning rows are bold and carry their
// prize tier as tooltip and accessible description.
class ModeloResultado : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    // The rows of `apuestas`, in order, without hits.
    void FijarApuestas(std::vector<Euromillon> apuestas);
    // The hits of every row, in order.
    void FijarAciertos(std::vector<Aciertos> aciertos);
    // Drops every row's hits, as a check of another draw would.
    void QuitarAciertos();

    // The bet of row `fila`, counted from 1.
    const Euromillon &Apuesta(int fila) const;
    // The hits of row `fila` (from 1); nothing before a check.
    std::optional<Aciertos> Resultado(int fila) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<Euromillon> apuestas;
    // One per bet after a check, none before.
    std::vector<Aciertos> aciertos;
};

#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

// The rows of the bet list: each row has the text of its first column and up
// to eight sub-items (the seven values and the hit text "Res"). A row without
// an eighth sub-item has not been through a check.
//
// Cell texts repeat a lot (numbers 1-50, a dozen hit texts), so each distinct
// text is stored once and the rows keep indexes into that pool.
class ModeloResultado : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int SubElementosMaximos = 8;

    explicit ModeloResultado(QObject *parent = nullptr);

    void EliminarFilas();
    void AgregarFila(const QString &texto);
    // Appends a sub-item after the last one of row `fila` (from 1); fails when
    // the row is missing or already holds every sub-item.
    bool AgregarSubElemento(int fila, const QString &texto);
    int NumeroFilas() const;
    // Sub-item `subElemento` (1 to 8) of row `fila` (from 1), or nothing when
    // the row or the sub-item does not exist.
    std::optional<QString> SubElemento(int fila, int subElemento) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    struct Fila
    {
        quint32 texto = 0;
        std::array<quint32, SubElementosMaximos> subElementos{};
        quint8 cuenta = 0;
    };

    quint32 Indice(const QString &texto);
    bool EsPremiada(const Fila &fila) const;

    QStringList textos;
    QHash<QString, quint32> indices;
    std::vector<Fila> filas;
};

#pragma once

#include "model/modTypeEuromillon.h"

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
// text is stored once and the rows keep indexes into that pool; a row's own
// text, its number, is kept as that number.
class ModeloResultado : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int SubElementosMaximos = 8;
    // Sub-items keep 16-bit indexes into the pool of distinct texts; the last
    // index stands for no text.
    static constexpr int TextosMaximos = 0xFFFF;

    // While one of these lives, appended rows and sub-items reach the views
    // as one change when it ends, instead of one per row and per cell, which
    // at tens of thousands of rows costs more than the rows themselves. The
    // model's own functions see every row at once; the views see the new rows
    // when the batch ends. Batches nest; the outermost one announces.
    class Lote
    {
    public:
        explicit Lote(ModeloResultado &modelo);
        ~Lote();
        Lote(const Lote &) = delete;
        Lote &operator=(const Lote &) = delete;

    private:
        ModeloResultado &modelo;
    };

    explicit ModeloResultado(QObject *parent = nullptr);

    void EliminarFilas();
    // Room for `filas` rows in all, so that a long load does not move and
    // copy the rows it has appended so far.
    void ReservarFilas(int filas);
    void AgregarFila(const QString &texto);
    // A row whose text is its number.
    void AgregarFila(int numero);
    // Appends a sub-item after the last one of row `fila` (from 1); fails when
    // the row is missing or already holds every sub-item, or when the list
    // already holds TextosMaximos distinct texts and this one is new.
    bool AgregarSubElemento(int fila, const QString &texto);
    // A row numbered `numero` whose sub-items are the seven values of
    // `apuesta`, as a load lists every stored bet. A value whose text no
    // longer fits among the distinct texts still takes its column, empty.
    void AgregarApuesta(int numero, const Euromillon &apuesta);
    int NumeroFilas() const;
    // Sub-item `subElemento` (1 to 8) of row `fila` (from 1), or nothing when
    // the row or the sub-item does not exist.
    std::optional<QString> SubElemento(int fila, int subElemento) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    // At tens of thousands of rows, every byte of a row counts: memory that a
    // load touches for the first time costs more than the work done in it.
    // A row's text, number or pool index, takes the bits its count leaves.
    static constexpr int BitsTexto = 27;
    struct Fila
    {
        // The number itself when `textoEsNumero`, else a pool index.
        quint32 texto : BitsTexto = 0;
        quint32 cuenta : 4 = 0;
        quint32 textoEsNumero : 1 = false;
        std::array<quint16, SubElementosMaximos> subElementos {};
    };

    quint32 Indice(const QString &texto);
    quint32 IndiceEnTabla(const QString &texto);
    quint32 IndiceNumero(int valor);
    const QString &Texto(quint32 indice) const;
    bool AgregarIndice(int fila, quint32 indice);
    QString TextoFila(const Fila &fila) const;
    bool EsPremiada(const Fila &fila) const;
    void Anunciar();

    QStringList textos;
    QHash<QString, quint32> indices;
    // The pool indexes of the texts "0" to "99", the values of every field,
    // found without hashing; NingunIndice until the text is in the pool.
    static constexpr quint32 NingunIndice = 0xFFFFFFFF;
    static constexpr quint32 SinTexto = TextosMaximos;
    std::array<quint32, 100> indicesNumeros;
    std::vector<Fila> filas;
    // The rows the views know of: rows appended in a batch are not among them
    // until it ends.
    int filasAnunciadas = 0;
    int lotesAbiertos = 0;
    // The known rows that got sub-items in the current batch.
    int primeraCambiada = -1;
    int ultimaCambiada = -1;
};

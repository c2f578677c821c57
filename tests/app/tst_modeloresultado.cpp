#include "app/ModeloResultado.h"

#include <QAbstractItemModelTester>
#include <QFont>
#include <QSignalSpy>
#include <QTest>

class TstModeloResultado : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void textoFila_data();
    void textoFila();
    void lote();
    void textosDistintos();
};

// A row's own text is kept as a number only when the number gives the same
// text back.
void TstModeloResultado::textoFila_data()
{
    QTest::addColumn<QString>("texto");
    for (const char *texto : {"007", "+1", " 1", "1a", "", "٣", "4294967296", "99999999",
                              "134217728", "999999999", "-5", "2147483647"})
        QTest::newRow(texto) << QString::fromUtf8(texto);
}

void TstModeloResultado::textoFila()
{
    QFETCH(QString, texto);
    ModeloResultado modelo;
    modelo.AgregarFila(texto);
    QCOMPARE(modelo.index(0, 0).data().toString(), texto);
    // The same row added by its number, when the text is one.
    bool esNumero = false;
    const int numero = texto.toInt(&esNumero);
    if (esNumero) {
        modelo.AgregarFila(numero);
        QCOMPARE(modelo.index(1, 0).data().toString(), QString::number(numero));
    }
}

// The views hear of a batch's rows once, when the outermost batch ends; the
// model's own functions see them at once. Sub-items of rows the views
// already know come as one change over those rows; outside a batch, as one
// change per cell, or over the whole row for the hit text, which turns a
// prize row bold.
void TstModeloResultado::lote()
{
    ModeloResultado modelo;
    QAbstractItemModelTester probador(&modelo);
    modelo.AgregarFila(QStringLiteral("1"));
    QSignalSpy insertadas(&modelo, &QAbstractItemModel::rowsInserted);
    QSignalSpy cambiadas(&modelo, &QAbstractItemModel::dataChanged);
    {
        const ModeloResultado::Lote lote(modelo);
        QVERIFY(modelo.AgregarSubElemento(1, QStringLiteral("5")));
        {
            const ModeloResultado::Lote interior(modelo);
            modelo.AgregarFila(QStringLiteral("2"));
            modelo.AgregarFila(QStringLiteral("3"));
        }
        QVERIFY(modelo.AgregarSubElemento(3, QStringLiteral("7")));
        QCOMPARE(insertadas.size() + cambiadas.size(), 0);
    }
    QCOMPARE(insertadas.size(), 1);
    QCOMPARE(insertadas[0].mid(1), QVariantList({1, 2}));
    QCOMPARE(cambiadas.size(), 1);
    QCOMPARE(cambiadas[0][0].toModelIndex(), modelo.index(0, 0));

    QVERIFY(modelo.AgregarSubElemento(2, QStringLiteral("9")));
    QCOMPARE(cambiadas.last()[0].toModelIndex(), modelo.index(1, 1));
    QCOMPARE(modelo.SubElemento(2, 2), std::nullopt);
    QCOMPARE(modelo.SubElemento(4, 1), std::nullopt);
    for (const char *texto : {"1", "2", "3", "4", "6", "8", "5+2"})
        QVERIFY(modelo.AgregarSubElemento(1, texto));
    QCOMPARE(cambiadas.last()[0].toModelIndex(), modelo.index(0, 0));
    QVERIFY(modelo.index(0, 4).data(Qt::FontRole).value<QFont>().bold());
}

// Sub-items point into the pool of distinct texts with 16 bits: once the
// pool is full a new text is refused, a known one still goes in, a bet keeps
// its seven columns, and every text kept reads back as written.
void TstModeloResultado::textosDistintos()
{
    constexpr int Filas = ModeloResultado::TextosMaximos / ModeloResultado::SubElementosMaximos + 1;
    ModeloResultado modelo;
    {
        const ModeloResultado::Lote lote(modelo);
        for (int fila = 1; fila <= Filas; ++fila) {
            modelo.AgregarFila(fila);
            for (int i = 0; i < ModeloResultado::SubElementosMaximos; ++i) {
                const int texto = (fila - 1) * ModeloResultado::SubElementosMaximos + i;
                QCOMPARE(modelo.AgregarSubElemento(fila, QString::number(texto)),
                         texto < ModeloResultado::TextosMaximos);
            }
        }
    }
    QCOMPARE(modelo.SubElemento(Filas, 7), QString::number(ModeloResultado::TextosMaximos - 1));
    QVERIFY(!modelo.AgregarSubElemento(Filas, QStringLiteral("nuevo")));
    QVERIFY(modelo.AgregarSubElemento(Filas, QStringLiteral("7")));
    QCOMPARE(modelo.SubElemento(Filas, 8), QStringLiteral("7"));

    Euromillon apuesta;
    apuesta.Numero1 = -7;
    modelo.AgregarApuesta(Filas + 1, apuesta);
    QVERIFY(!modelo.AgregarSubElemento(Filas + 1, QStringLiteral("0+0")));
    QCOMPARE(modelo.SubElemento(Filas + 1, 1), QString());
    QCOMPARE(modelo.SubElemento(Filas + 1, 2), QStringLiteral("0"));
    QVERIFY(modelo.AgregarSubElemento(Filas + 1, QStringLiteral("3")));
    QCOMPARE(modelo.SubElemento(Filas + 1, 8), QStringLiteral("3"));
    QCOMPARE(modelo.index(Filas, 0).data().toString(), QString::number(Filas + 1));
}

QTEST_MAIN(TstModeloResultado)
#include "tst_modeloresultado.moc"

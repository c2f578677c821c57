#include "app/FormMain.h"
#include "app/ModeloResultado.h"
#include "support/EntornoPrueba.h"

#include <QAbstractItemModelTester>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>

class TstModeloResultado : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void textoFila_data();
    void textoFila();
    void lote();
    void loteConReinicio();
    void cargaYComprobacionEnUnCambio();
};

// A row's own text is kept as a number only when the number gives the same
// text back.
void TstModeloResultado::textoFila_data()
{
    QTest::addColumn<QString>("texto");
    for (const char *texto :
         {"1", "0", "32767", "999999999", "1000000000", "007", "-1", "+1", " 1", "1a", "", "٣"})
        QTest::newRow(texto) << QString::fromUtf8(texto);
}

void TstModeloResultado::textoFila()
{
    QFETCH(QString, texto);
    ModeloResultado modelo;
    modelo.AgregarFila(QStringLiteral("12"));
    modelo.AgregarFila(texto);
    QCOMPARE(modelo.data(modelo.index(1, 0), Qt::DisplayRole).toString(), texto);
    QCOMPARE(modelo.data(modelo.index(0, 0), Qt::DisplayRole).toString(), "12");
}

// The views hear of a batch's rows once, when the outermost batch ends; the
// model's own functions see them at once. Sub-items of rows the views
// already know come as one change over those rows.
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
        QCOMPARE(modelo.NumeroFilas(), 3);
        QCOMPARE(modelo.SubElemento(3, 1), QStringLiteral("7"));
        QCOMPARE(modelo.rowCount(), 1);
        QCOMPARE(insertadas.size() + cambiadas.size(), 0);
    }
    QCOMPARE(modelo.rowCount(), 3);
    QCOMPARE(insertadas.size(), 1);
    QCOMPARE(insertadas[0][1].toInt(), 1);
    QCOMPARE(insertadas[0][2].toInt(), 2);
    QCOMPARE(cambiadas.size(), 1);
    QCOMPARE(cambiadas[0][0].toModelIndex(), modelo.index(0, 0));
    QCOMPARE(modelo.data(modelo.index(2, 1), Qt::DisplayRole).toString(), "7");

    QVERIFY(modelo.AgregarSubElemento(2, QStringLiteral("9")));
    QCOMPARE(cambiadas.size(), 2);
    QCOMPARE(cambiadas[1][0].toModelIndex(), modelo.index(1, 1));
}

void TstModeloResultado::loteConReinicio()
{
    ModeloResultado modelo;
    QAbstractItemModelTester probador(&modelo);
    QTreeView vista;
    vista.setModel(&modelo);
    modelo.AgregarFila(QStringLiteral("1"));
    QVERIFY(modelo.AgregarSubElemento(1, QStringLiteral("4")));
    {
        const ModeloResultado::Lote lote(modelo);
        QVERIFY(modelo.AgregarSubElemento(1, QStringLiteral("8")));
        modelo.EliminarFilas();
        modelo.AgregarFila(QStringLiteral("1"));
        QVERIFY(modelo.AgregarSubElemento(1, QStringLiteral("6")));
    }
    QCOMPARE(modelo.rowCount(), 1);
    QCOMPARE(modelo.SubElemento(1, 1), QStringLiteral("6"));
    QCOMPARE(modelo.SubElemento(1, 2), std::nullopt);
}

// A check of many bets reaches the list as one reset and one insertion,
// whatever the number of rows and cells.
void TstModeloResultado::cargaYComprobacionEnUnCambio()
{
    QByteArray contenido = "[Combinaciones]\nTotal=300\n";
    for (int n = 1; n <= 300; ++n)
        contenido += "C" + QByteArray::number(n) + "=03-17-22-41-50-E2-8\n";
    EntornoPrueba entorno;
    entorno.EscribirIni(contenido);
    FormMain ventana;
    auto *modelo = qobject_cast<ModeloResultado *>(
        ventana.findChild<QTreeView *>(QStringLiteral("lstResultado"))->model());
    QCOMPARE(modelo->rowCount(), 300);
    for (int i = 1; i <= 5; ++i)
        ventana.findChild<QLineEdit *>(QStringLiteral("txtEuromillonNumero(%1)").arg(i))
            ->setText(QString::number(i));
    QSignalSpy insertadas(modelo, &QAbstractItemModel::rowsInserted);
    QSignalSpy cambiadas(modelo, &QAbstractItemModel::dataChanged);
    ventana.findChild<QPushButton *>(QStringLiteral("cmdComprobar"))->click();
    QCOMPARE(insertadas.size(), 1);
    QCOMPARE(cambiadas.size(), 0);
    QCOMPARE(modelo->rowCount(), 300);
    QCOMPARE(modelo->SubElemento(300, 8), QStringLiteral("1+0"));
}

QTEST_MAIN(TstModeloResultado)
#include "tst_modeloresultado.moc"

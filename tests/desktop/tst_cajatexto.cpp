#include "desktop/CajaTexto.h"

#include <QTest>

class TstCajaTexto : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fuenteDeLaVentana();
};

// The box changes only how its text is shaped: family, size and weight still
// come from its window, including a font the window gets later.
void TstCajaTexto::fuenteDeLaVentana()
{
    QWidget ventana;
    QFont fuente = ventana.font();
    fuente.setPointSize(17);
    ventana.setFont(fuente);
    auto *caja = new CajaTexto(&ventana);
    QCOMPARE(caja->font().pointSize(), 17);
    QVERIFY(caja->font().styleStrategy() & QFont::PreferNoShaping);

    fuente.setPointSize(8);
    fuente.setBold(true);
    ventana.setFont(fuente);
    QCOMPARE(caja->font().pointSize(), 8);
    QVERIFY(caja->font().bold());
    QVERIFY(caja->font().styleStrategy() & QFont::PreferNoShaping);
}

QTEST_MAIN(TstCajaTexto)
#include "tst_cajatexto.moc"

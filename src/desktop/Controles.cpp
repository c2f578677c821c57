#include "desktop/Controles.h"

#include "desktop/CajaTexto.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>

QPushButton *CrearBoton(QWidget *contenedor, const char *nombre, const QString &texto)
{
    auto *boton = new QPushButton(texto, contenedor);
    boton->setObjectName(QString::fromLatin1(nombre));
    boton->setAutoDefault(true);
    return boton;
}

CajaTexto *CrearCaja(QWidget *contenedor, const QString &nombre, const QString &muestra)
{
    auto *caja = new CajaTexto(contenedor);
    caja->setObjectName(nombre);
    // The style adds the frame and margins of a line edit around the text.
    QStyleOptionFrame opcion;
    opcion.initFrom(caja);
    opcion.lineWidth = caja->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opcion, caja);
    const QFontMetrics medidas = caja->fontMetrics();
    const QSize texto(medidas.horizontalAdvance(muestra) + medidas.averageCharWidth(),
                      medidas.height());
    caja->setFixedWidth(
        caja->style()->sizeFromContents(QStyle::CT_LineEdit, &opcion, texto, caja).width());
    return caja;
}

QHBoxLayout *CrearFila(std::initializer_list<QWidget *> controles)
{
    auto *fila = new QHBoxLayout;
    for (QWidget *control : controles)
        fila->addWidget(control, 1);
    return fila;
}

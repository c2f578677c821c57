#include "desktop/EtiquetaPulsable.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace {

// What assistive technology sees of the label: a link named by its text, with
// the press action.
class EtiquetaAccesible final : public QAccessibleWidget
{
public:
    explicit EtiquetaAccesible(EtiquetaPulsable *etiqueta)
        : QAccessibleWidget(etiqueta, QAccessible::Link)
    {}

    QString text(QAccessible::Text tipo) const override
    {
        if (tipo == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<const QLabel *>(widget())->text();
        return QAccessibleWidget::text(tipo);
    }
    QStringList actionNames() const override
    {
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }
    void doAction(const QString &accion) override
    {
        if (accion == pressAction())
            Q_EMIT static_cast<EtiquetaPulsable *>(widget())->Pulsada();
        else
            QAccessibleWidget::doAction(accion);
    }
};

QAccessibleInterface *CrearAccesible(const QString &clase, QObject *objeto)
{
    if (clase == QLatin1StringView(EtiquetaPulsable::staticMetaObject.className()))
        return new EtiquetaAccesible(static_cast<EtiquetaPulsable *>(objeto));
    return nullptr;
}

} // namespace

EtiquetaPulsable::EtiquetaPulsable(QWidget *parent)
    : QLabel(parent)
{
    [[maybe_unused]] static const bool fabricaInstalada
        = (QAccessible::installFactory(CrearAccesible), true);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

void EtiquetaPulsable::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT Pulsada();
    QLabel::mouseReleaseEvent(event);
}

void EtiquetaPulsable::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Q_EMIT Pulsada();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

void EtiquetaPulsable::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QStylePainter pintor(this);
    QStyleOptionFocusRect opcion;
    opcion.initFrom(this);
    opcion.rect = contentsRect();
    opcion.backgroundColor = palette().color(backgroundRole());
    pintor.drawPrimitive(QStyle::PE_FrameFocusRect, opcion);
}

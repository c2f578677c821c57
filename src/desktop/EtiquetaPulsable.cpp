#include "desktop/EtiquetaPulsable.h"

#include <QKeyEvent>
#include <QMouseEvent>

EtiquetaPulsable::EtiquetaPulsable(QWidget *parent)
    : QLabel(parent)
{
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

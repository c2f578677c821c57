#include "desktop/CajaTexto.h"

#include <QFocusEvent>
#include <QKeyEvent>

CajaTexto::CajaTexto(QWidget *parent)
    : QLineEdit(parent)
{
    setAlignment(Qt::AlignCenter);
}

void CajaTexto::SeleccionarTodo()
{
    setSelection(0, static_cast<int>(text().size()));
}

void CajaTexto::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    enfocadaConRaton = event->reason() == Qt::MouseFocusReason;
    teclaPulsadaAqui = false;
    Q_EMIT FocoRecibido();
}

void CajaTexto::focusOutEvent(QFocusEvent *event)
{
    teclaPulsadaAqui = false;
    QLineEdit::focusOutEvent(event);
}

void CajaTexto::mousePressEvent(QMouseEvent *event)
{
    if (enfocadaConRaton) {
        enfocadaConRaton = false;
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void CajaTexto::keyPressEvent(QKeyEvent *event)
{
    enfocadaConRaton = false;
    teclaPulsadaAqui = true;
    QLineEdit::keyPressEvent(event);
}

void CajaTexto::keyReleaseEvent(QKeyEvent *event)
{
    QLineEdit::keyReleaseEvent(event);
    if (!teclaPulsadaAqui || event->isAutoRepeat())
        return;
    teclaPulsadaAqui = false;
    Q_EMIT TeclaSoltada();
}

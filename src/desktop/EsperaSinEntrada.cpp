#include "desktop/EsperaSinEntrada.h"

#include <QCursor>
#include <QEvent>
#include <QGuiApplication>

EsperaSinEntrada::EsperaSinEntrada()
    : modalAlEmpezar(QGuiApplication::modalWindow())
{
    QGuiApplication::instance()->installEventFilter(this);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

EsperaSinEntrada::~EsperaSinEntrada()
{
    QGuiApplication::restoreOverrideCursor();
}

bool EsperaSinEntrada::eventFilter(QObject *, QEvent *evento)
{
    // A modal window opened meanwhile (a message box of a command whose click
    // was already under way) must stay usable: the wait cannot end before it
    // closes.
    if (QGuiApplication::modalWindow() != modalAlEmpezar)
        return false;
    // An accepted override keeps the key from firing a shortcut; the key
    // itself is then dropped as any other input.
    if (evento->type() == QEvent::ShortcutOverride)
        evento->accept();
    return evento->isInputEvent();
}

#pragma once

#include <QObject>

class QWindow;

// While one lives, user input to any object of the application is dropped,
// access keys included, and the busy cursor shows; a modal window opened
// meanwhile stays usable. A window holds one around work that waits.
class EsperaSinEntrada : public QObject
{
public:
    EsperaSinEntrada();
    ~EsperaSinEntrada() override;

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    const QWindow *const modalAlEmpezar;
};

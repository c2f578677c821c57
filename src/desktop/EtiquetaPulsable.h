#pragma once

#include <QLabel>

// A label that acts like a link: a click, or Space or Enter while it has the
// keyboard focus, reports `Pulsada`.
class EtiquetaPulsable : public QLabel
{
    Q_OBJECT

public:
    explicit EtiquetaPulsable(QWidget *parent = nullptr);

Q_SIGNALS:
    void Pulsada();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};

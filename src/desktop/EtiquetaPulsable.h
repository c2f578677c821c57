#pragma once

#include <QLabel>

// A label that acts like a link: a click, or Space or Enter while it has the
// keyboard focus, reports `Pulsada`. It shows a focus frame while it has the
// focus, and a screen reader hears its text as a link that can be pressed.
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
    void paintEvent(QPaintEvent *event) override;
};

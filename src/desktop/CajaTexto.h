#pragma once

#include <QLineEdit>

// A one-line text box with centred text and the notifications the windows'
// rules need: when it receives the focus, and when a key that was pressed in
// it is released (after the key has acted on the text).
class CajaTexto : public QLineEdit
{
    Q_OBJECT

public:
    explicit CajaTexto(QWidget *parent = nullptr);

    // Selects the whole text, so the next key typed replaces it.
    void SeleccionarTodo();

Q_SIGNALS:
    void FocoRecibido();
    void TeclaSoltada();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    // The click that brought the focus keeps the selection made on focus.
    bool enfocadaConRaton = false;
    // Only keys pressed in this box count at their release, so a box does not
    // react to the release of the key that moved the focus into it.
    bool teclaPulsadaAqui = false;
};

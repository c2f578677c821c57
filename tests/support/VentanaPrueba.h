#pragma once

#include "support/EntornoPrueba.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>

// Helpers for the tests that drive the windows as a user would.

// Shows the window and makes it the active one; false if it never becomes so.
[[nodiscard]] inline bool Activar(QWidget &ventana)
{
    ventana.show();
    QApplication::setActiveWindow(&ventana);
    return QTest::qWaitForWindowActive(&ventana);
}

// Sends each character of `teclas` as one key to whichever widget has the
// focus then: "\t" Tab, "\v" Shift+Tab, "\b" Backspace, "\r" Enter, and an
// upper-case letter Alt with that letter, which presses the button of that
// access key (waiting for its short animation).
inline void Teclear(const QString &teclas)
{
    for (const QChar c : teclas) {
        QWidget *foco = QApplication::focusWidget();
        QVERIFY2(foco, "no widget has the focus");
        const QPointer<QWidget> ventana = foco->window();
        QTest::keyClick(foco, c.toLower().toLatin1(),
                        c.isUpper() ? Qt::AltModifier : Qt::NoModifier);
        QTRY_VERIFY(
            !ventana
            || std::ranges::none_of(ventana->findChildren<QPushButton *>(), &QPushButton::isDown));
    }
}

// Opens a `Ventana` on a settings file holding `ini`: Tab from the focused
// control stops at each name of `orden` in turn, back to the first, and
// Shift+Tab walks the same way back; names lose `quitar`. The keys go through
// the window, as typed keys do: a release reaches the control that has the
// focus by then.
template<class Ventana>
void RecorrerTabulacion(const QByteArray &ini, const QString &orden, const QString &quitar)
{
    EntornoPrueba entorno;
    entorno.EscribirIni(ini);
    Ventana ventana(nullptr);
    QVERIFY(Activar(ventana));
    QStringList esperado = orden.split(' ');
    for (const auto modificador : {Qt::NoModifier, Qt::ShiftModifier}) {
        QStringList recorrido {esperado.first()};
        while (recorrido.size() < esperado.size()) {
            QTest::keyClick(ventana.windowHandle(), Qt::Key_Tab, modificador);
            const QWidget *foco = QApplication::focusWidget();
            recorrido
                << (foco ? foco->objectName() : "(ninguno)").remove(QRegularExpression(quitar));
        }
        QCOMPARE(recorrido, esperado);
        std::ranges::reverse(esperado);
    }
}

// The application's font at `puntos` points while it lives, as a desktop with
// a larger font gives it to new windows.
struct FuenteEscritorio
{
    explicit FuenteEscritorio(int puntos)
    {
        QFont fuente = anterior;
        fuente.setPointSize(puntos);
        QApplication::setFont(fuente);
    }
    ~FuenteEscritorio() { QApplication::setFont(anterior); }
    const QFont anterior = QApplication::font();
};

// The width of a `Ventana` shown with the application's font at `puntos` points.
template<class Ventana> int AnchoConFuente(int puntos)
{
    const FuenteEscritorio fuente(puntos);
    Ventana ventana(nullptr);
    ventana.show();
    return ventana.width();
}

// Each box of `ventana` is given the text of the first pattern in `textos`
// that its name matches; every box then shows its whole text, every button,
// label and frame gets the room its caption needs, and the window keeps one
// size that the user cannot change.
inline void ComprobarNadaCortado(QWidget &ventana, const QList<std::pair<QString, QString>> &textos)
{
    QVERIFY(Activar(ventana));
    QCOMPARE(ventana.minimumSize(), ventana.maximumSize());
    for (QLineEdit *caja : ventana.findChildren<QLineEdit *>()) {
        const auto texto = std::ranges::find_if(textos, [caja](const auto &par) {
            return caja->objectName().contains(QRegularExpression(par.first));
        });
        QVERIFY2(texto != textos.end(), qPrintable(caja->objectName()));
        caja->setText(texto->second);
        // The text is measured from the left edge, where the box starts it.
        caja->setAlignment(Qt::AlignLeft);
        const int medio = caja->height() / 2;
        // From either end of the text, the other end is in view; the box
        // scrolls its text when painted.
        caja->setCursorPosition(0);
        caja->repaint();
        QCOMPARE(caja->cursorPositionAt({caja->width() - 1, medio}), caja->text().size());
        caja->end(false);
        caja->repaint();
        QVERIFY2(caja->cursorPositionAt({0, medio}) == 0, qPrintable(caja->objectName()));
    }
    for (const QWidget *control : ventana.findChildren<QWidget *>()) {
        if (qobject_cast<const QAbstractButton *>(control) || qobject_cast<const QLabel *>(control)
            || qobject_cast<const QGroupBox *>(control)) {
            const QSize necesario = control->minimumSizeHint().expandedTo(control->sizeHint());
            QVERIFY2(control->width() >= necesario.width()
                         && control->height() >= necesario.height(),
                     qPrintable(control->objectName()));
        }
    }
}

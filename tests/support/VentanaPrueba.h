#pragma once

#include "support/EntornoPrueba.h"

#include <QApplication>
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

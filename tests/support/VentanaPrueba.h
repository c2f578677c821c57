#pragma once

#include "app/FormMain.h"
#include "app/ModeloResultado.h"
#include "support/EntornoPrueba.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>

#include <algorithm>

// Helpers for the tests that drive the windows as a user would.

// The name of draw box `i`: 1 to 5 the numbers, 6 and 7 the stars. The
// editor's boxes take the prefix "txtEuromillonConfig".
inline QString NombreCaja(int i, const QString &prefijo = QStringLiteral("txtEuromillon"))
{
    return prefijo + QString(i <= 5 ? "Numero(%1)" : "Estrella(%1)").arg(i <= 5 ? i : i - 5);
}

// Box `i` of the main window: 1 to 7 as above, 8 the date.
inline QLineEdit *Caja(const QWidget &ventana, int i)
{
    return ventana.findChild<QLineEdit *>(i == 8 ? QStringLiteral("txtFecha") : NombreCaja(i));
}

inline ModeloResultado &Modelo(const FormMain &ventana)
{
    return *ventana.findChild<ModeloResultado *>();
}

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

// The name of the widget with the focus, for readable failures.
inline QString NombreDelFoco()
{
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "(ninguno)";
}

// Tab from the focused control stops at each name of `orden` in turn, back to
// the first, and Shift+Tab walks the same way back; names lose `quitar`. The
// keys go through the window, as typed keys do: a release reaches the control
// that has the focus by then.
inline void RecorrerTabulacion(const QString &orden, const QString &quitar)
{
    QStringList esperado = orden.split(' ');
    for (const auto modificador : {Qt::NoModifier, Qt::ShiftModifier}) {
        QStringList recorrido {esperado.first()};
        while (recorrido.size() < esperado.size()) {
            QTest::keyClick(QApplication::activeWindow()->windowHandle(), Qt::Key_Tab, modificador);
            recorrido << NombreDelFoco().remove(QRegularExpression(quitar));
        }
        QCOMPARE(recorrido, esperado);
        std::ranges::reverse(esperado);
    }
}

// A program folder holding `ini` as its settings file (no file when `ini` is
// null), and the main window started on it.
struct ProgramaPrueba
{
    explicit ProgramaPrueba(const QByteArray &ini = {})
        : escrito(ini.isNull() || (entorno.EscribirIni(ini), true))
    {}

    EntornoPrueba entorno;
    const bool escrito; // the file is there before the window reads it
    FormMain ventana;
};

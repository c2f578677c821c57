#pragma once

#include "support/EntornoPrueba.h"

#include <QtWidgets>

#include <algorithm>

// Helpers for the tests that drive the windows as a user would.

// Shows the window and makes it the active one; false if it never becomes so.
[[nodiscard]] inline bool Activar(QWidget &ventana)
{
    ventana.show();
    QApplication::setActiveWindow(&ventana);
    return QTest::qWaitForWindowActive(&ventana);
}

// Sends each character of `teclas` as one key to the active window, as typed
// keys go (a release reaches the control that has the focus by then): "\t"
// Tab, "\v" Shift+Tab, "\b" Backspace, "\r" Enter, and an upper-case letter
// Alt with that letter, which presses the button of that access key (waiting
// for its short animation).
inline void Teclear(const QString &teclas)
{
    for (const QChar c : teclas) {
        QTest::keyClick(QApplication::focusWindow(), c.toLower().toLatin1(),
                        c.isUpper() ? Qt::AltModifier : Qt::NoModifier);
        const auto botones = QApplication::activeWindow()->findChildren<QPushButton *>();
        QTRY_VERIFY(std::ranges::none_of(botones, &QPushButton::isDown));
    }
}

// A `Ventana` opened on a settings file holding `ini`, at each desktop font
// size. Tab from the focused control stops at each name of `orden` in turn,
// back to the first, and Shift+Tab walks the same way back; names are given
// without their control prefix.
// Then, after `teclas`, the window keeps one size that the user cannot
// change, and grows with the font. Each list shows six rows and every column
// its widest text, side by side with no horizontal scroll bar, beside the
// vertical one (the file holds more than six bets). Every box shows its whole
// text, once given `largo` when its name matches `largas` and a signed value
// otherwise, and every button, label and frame (named by its prefix) gets the
// room its caption needs.
template<class Ventana>
void ComprobarVentana(const QByteArray &ini, const QString &orden, const QString &teclas,
                      const QString &largas, const QString &largo)
{
    EntornoPrueba entorno;
    entorno.EscribirIni(ini);
    const QFont anterior = QApplication::font();
    int ancho8 = 0;
    for (const int puntos : {8, 14, 24}) {
        QApplication::setFont(QFont(anterior.family(), puntos));
        Ventana ventana(nullptr);
        QVERIFY(Activar(ventana));
        const QRegularExpression prefijo("^(btn|cmd|lb|lst|txt(EuromillonConfig|Euromillon)?)");
        const QStringList esperado = orden.split(' ');
        const qsizetype pasos = esperado.size() - 1;
        QStringList recorrido;
        for (const QChar tecla : QString(pasos, u'\t') + QString(pasos, u'\v')) {
            Teclear(tecla);
            recorrido << QApplication::focusWidget()->objectName().remove(prefijo);
        }
        QCOMPARE(recorrido,
                 esperado.sliced(1) + QStringList(esperado.crbegin() + 1, esperado.crend()));
        Teclear(teclas);
        QCOMPARE(ventana.minimumSize(), ventana.maximumSize());
        ancho8 = ancho8 ? ancho8 : ventana.width();
        QVERIFY(ventana.width() * 8 * 4 >= ancho8 * puntos * 3);
        for (const QTableView *tabla :
             ventana.template findChildren<QTableView *>(QRegularExpression("^lst"))) {
            const QAbstractItemView *lista = tabla;
            const QHeaderView *cabecera = tabla->horizontalHeader();
            QVERIFY(!lista->horizontalScrollBar()->isVisible()
                    && lista->verticalScrollBar()->isVisible());
            for (int columna = 0; columna < cabecera->count(); ++columna)
                QVERIFY(cabecera->sectionSize(columna) >= std::max(
                            lista->sizeHintForColumn(columna), cabecera->sectionSizeHint(columna)));
            QVERIFY(lista->viewport()->height() >= 6 * lista->sizeHintForRow(0));
        }
        for (QLineEdit *caja :
             ventana.template findChildren<QLineEdit *>(QRegularExpression("^txt"))) {
            caja->setText(caja->objectName().contains(QRegularExpression(largas)) ? largo : "-10");
            // With the cursor at its end, the text still starts in view once painted.
            caja->repaint();
            QCOMPARE(caja->cursorPositionAt({0, caja->height() / 2}), 0);
        }
        const QRegularExpression conTexto("^(btn|cmd|lb|fram|Fra)");
        for (const QWidget *control : ventana.template findChildren<QWidget *>(conTexto)) {
            const QSize necesario = control->minimumSizeHint().expandedTo(control->sizeHint());
            QVERIFY2(control->size().expandedTo(necesario) == control->size(),
                     qPrintable(control->objectName()));
        }
    }
    QApplication::setFont(anterior);
}

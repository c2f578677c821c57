#pragma once

#include "support/EntornoPrueba.h"

#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTableView>
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

// A `Ventana` opened on the settings file at each desktop font size. Tab
// from the focused control stops at each name of `orden` in turn, back to the
// first, and Shift+Tab walks the same way back; names lose `quitar`. The keys
// go through the window, as typed keys do: a release reaches the control that
// has the focus by then.
// Then, after `teclas`, the window keeps one size that the user cannot change,
// and grows with the font. Each list shows six rows and every column its
// widest text, side by side with no horizontal scroll bar and filling the
// list's width, beside the vertical one (the file holds more than six bets).
// Every box shows its whole text, once given `largo` when its name matches
// `largas` and a signed value otherwise, and every button, label and frame
// gets the room its caption needs.
template<class Ventana>
void ComprobarVentana(const QString &orden, const QString &quitar, const QString &teclas,
                      const QString &largas, const QString &largo)
{
    const QFont anterior = QApplication::font();
    const auto restaurar = qScopeGuard([&] { QApplication::setFont(anterior); });
    QFont fuente = anterior;
    int ancho8 = 0;
    for (const int puntos : {8, 14, 24}) {
        fuente.setPointSize(puntos);
        QApplication::setFont(fuente);
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
        Teclear(teclas);
        QCOMPARE(ventana.minimumSize(), ventana.maximumSize());
        ancho8 = ancho8 ? ancho8 : ventana.width();
        QVERIFY(ventana.width() * 8 * 4 >= ancho8 * puntos * 3);
        for (const QTableView *tabla : ventana.template findChildren<QTableView *>()) {
            const QAbstractItemView *lista = tabla;
            const QHeaderView *cabecera = tabla->horizontalHeader();
            QVERIFY(!lista->horizontalScrollBar()->isVisible()
                    && lista->verticalScrollBar()->isVisible());
            QCOMPARE(cabecera->length(), lista->viewport()->width());
            for (int columna = 0; columna < cabecera->count(); ++columna)
                QVERIFY(cabecera->sectionSize(columna) >= std::max(
                            lista->sizeHintForColumn(columna), cabecera->sectionSizeHint(columna)));
            QVERIFY(lista->viewport()->height() >= 6 * lista->sizeHintForRow(0));
        }
        for (QLineEdit *caja : ventana.template findChildren<QLineEdit *>()) {
            caja->setText(caja->objectName().contains(QRegularExpression(largas)) ? largo : "-10");
            // Started at the left edge, the text ends before the right one.
            caja->setAlignment(Qt::AlignLeft);
            caja->setCursorPosition(0);
            caja->repaint();
            QCOMPARE(caja->cursorPositionAt({caja->width() - 1, caja->height() / 2}),
                     caja->text().size());
        }
        for (const QWidget *control : ventana.template findChildren<QWidget *>()) {
            const QSize necesario = control->minimumSizeHint().expandedTo(control->sizeHint());
            if (qobject_cast<const QAbstractButton *>(control)
                || qobject_cast<const QLabel *>(control)
                || qobject_cast<const QGroupBox *>(control))
                QVERIFY2(control->width() >= necesario.width()
                             && control->height() >= necesario.height(),
                         qPrintable(control->objectName()));
        }
    }
}

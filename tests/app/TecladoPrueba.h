#pragma once

#include <QApplication>
#include <QTest>
#include <QWidget>

// Sends each character of `teclas` as one key press to whichever widget has
// the focus at that moment, as a user typing a run of keys does. Four
// characters stand for keys: "\t" Tab, "\b" Backspace, "\r" Enter, "»" End.
inline void Teclear(const QString &teclas)
{
    for (const QChar c : teclas) {
        QWidget *foco = QApplication::focusWidget();
        QVERIFY2(foco, "no widget has the focus");
        switch (c.unicode()) {
        case u'\t':
            QTest::keyClick(foco, Qt::Key_Tab);
            break;
        case u'\b':
            QTest::keyClick(foco, Qt::Key_Backspace);
            break;
        case u'\r':
            QTest::keyClick(foco, Qt::Key_Return);
            break;
        case u'»':
            QTest::keyClick(foco, Qt::Key_End);
            break;
        default:
            QTest::keyClick(foco, c.toLatin1());
        }
    }
}

// The name of the widget with the focus, for readable failures.
inline QString NombreDelFoco()
{
    const QWidget *foco = QApplication::focusWidget();
    return foco ? foco->objectName() : QStringLiteral("(ninguno)");
}

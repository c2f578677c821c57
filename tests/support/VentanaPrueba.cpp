#include "support/VentanaPrueba.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHash>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <algorithm>

QString NombreCaja(int i, const QString &prefijo)
{
    return i <= 5 ? prefijo + QStringLiteral("Numero(%1)").arg(i)
                  : prefijo + QStringLiteral("Estrella(%1)").arg(i - 5);
}

QLineEdit *Caja(const QWidget &ventana, int i)
{
    return ventana.findChild<QLineEdit *>(i == 8 ? QStringLiteral("txtFecha") : NombreCaja(i));
}

QString TextosCajas(const QWidget &ventana)
{
    QStringList textos;
    for (int i = 1; i <= 8; ++i)
        textos << Caja(ventana, i)->text();
    return textos.join(' ');
}

void EscribirCajas(const QWidget &ventana, const QStringList &textos)
{
    for (int i = 1; i <= textos.size(); ++i)
        Caja(ventana, i)->setText(textos[i - 1]);
}

ModeloResultado &Modelo(const FormMain &ventana)
{
    const auto *lista = ventana.findChild<QAbstractItemView *>(QStringLiteral("lstResultado"));
    return *qobject_cast<ModeloResultado *>(lista->model());
}

bool Activar(QWidget &ventana)
{
    ventana.show();
    QApplication::setActiveWindow(&ventana);
    return QTest::qWaitForWindowActive(&ventana);
}

void Teclear(const QString &teclas)
{
    static const QHash<QChar, Qt::Key> Especiales {{u'\t', Qt::Key_Tab},
                                                   {u'\b', Qt::Key_Backspace},
                                                   {u'\r', Qt::Key_Return},
                                                   {u'»', Qt::Key_End}};
    for (const QChar c : teclas) {
        QWidget *foco = QApplication::focusWidget();
        QVERIFY2(foco, "no widget has the focus");
        if (Especiales.contains(c)) {
            QTest::keyClick(foco, Especiales[c]);
        } else if (!c.isUpper()) {
            QTest::keyClick(foco, c.toLatin1());
        } else {
            const QPointer<QWidget> ventana = foco->window();
            QTest::keyClick(foco, c.toLower().toLatin1(), Qt::AltModifier);
            QTRY_VERIFY(!ventana
                        || std::ranges::none_of(ventana->findChildren<QPushButton *>(),
                                                &QPushButton::isDown));
        }
    }
}

QString NombreDelFoco()
{
    const QWidget *foco = QApplication::focusWidget();
    return foco ? foco->objectName() : QStringLiteral("(ninguno)");
}

ProgramaPrueba::ProgramaPrueba(const QByteArray &ini)
    // The file must be there before the window reads it.
    : escrito(!ini.isNull() && (entorno.EscribirIni(ini), true))
{}

#include "feed/CargadorXml.h"
#include "support/VentanaPrueba.h"

#include <QDialog>
#include <QPushButton>
#include <QTcpServer>
#include <QTest>
#include <QTimer>

using namespace std::chrono_literals;

// What the user's keys do while a download waits on a server that never
// answers: nothing in the window that started it, but a modal window opened
// meanwhile must stay usable, or the wait could never end.
class TstEsperaDescarga : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void teclaDeAccesoNoDispara();
    void ventanaModalSigueUsable();

private:
    QString direccion;
    QTcpServer mudo;
};

void TstEsperaDescarga::initTestCase()
{
    QCoreApplication::addLibraryPath(QStringLiteral(TREBOLERO_CARPETA_MODULO));
    // Listening but never accepting: the connection opens and no answer comes.
    QVERIFY(mudo.listen(QHostAddress::LocalHost));
    direccion = QStringLiteral("http://127.0.0.1:%1/sorteos.rdf").arg(mudo.serverPort());
    CargadorXml::FijarTiempoMaximo(1s);
}

void TstEsperaDescarga::teclaDeAccesoNoDispara()
{
    QWidget ventana;
    auto *boton = new QPushButton(QStringLiteral("&web"), &ventana);
    int pulsaciones = 0;
    connect(boton, &QPushButton::clicked, this, [&] { ++pulsaciones; });
    QVERIFY(Activar(ventana));

    // A fired access key would click within the wait (after 100 ms).
    QTimer::singleShot(0, &ventana, [&] { QTest::keyClick(&ventana, Qt::Key_W, Qt::AltModifier); });
    QVERIFY(!CargadorXml().Cargar(direccion));
    QCOMPARE(pulsaciones, 0);

    QTest::keyClick(&ventana, Qt::Key_W, Qt::AltModifier);
    QTRY_COMPARE(pulsaciones, 1);
}

void TstEsperaDescarga::ventanaModalSigueUsable()
{
    QWidget ventana;
    ventana.show();
    QDialog dialogo(&ventana);
    bool cerradoConEscape = false;
    QTimer::singleShot(0, &ventana, [&] {
        QTimer::singleShot(0, &dialogo, [&] {
            QTest::keyClick(&dialogo, Qt::Key_Escape);
            cerradoConEscape = !dialogo.isVisible();
        });
        // Bounds the test when the key does not get through.
        QTimer::singleShot(5000, &dialogo, &QDialog::reject);
        dialogo.exec();
    });
    QVERIFY(!CargadorXml().Cargar(direccion));
    QVERIFY(cerradoConEscape);
}

QTEST_MAIN(TstEsperaDescarga)
#include "tst_esperadescarga.moc"

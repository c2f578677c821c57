#include "editor/FormConfiguracion.h"

#include "desktop/CajaTexto.h"
#include "desktop/Controles.h"
#include "desktop/Escritorio.h"
#include "model/Apuestas.h"
#include "model/modTypeEuromillon.h"
#include "settings/modINIer.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

namespace {

// The widest total or index the locked boxes show.
const QString MuestraContador = QString::number(ApuestasMaximas);

void Avisar(QWidget *propietario, const QString &texto)
{
    Escritorio::Actual().MostrarMensaje(propietario, texto);
}

} // namespace

FormConfiguracion::FormConfiguracion(QWidget *propietario)
    : QDialog(propietario)
{
    setObjectName(QStringLiteral("FormConfiguracion"));
    setWindowTitle(QStringLiteral("Configuración"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setModal(true);

    auto *disposicion = new QVBoxLayout(this);
    // One size, taken from the contents at the desktop's font and scale.
    disposicion->setSizeConstraint(QLayout::SetFixedSize);
    disposicion->addWidget(ConstruirCombinaciones());
    disposicion->addWidget(ConstruirModificar());
    FijarOrdenTabulacion();
    cmdSiguiente->setFocus();

    Form_Load();
}

QGroupBox *FormConfiguracion::ConstruirCombinaciones()
{
    auto *FraCombinaciones = new QGroupBox(QStringLiteral("Combinaciones"), this);
    FraCombinaciones->setObjectName(QStringLiteral("FraCombinaciones"));

    txtCombinaciones
        = CrearCaja(FraCombinaciones, QStringLiteral("txtCombinaciones"), MuestraContador);
    txtCombinaciones->setReadOnly(true);
    txtCombinaciones->setAccessibleName(QStringLiteral("Combinaciones guardadas"));

    cmdInsertar = CrearBoton(FraCombinaciones, "cmdInsertar", QStringLiteral("&Insertar Al Final"));
    cmdEliminar = CrearBoton(FraCombinaciones, "cmdEliminar", QStringLiteral("&Eliminar Última"));
    connect(cmdInsertar, &QPushButton::clicked, this, &FormConfiguracion::cmdInsertar_Click);
    connect(cmdEliminar, &QPushButton::clicked, this, &FormConfiguracion::cmdEliminar_Click);

    FraCombinaciones->setLayout(CrearFila({txtCombinaciones, cmdInsertar, cmdEliminar}));
    return FraCombinaciones;
}

QGroupBox *FormConfiguracion::ConstruirModificar()
{
    auto *FraModificar = new QGroupBox(QStringLiteral("Modificar"), this);
    FraModificar->setObjectName(QStringLiteral("FraModificar"));

    txtConfigActual = CrearCaja(FraModificar, QStringLiteral("txtConfigActual"), MuestraContador);
    txtConfigActual->setReadOnly(true);
    txtConfigActual->setAccessibleName(QStringLiteral("Combinación mostrada"));

    cmdAnterior = CrearBoton(FraModificar, "cmdAnterior", QStringLiteral("&Anterior"));
    cmdSiguiente = CrearBoton(FraModificar, "cmdSiguiente", QStringLiteral("&Siguiente"));
    connect(cmdAnterior, &QPushButton::clicked, this, &FormConfiguracion::cmdAnterior_Click);
    connect(cmdSiguiente, &QPushButton::clicked, this, &FormConfiguracion::cmdSiguiente_Click);

    // The row of five number boxes and, on the right, two star boxes. Stars
    // take two characters, as today's stars run from 1 to 12.
    auto *combinacion = new QHBoxLayout;
    for (int i = 1; i <= 7; ++i) {
        const bool numero = i <= 5;
        const int indice = numero ? i : i - 5;
        const QString clase = numero ? QStringLiteral("Numero") : QStringLiteral("Estrella");
        CajaTexto *caja = CrearCaja(
            FraModificar, QStringLiteral("txtEuromillonConfig%1(%2)").arg(clase).arg(indice),
            MuestraValor);
        if (i == 6)
            combinacion->addStretch();
        combinacion->addWidget(caja);
        (numero ? txtEuromillonConfigNumero(indice) : txtEuromillonConfigEstrella(indice)) = caja;
        caja->setToolTip(
            (numero ? QStringLiteral("Número %1") : QStringLiteral("Estrella %1")).arg(indice));
        caja->setAccessibleName(caja->toolTip());
        caja->setMaxLength(2);
        const auto alEnfocar = numero ? &FormConfiguracion::txtEuromillonConfigNumero_GotFocus
                                      : &FormConfiguracion::txtEuromillonConfigEstrella_GotFocus;
        const auto alSoltar = numero ? &FormConfiguracion::txtEuromillonConfigNumero_KeyUp
                                     : &FormConfiguracion::txtEuromillonConfigEstrella_KeyUp;
        connect(caja, &CajaTexto::FocoRecibido, this, [=, this] { (this->*alEnfocar)(indice); });
        connect(caja, &CajaTexto::TeclaSoltada, this, [=, this] { (this->*alSoltar)(indice); });
    }

    cmdGuardar = CrearBoton(FraModificar, "cmdGuardar", QStringLiteral("&Guardar"));
    connect(cmdGuardar, &QPushButton::clicked, this, &FormConfiguracion::cmdGuardar_Click);

    auto *disposicion = new QVBoxLayout(FraModificar);
    disposicion->addLayout(CrearFila({txtConfigActual, cmdAnterior, cmdSiguiente}));
    disposicion->addLayout(combinacion);
    disposicion->addWidget(cmdGuardar, 0, Qt::AlignHCenter);
    return FraModificar;
}

void FormConfiguracion::FijarOrdenTabulacion()
{
    QList<QWidget *> orden {txtCombinaciones, cmdInsertar, cmdEliminar, cmdAnterior, cmdSiguiente};
    for (int i = 1; i <= 7; ++i)
        orden << CajaCombinacion(i);
    orden << cmdGuardar << txtConfigActual;
    for (qsizetype i = 1; i < orden.size(); ++i)
        setTabOrder(orden[i - 1], orden[i]);
}

void FormConfiguracion::keyPressEvent(QKeyEvent *event)
{
    // A focused button takes Enter itself; anywhere else Enter presses no
    // button, so nothing is stored that the user did not choose to store.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void FormConfiguracion::Form_Load()
{
    const DocumentoIni ini = LeerDocumentoINI();
    MostrarTotal(ini);
    // Opens over the main window, on its left and top edges.
    if (const QWidget *principal = parentWidget())
        move(principal->pos());
    IrA(1, ini);
}

void FormConfiguracion::MostrarCombinacion(int n, const DocumentoIni &ini)
{
    const Euromillon combinacion = LeerApuesta(ini, n);
    for (int i = 1; i <= 7; ++i)
        CajaCombinacion(i)->setText(QString::number(combinacion.Campo(i)));
}

void FormConfiguracion::IrA(int n, const DocumentoIni &ini)
{
    txtConfigActual->setText(QString::number(n));
    MostrarCombinacion(n, ini);
}

void FormConfiguracion::MostrarTotal(const DocumentoIni &ini)
{
    const auto total = LeerTotal(ini);
    txtCombinaciones->setText(total ? QString::number(*total)
                                    : ini.Leer(SeccionApuestas, ClaveTotal));
}

std::optional<int> FormConfiguracion::ContarApuestas(const DocumentoIni &ini)
{
    const auto total = LeerTotal(ini);
    if (!total)
        Avisar(this,
               QStringLiteral("El número de combinaciones guardado no es válido. Corrige el "
                              "fichero de configuración."));
    return total;
}

int FormConfiguracion::IndiceActual() const
{
    // The box is locked and only ever holds what the commands wrote.
    return ConvertirEntero16(txtConfigActual->text()).value_or(0);
}

std::optional<Euromillon> FormConfiguracion::ApuestaEscrita() const
{
    Euromillon apuesta;
    for (int i = 1; i <= 7; ++i) {
        const auto valor = ConvertirEntero16(CajaCombinacion(i)->text());
        if (!valor)
            return std::nullopt;
        apuesta.Campo(i) = *valor;
    }
    return ApuestaValida(apuesta) ? std::optional(apuesta) : std::nullopt;
}

bool FormConfiguracion::Escribir(const QList<std::pair<QString, QString>> &valores)
{
    if (EscribirINI(SeccionApuestas, valores))
        return true;
    Avisar(this, QStringLiteral("No se ha podido guardar el fichero de configuración."));
    return false;
}

void FormConfiguracion::cmdInsertar_Click()
{
    // The file may have been edited by hand since the window opened.
    const DocumentoIni ini = LeerDocumentoINI();
    MostrarTotal(ini);
    const auto total = ContarApuestas(ini);
    if (!total)
        return;
    if (*total >= ApuestasMaximas) {
        Avisar(this, QStringLiteral("No caben más combinaciones."));
        return;
    }
    const QString nuevoTotal = QString::number(*total + 1);
    QList<std::pair<QString, QString>> valores {{ClaveTotal, nuevoTotal}};
    // A combination removed earlier comes back with its old text.
    const QString clave = ClaveApuesta(*total + 1);
    if (ini.Leer(SeccionApuestas, clave).isEmpty())
        valores.append({clave, ApuestaNueva});
    if (Escribir(valores))
        txtCombinaciones->setText(nuevoTotal);
}

void FormConfiguracion::cmdEliminar_Click()
{
    // The file may have been edited by hand since the window opened.
    const DocumentoIni ini = LeerDocumentoINI();
    MostrarTotal(ini);
    const auto total = ContarApuestas(ini);
    if (!total || *total == 0)
        return;
    // Only the total goes down: the removed combination keeps its key.
    const int nuevoTotal = *total - 1;
    if (!Escribir({{ClaveTotal, QString::number(nuevoTotal)}}))
        return;
    txtCombinaciones->setText(QString::number(nuevoTotal));
    if (IndiceActual() > nuevoTotal)
        IrA(nuevoTotal, ini);
}

void FormConfiguracion::cmdAnterior_Click()
{
    const int actual = IndiceActual();
    if (actual > 1)
        IrA(actual - 1, LeerDocumentoINI());
}

void FormConfiguracion::cmdSiguiente_Click()
{
    // The bound is the total in the file, which may have changed by hand; the
    // combination shown comes from that same reading.
    const DocumentoIni ini = LeerDocumentoINI();
    const auto total = ContarApuestas(ini);
    const int actual = IndiceActual();
    if (total && *total > actual)
        IrA(actual + 1, ini);
}

void FormConfiguracion::cmdGuardar_Click()
{
    const int indice = IndiceActual();
    const auto total = ContarApuestas(LeerDocumentoINI());
    if (!total)
        return;
    // Index 0 follows the removal of the only combination, and an index above
    // the total a file shortened by hand: no list shows either.
    if (indice < 1 || indice > *total) {
        Avisar(this,
               QStringLiteral("No hay ninguna combinación que guardar. Inserta una con "
                              "«Insertar Al Final»."));
        return;
    }
    const auto apuesta = ApuestaEscrita();
    if (!apuesta) {
        Avisar(this,
               QStringLiteral("Una apuesta tiene cinco números distintos del 1 al 50 y dos "
                              "estrellas distintas del 1 al 12."));
        return;
    }
    Escribir({{ClaveApuesta(indice), EuromillonACadena(*apuesta)}});
}

CajaTexto *FormConfiguracion::CajaCombinacion(int i) const
{
    return i <= 5 ? txtEuromillonConfigNumero(i) : txtEuromillonConfigEstrella(i - 5);
}

// A box that holds two characters passes the focus on, the last to "Guardar".
void FormConfiguracion::Avanzar(int i)
{
    if (CajaCombinacion(i)->text().size() != 2)
        return;
    if (i < 7)
        CajaCombinacion(i + 1)->setFocus();
    else
        cmdGuardar->setFocus();
}

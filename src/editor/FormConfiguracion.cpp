#include "editor/FormConfiguracion.h"

#include "desktop/Boton.h"
#include "desktop/CajaTexto.h"
#include "desktop/Escritorio.h"
#include "desktop/Twips.h"
#include "model/modTypeEuromillon.h"
#include "settings/modINIer.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QStringList>

#include <limits>

namespace {

const QString Combinaciones = QStringLiteral("Combinaciones");
const QString ClaveTotal = QStringLiteral("Total");

// The text stored for a combination added at the end.
const QString CombinacionNueva = QStringLiteral("00-00-00-00-00-E0-0");

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
    // Closing unloads the window, so every opening starts again at combination 1.
    setAttribute(Qt::WA_DeleteOnClose);
    // Takes the owner's font, as the controls are sized for it.
    setAttribute(Qt::WA_WindowPropagation);
    setModal(true);
    setFixedSize(Twips(4335), Twips(4065));

    ConstruirCombinaciones();
    ConstruirModificar();
    FijarOrdenTabulacion();
    cmdSiguiente->setFocus();

    Form_Load();
}

CajaTexto *FormConfiguracion::CrearCaja(const QString &nombre, const QRect &geometria)
{
    auto *caja = new CajaTexto(FraModificar);
    caja->setObjectName(nombre);
    caja->setGeometry(geometria);
    return caja;
}

void FormConfiguracion::ConstruirCombinaciones()
{
    FraCombinaciones = new QGroupBox(QStringLiteral("Combinaciones"), this);
    FraCombinaciones->setObjectName(QStringLiteral("FraCombinaciones"));
    FraCombinaciones->setGeometry(TwipsRect(120, 120, 4095, 735));

    txtCombinaciones = new CajaTexto(FraCombinaciones);
    txtCombinaciones->setObjectName(QStringLiteral("txtCombinaciones"));
    txtCombinaciones->setGeometry(TwipsRect(240, 240, 375, 375));
    txtCombinaciones->setReadOnly(true);
    txtCombinaciones->setAccessibleName(QStringLiteral("Combinaciones guardadas"));

    cmdInsertar = CrearBoton(FraCombinaciones, "cmdInsertar", QStringLiteral("&Insertar Al Final"),
                             TwipsRect(720, 240, 1335, 375));
    cmdEliminar = CrearBoton(FraCombinaciones, "cmdEliminar", QStringLiteral("&Eliminar Última"),
                             TwipsRect(2040, 240, 1335, 375));
    connect(cmdInsertar, &QPushButton::clicked, this, &FormConfiguracion::cmdInsertar_Click);
    connect(cmdEliminar, &QPushButton::clicked, this, &FormConfiguracion::cmdEliminar_Click);
}

void FormConfiguracion::ConstruirModificar()
{
    FraModificar = new QGroupBox(QStringLiteral("Modificar"), this);
    FraModificar->setObjectName(QStringLiteral("FraModificar"));
    FraModificar->setGeometry(TwipsRect(120, 960, 4095, 1815));

    txtConfigActual = CrearCaja(QStringLiteral("txtConfigActual"), TwipsRect(240, 240, 375, 375));
    txtConfigActual->setReadOnly(true);
    txtConfigActual->setAccessibleName(QStringLiteral("Combinación mostrada"));

    cmdAnterior = CrearBoton(FraModificar, "cmdAnterior", QStringLiteral("&Anterior"),
                             TwipsRect(720, 240, 1335, 375));
    cmdSiguiente = CrearBoton(FraModificar, "cmdSiguiente", QStringLiteral("&Siguiente"),
                              TwipsRect(2040, 240, 1335, 375));
    connect(cmdAnterior, &QPushButton::clicked, this, &FormConfiguracion::cmdAnterior_Click);
    connect(cmdSiguiente, &QPushButton::clicked, this, &FormConfiguracion::cmdSiguiente_Click);

    for (int i = 1; i <= 5; ++i) {
        CajaTexto *caja = txtEuromillonConfigNumero(i)
            = CrearCaja(QStringLiteral("txtEuromillonConfigNumero(%1)").arg(i),
                        TwipsRect(240 + 480 * (i - 1), 840, 495, 375));
        caja->setToolTip(QStringLiteral("Número %1").arg(i));
        connect(caja, &CajaTexto::FocoRecibido, this,
                [this, i] { txtEuromillonConfigNumero_GotFocus(i); });
        connect(caja, &CajaTexto::TeclaSoltada, this,
                [this, i] { txtEuromillonConfigNumero_KeyUp(i); });
    }
    for (int i = 1; i <= 2; ++i) {
        CajaTexto *caja = txtEuromillonConfigEstrella(i)
            = CrearCaja(QStringLiteral("txtEuromillonConfigEstrella(%1)").arg(i),
                        TwipsRect(2880 + 480 * (i - 1), 840, 495, 375));
        caja->setToolTip(QStringLiteral("Estrella %1").arg(i));
        connect(caja, &CajaTexto::FocoRecibido, this,
                [this, i] { txtEuromillonConfigEstrella_GotFocus(i); });
        connect(caja, &CajaTexto::TeclaSoltada, this,
                [this, i] { txtEuromillonConfigEstrella_KeyUp(i); });
    }
    // Stars take two characters, as today's stars run from 1 to 12.
    for (int i = 1; i <= 7; ++i) {
        CajaTexto *caja
            = i <= 5 ? txtEuromillonConfigNumero(i) : txtEuromillonConfigEstrella(i - 5);
        caja->setMaxLength(2);
        caja->setAccessibleName(caja->toolTip());
    }

    cmdGuardar = CrearBoton(FraModificar, "cmdGuardar", QStringLiteral("&Guardar"),
                            TwipsRect(1320, 1320, 1335, 375));
    connect(cmdGuardar, &QPushButton::clicked, this, &FormConfiguracion::cmdGuardar_Click);
}

void FormConfiguracion::FijarOrdenTabulacion()
{
    const QList<QWidget *> orden = {
        txtCombinaciones,
        cmdInsertar,
        cmdEliminar,
        cmdAnterior,
        cmdSiguiente,
        txtEuromillonConfigNumero(1),
        txtEuromillonConfigNumero(2),
        txtEuromillonConfigNumero(3),
        txtEuromillonConfigNumero(4),
        txtEuromillonConfigNumero(5),
        txtEuromillonConfigEstrella(1),
        txtEuromillonConfigEstrella(2),
        cmdGuardar,
        txtConfigActual,
    };
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
    txtCombinaciones->setText(LeerINI(Combinaciones, ClaveTotal));
    // Opens over the main window, on its left and top edges.
    if (const QWidget *principal = parentWidget())
        move(principal->pos());
    IrA(1);
}

void FormConfiguracion::MostrarCombinacion(std::int16_t n)
{
    Euromillon combinacion;
    CadenaAEuromillon(LeerINI(Combinaciones, ClaveCombinacion(n)), combinacion);
    for (int i = 1; i <= 5; ++i)
        txtEuromillonConfigNumero(i)->setText(TextoNumero(combinacion.Campo(i)));
    for (int i = 1; i <= 2; ++i)
        txtEuromillonConfigEstrella(i)->setText(TextoNumero(combinacion.Campo(5 + i)));
}

void FormConfiguracion::IrA(std::int16_t n)
{
    txtConfigActual->setText(TextoNumero(n));
    MostrarCombinacion(n);
}

std::optional<std::int16_t> FormConfiguracion::Total(const QString &texto)
{
    if (texto.trimmed().isEmpty())
        return 0;
    const auto total = ConvertirEntero16(texto);
    if (!total || *total < 0) {
        Avisar(this,
               QStringLiteral("El número de combinaciones guardado no es válido. Corrige el "
                              "fichero de configuración."));
        return std::nullopt;
    }
    return total;
}

std::int16_t FormConfiguracion::IndiceActual() const
{
    // The box is locked and only ever holds what the commands wrote.
    return ConvertirEntero16(txtConfigActual->text()).value_or(0);
}

bool FormConfiguracion::Escribir(const QString &clave, const QString &valor)
{
    if (EscribirINI(Combinaciones, clave, valor))
        return true;
    Avisar(this, QStringLiteral("No se ha podido guardar el fichero de configuración."));
    return false;
}

void FormConfiguracion::cmdInsertar_Click()
{
    const auto total = Total(txtCombinaciones->text());
    if (!total)
        return;
    if (*total == std::numeric_limits<std::int16_t>::max()) {
        Avisar(this, QStringLiteral("No caben más combinaciones."));
        return;
    }
    const int nuevoTotal = *total + 1;
    if (!Escribir(ClaveTotal, QString::number(nuevoTotal)))
        return;
    txtCombinaciones->setText(QString::number(nuevoTotal));
    // A combination removed earlier comes back with its old text.
    const QString clave = ClaveCombinacion(nuevoTotal).Texto();
    if (LeerINI(Combinaciones, clave).isEmpty())
        Escribir(clave, CombinacionNueva);
}

void FormConfiguracion::cmdEliminar_Click()
{
    const auto total = Total(txtCombinaciones->text());
    if (!total || *total == 0)
        return;
    // Only the total goes down: the removed combination keeps its key.
    const auto nuevoTotal = static_cast<std::int16_t>(*total - 1);
    if (!Escribir(ClaveTotal, QString::number(nuevoTotal)))
        return;
    txtCombinaciones->setText(QString::number(nuevoTotal));
    if (IndiceActual() > nuevoTotal)
        IrA(nuevoTotal);
}

void FormConfiguracion::cmdAnterior_Click()
{
    const std::int16_t actual = IndiceActual();
    if (actual <= 1)
        return;
    IrA(actual - 1);
}

void FormConfiguracion::cmdSiguiente_Click()
{
    // The bound and the combination shown come from one state of the file.
    // The bound is the total in the file, which may have changed by hand.
    const auto total = Total(LeerINI(Combinaciones, ClaveTotal));
    const std::int16_t actual = IndiceActual();
    if (!total || *total <= actual)
        return;
    IrA(actual + 1);
}

void FormConfiguracion::cmdGuardar_Click()
{
    const std::int16_t indice = IndiceActual();
    // Index 0 follows the removal of the only combination: no list shows it.
    if (indice < 1) {
        Avisar(this,
               QStringLiteral("No hay ninguna combinación que guardar. Inserta una con "
                              "«Insertar Al Final»."));
        return;
    }
    QStringList numeros;
    for (int i = 1; i <= 5; ++i)
        numeros << DosDigitos(txtEuromillonConfigNumero(i)->text());
    const QString texto = numeros.join(QLatin1Char('-')) + QStringLiteral("-E")
        + txtEuromillonConfigEstrella(1)->text() + QLatin1Char('-')
        + txtEuromillonConfigEstrella(2)->text();
    Escribir(ClaveCombinacion(indice).Texto(), texto);
}

void FormConfiguracion::txtEuromillonConfigNumero_GotFocus(int indice)
{
    txtEuromillonConfigNumero(indice)->SeleccionarTodo();
}

void FormConfiguracion::txtEuromillonConfigEstrella_GotFocus(int indice)
{
    txtEuromillonConfigEstrella(indice)->SeleccionarTodo();
}

void FormConfiguracion::txtEuromillonConfigNumero_KeyUp(int indice)
{
    if (txtEuromillonConfigNumero(indice)->text().size() != 2)
        return;
    if (indice == 5)
        txtEuromillonConfigEstrella(1)->setFocus();
    else
        txtEuromillonConfigNumero(indice + 1)->setFocus();
}

void FormConfiguracion::txtEuromillonConfigEstrella_KeyUp(int indice)
{
    if (txtEuromillonConfigEstrella(indice)->text().size() != 2)
        return;
    if (indice == 1)
        txtEuromillonConfigEstrella(2)->setFocus();
    else
        cmdGuardar->setFocus();
}

#include "app/FormMain.h"

#include "app/ModeloResultado.h"
#include "app/Version.h"
#include "desktop/CajaTexto.h"
#include "desktop/Controles.h"
#include "desktop/Escritorio.h"
#include "desktop/EsperaSinEntrada.h"
#include "desktop/EtiquetaPulsable.h"
#include "editor/FormConfiguracion.h"
#include "feed/CargadorXml.h"
#include "feed/LecturaFeed.h"
#include "mail/ComponerMail.h"
#include "model/Apuestas.h"
#include "settings/modINIer.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace {

// The author's mail address, shown under the list and used for mail to him.
const QString CorreoAutor = QStringLiteral("orbelan@example.com");

// The rows the list shows without scrolling.
constexpr int FilasVisibles = 6;

// The width of every column of `lista`: its widest header, or a hit text such
// as "5+2" in bold, as a winning row shows it, whichever is wider.
int AnchoColumna(const QTableView *lista)
{
    QStyleOptionViewItem celda;
    celda.initFrom(lista);
    celda.features = QStyleOptionViewItem::HasDisplay;
    celda.text = QStringLiteral("5+2");
    celda.font = lista->font();
    celda.font.setBold(true);
    celda.fontMetrics = QFontMetrics(celda.font);
    int ancho
        = lista->style()->sizeFromContents(QStyle::CT_ItemViewItem, &celda, {}, lista).width();
    const QHeaderView *cabecera = lista->horizontalHeader();
    for (int columna = 0; columna < cabecera->count(); ++columna)
        ancho = std::max(ancho, cabecera->sectionSizeHint(columna));
    return ancho;
}

} // namespace

FormMain::FormMain(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("FormMain"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    ConstruirResultado();
    ConstruirBotones();
    ConstruirLista();
    ConstruirEtiqueta();

    auto *disposicion = new QVBoxLayout(this);
    // One size, taken from the contents at the desktop's font and scale.
    disposicion->setSizeConstraint(QLayout::SetFixedSize);
    disposicion->addWidget(framResultado);
    disposicion->addLayout(CrearFila({btnDescargar, cmdComprobar, cmdViaMail}));
    disposicion->addWidget(lstResultado);
    disposicion->addLayout(CrearFila({cmdConfigurar, cmdWeb, btnAbout}));
    disposicion->addWidget(lbEmail, 0, Qt::AlignHCenter);
    FijarOrdenTabulacion();

    adjustSize();
    if (const QScreen *pantalla = screen()) {
        QRect marco = frameGeometry();
        marco.moveCenter(pantalla->availableGeometry().center());
        move(marco.topLeft());
    }
    btnDescargar->setFocus();

    Form_Load();
}

FormMain::~FormMain() = default;

void FormMain::ConstruirResultado()
{
    framResultado = new QGroupBox(QStringLiteral("Resultado"), this);
    framResultado->setObjectName(QStringLiteral("framResultado"));

    // Wide enough for a downloaded date with its time and time zone.
    txtFecha = CrearCaja(framResultado, QStringLiteral("txtFecha"),
                         QStringLiteral("2026-12-04T21:00:00+01:00"));
    txtFecha->setToolTip(QStringLiteral("Fecha en la que se realizó el sorteo"));
    txtFecha->setMaxLength(std::numeric_limits<int>::max());

    const auto prepararCaja = [this](const QString &nombre, const QString &pista) {
        CajaTexto *caja = CrearCaja(framResultado, nombre, MuestraValor);
        caja->setMaxLength(2);
        caja->setToolTip(pista);
        return caja;
    };
    // The numbers from the left, the stars on the right.
    auto *sorteo = new QHBoxLayout;
    for (int i = 1; i <= 5; ++i) {
        CajaTexto *caja = txtEuromillonNumero(i) = prepararCaja(
            QStringLiteral("txtEuromillonNumero(%1)").arg(i), QStringLiteral("Número %1").arg(i));
        connect(caja, &QLineEdit::textChanged, this, [this, i] { txtEuromillonNumero_Change(i); });
        connect(caja, &CajaTexto::FocoRecibido, this,
                [this, i] { txtEuromillonNumero_GotFocus(i); });
        sorteo->addWidget(caja);
    }
    sorteo->addStretch();
    for (int i = 1; i <= 2; ++i) {
        CajaTexto *caja = txtEuromillonEstrella(i)
            = prepararCaja(QStringLiteral("txtEuromillonEstrella(%1)").arg(i),
                           QStringLiteral("Estrella %1").arg(i));
        connect(caja, &QLineEdit::textChanged, this,
                [this, i] { txtEuromillonEstrella_Change(i); });
        connect(caja, &CajaTexto::FocoRecibido, this,
                [this, i] { txtEuromillonEstrella_GotFocus(i); });
        sorteo->addWidget(caja);
    }
    auto *disposicion = new QVBoxLayout(framResultado);
    disposicion->addWidget(txtFecha, 0, Qt::AlignHCenter);
    disposicion->addLayout(sorteo);

    for (QLineEdit *caja : framResultado->findChildren<QLineEdit *>())
        caja->setAccessibleName(caja->toolTip());
}

void FormMain::ConstruirBotones()
{
    btnDescargar = CrearBoton(this, "btnDescargar", QStringLiteral("&Descargar"));
    btnDescargar->setToolTip(QStringLiteral("Pulsa aquí para comenzar la consulta Online"));
    cmdComprobar = CrearBoton(this, "cmdComprobar", QStringLiteral("&Comprobar"));
    cmdComprobar->setToolTip(
        QStringLiteral("Pulsa aquí para comprobar los resultados de sus apuestas"));
    cmdViaMail = CrearBoton(this, "cmdViaMail", QStringLiteral("Vía &Mail"));
    cmdViaMail->setToolTip(QStringLiteral("Pulsa aquí para enviar los resultados por email a "
                                          "través de su programa de correo predeterminado"));
    cmdConfigurar = CrearBoton(this, "cmdConfigurar", QStringLiteral("Con&figurar"));
    cmdWeb = CrearBoton(this, "cmdWeb", QStringLiteral("&web"));
    btnAbout = CrearBoton(this, "btnAbout", QStringLiteral("?"));
    btnAbout->setAccessibleDescription(QStringLiteral("Acerca de Trebolero"));

    connect(btnDescargar, &QPushButton::clicked, this, &FormMain::btnDescargar_Click);
    connect(cmdComprobar, &QPushButton::clicked, this, &FormMain::cmdComprobar_Click);
    connect(cmdViaMail, &QPushButton::clicked, this, &FormMain::cmdViaMail_Click);
    connect(cmdConfigurar, &QPushButton::clicked, this, &FormMain::cmdConfigurar_Click);
    connect(cmdWeb, &QPushButton::clicked, this, &FormMain::cmdWeb_Click);
    connect(btnAbout, &QPushButton::clicked, this, &FormMain::btnAbout_Click);
}

void FormMain::ConstruirLista()
{
    modeloResultado = new ModeloResultado(this);
    // A table view dressed as a list: no grid, no row numbers at the side,
    // whole rows selected, one Tab stop (the arrows move inside it).
    lstResultado = new QTableView(this);
    lstResultado->setObjectName(QStringLiteral("lstResultado"));
    lstResultado->setToolTip(QStringLiteral(
        "Apuestas memorizadas y sus resultados. Para modificarlo edite Trebolero.ini"));
    lstResultado->setAccessibleName(QStringLiteral("Apuestas"));
    lstResultado->setAccessibleDescription(
        QStringLiteral("Una fila por apuesta guardada: cinco números, dos estrellas y, tras "
                       "comprobar, sus aciertos"));
    lstResultado->setShowGrid(false);
    lstResultado->setWordWrap(false);
    lstResultado->setCornerButtonEnabled(false);
    lstResultado->setSelectionBehavior(QAbstractItemView::SelectRows);
    lstResultado->setSelectionMode(QAbstractItemView::SingleSelection);
    lstResultado->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstResultado->setTabKeyNavigation(false);
    QHeaderView *filas = lstResultado->verticalHeader();
    filas->hide();
    filas->setSectionResizeMode(QHeaderView::Fixed);
    filas->setDefaultSectionSize(lstResultado->fontMetrics().height() + 4);
    lstResultado->setModel(modeloResultado);
    QHeaderView *cabecera = lstResultado->horizontalHeader();
    cabecera->setHighlightSections(false);
    cabecera->setSectionsMovable(false);
    cabecera->setDefaultAlignment(Qt::AlignCenter);
    // The columns share the list's width, each at least as wide as the widest
    // text, even beside a vertical scroll bar; six rows show under the header.
    const int columna = AnchoColumna(lstResultado);
    cabecera->setMinimumSectionSize(columna);
    cabecera->setSectionResizeMode(QHeaderView::Stretch);
    const int marco = 2 * lstResultado->frameWidth();
    lstResultado->setMinimumWidth(cabecera->count() * columna + marco
                                  + lstResultado->verticalScrollBar()->sizeHint().width());
    lstResultado->setFixedHeight(cabecera->sizeHint().height()
                                 + FilasVisibles * filas->defaultSectionSize() + marco);
}

void FormMain::ConstruirEtiqueta()
{
    lbEmail = new EtiquetaPulsable(this);
    lbEmail->setObjectName(QStringLiteral("lbEmail"));
    lbEmail->setText(CorreoAutor);
    lbEmail->setToolTip(QStringLiteral("Email del autor"));
    lbEmail->setAlignment(Qt::AlignCenter);
    QFont negrita = lbEmail->font();
    negrita.setBold(true);
    lbEmail->setFont(negrita);
    connect(lbEmail, &EtiquetaPulsable::Pulsada, this, &FormMain::lbEmail_Click);
}

void FormMain::FijarOrdenTabulacion()
{
    const QList<QWidget *> orden = {
        btnDescargar,
        cmdComprobar,
        cmdViaMail,
        cmdConfigurar,
        cmdWeb,
        btnAbout,
        txtFecha,
        txtEuromillonNumero(1),
        txtEuromillonNumero(2),
        txtEuromillonNumero(3),
        txtEuromillonNumero(4),
        txtEuromillonNumero(5),
        txtEuromillonEstrella(1),
        txtEuromillonEstrella(2),
        lstResultado,
        lbEmail,
    };
    for (qsizetype i = 1; i < orden.size(); ++i)
        setTabOrder(orden[i - 1], orden[i]);
}

void FormMain::Form_Load()
{
    // The start reads the file once. The authorship keys are written in one
    // go when the file does not hold them yet, which changes no bet; a
    // read-only folder is normal and loses nothing of the user's, so a failure
    // is not reported.
    const DocumentoIni ini = LeerDocumentoINI();
    // A file that cannot be used shows no bets, which would look like an
    // empty list.
    if (ini.Estado() == EstadoINI::Ilegible)
        Escritorio::Actual().MostrarMensaje(
            this, QStringLiteral("No se ha podido leer el fichero de configuración."));
    else if (ini.Estado() == EstadoINI::DemasiadoGrande)
        Escritorio::Actual().MostrarMensaje(
            this, QStringLiteral("El fichero de configuración es demasiado grande."));
    const QString copyright = QStringLiteral("Copyright");
    const QList<std::pair<QString, QString>> autoria
        = {{QStringLiteral("Autor"), QStringLiteral("Orbelan")},
           {QStringLiteral("Date"), QStringLiteral("2005/12")}};
    const bool falta = std::ranges::any_of(autoria, [&](const auto &clave) {
        return ini.Leer(copyright, clave.first) != clave.second;
    });
    if (falta)
        static_cast<void>(EscribirINI(copyright, autoria));
    setWindowTitle(
        QStringLiteral("Trebolero %1 - bY Orbelan").arg(QLatin1String(VersionTrebolero)));
    CargarApuestas(ini);
}

void FormMain::CargarApuestas(const DocumentoIni &ini)
{
    modeloResultado->FijarApuestas(LeerApuestas(ini));
}

void FormMain::ComprobarApuestas(const Euromillon &sorteo)
{
    std::vector<Aciertos> aciertos;
    for (int fila = 1; fila <= modeloResultado->rowCount(); ++fila)
        aciertos.push_back(ContarAciertos(sorteo, modeloResultado->Apuesta(fila)));
    modeloResultado->FijarAciertos(std::move(aciertos));
}

Euromillon FormMain::SorteoEnPantalla() const
{
    Euromillon sorteo;
    for (int i = 1; i <= 7; ++i) {
        const CajaTexto *caja = i <= 5 ? txtEuromillonNumero(i) : txtEuromillonEstrella(i - 5);
        sorteo.Campo(i) = ConvertirEntero16(caja->text()).value_or(0);
    }
    return sorteo;
}

void FormMain::MostrarSorteo(const Euromillon &sorteo)
{
    for (int i = 1; i <= 5; ++i)
        txtEuromillonNumero(i)->setText(QString::number(sorteo.Campo(i)));
    for (int i = 1; i <= 2; ++i)
        txtEuromillonEstrella(i)->setText(QString::number(sorteo.Campo(5 + i)));
    cmdComprobar->setFocus();
}

void FormMain::DescargarSorteo(const QString &url)
{
    CargadorXml cargador;
    bool cargado = false;
    {
        const EsperaSinEntrada espera;
        cargado = cargador.Cargar(url, QFileInfo(RutaINI()).absolutePath());
    }
    if (!cargado)
        return;
    // The last matching item wins, each read over the draw on screen. The
    // boxes are rewritten only when the feed gave a draw, so a draw typed by
    // the user is never replaced by a stale one.
    const SorteoDelFeed leido = LeerSorteoDelFeed(cargador.ElementoDocumento());
    Euromillon sorteo = SorteoEnPantalla();
    for (const QString &combinacion : leido.combinaciones)
        CadenaAEuromillon(combinacion, sorteo);
    if (leido.fecha) {
        txtFecha->setText(*leido.fecha);
        txtFecha->home(false);
    }
    if (!leido.combinaciones.isEmpty())
        MostrarSorteo(sorteo);
}

void FormMain::Abrir(const QString &direccion, std::function<void()> siFalla)
{
    Escritorio::Actual().AbrirDireccion(direccion, [ventana = QPointer(this), siFalla] {
        if (ventana)
            siFalla();
    });
}

void FormMain::keyPressEvent(QKeyEvent *event)
{
    // Esc presses Descargar, the window's cancel button; Enter outside a
    // button presses nothing, so a typed draw is never replaced by surprise.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        btnDescargar->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void FormMain::btnDescargar_Click()
{
    DescargarSorteo(LeerINI(QStringLiteral("DataSource"), QStringLiteral("RDFData")));
}

void FormMain::cmdComprobar_Click()
{
    for (int i = 1; i <= 5; ++i) {
        if (txtEuromillonNumero(i)->text().isEmpty()) {
            Escritorio::Actual().MostrarMensaje(
                this, QStringLiteral("No hay conbinación premiada! Descargala o introducela"));
            return;
        }
    }
    if (modeloResultado->rowCount() == 0) {
        Escritorio::Actual().MostrarMensaje(
            this, QStringLiteral("No hay resultados! Edita el fichero de configuración"));
        return;
    }
    // The rebuild and the results see one state of the file.
    CargarApuestas(LeerDocumentoINI());
    ComprobarApuestas(SorteoEnPantalla());
}

// The lines of the checked bets, in list order.
std::vector<LineaResultado> FormMain::LineasResultado() const
{
    std::vector<LineaResultado> lineas;
    for (int fila = 1; fila <= modeloResultado->rowCount(); ++fila) {
        if (const auto aciertos = modeloResultado->Resultado(fila))
            lineas.push_back({fila, modeloResultado->Apuesta(fila), *aciertos});
    }
    return lineas;
}

void FormMain::cmdViaMail_Click()
{
    Escritorio &escritorio = Escritorio::Actual();
    if (!modeloResultado->Resultado(1)) {
        escritorio.MostrarMensaje(
            this,
            QStringLiteral("Has de comprobar el resultado de los premios antes de poder "
                           "enviarlo por email!"));
        return;
    }
    std::array<QString, 7> sorteo;
    for (int i = 1; i <= 7; ++i)
        sorteo[std::size_t(i - 1)]
            = (i <= 5 ? txtEuromillonNumero(i) : txtEuromillonEstrella(i - 5))->text();
    const QString cuerpo = ComponerCuerpo(txtFecha->text(), sorteo, LineasResultado());
    const QString portapapeles = TextoPortapapeles(AsuntoResultados(), cuerpo);
    const QString direccion = DireccionMail(AsuntoResultados(), cuerpo);
    const auto copiar = [this, portapapeles](const QString &motivo) {
        Escritorio::Actual().CopiarAlPortapapeles(portapapeles);
        Escritorio::Actual().MostrarMensaje(
            this,
            motivo
                + QStringLiteral(" Se han copiado al portapapeles: pégalos en un mensaje nuevo."));
    };
    if (direccion.size() > LargoMaximoMailto)
        copiar(QStringLiteral("Los resultados son demasiado largos para una dirección de correo."));
    else
        Abrir(direccion, [copiar] {
            copiar(
                QStringLiteral("No se ha podido abrir el programa de correo con los resultados."));
        });
}

void FormMain::cmdConfigurar_Click()
{
    // The editor writes the settings file itself; the list is rebuilt from it.
    FormConfiguracion editor(this);
    editor.exec();
    CargarApuestas(LeerDocumentoINI());
}

void FormMain::cmdWeb_Click()
{
    // Handed over as stored; without an address there is nothing to open.
    const QString web = LeerINI(QStringLiteral("DataSource"), QStringLiteral("Web"));
    if (!web.isEmpty())
        Abrir(web, [this] {
            Escritorio::Actual().MostrarMensaje(
                this, QStringLiteral("No se ha podido abrir la página web."));
        });
}

void FormMain::btnAbout_Click()
{
    Escritorio::Actual().MostrarMensaje(
        this,
        QStringLiteral("Trebolero %1, comprobador de apuestas del Euromillón, por "
                       "Orbelan\r\n   La descarga automática suele funcionar a partir "
                       "del sabado al mediodía")
            .arg(QLatin1String(VersionTrebolero)));
}

void FormMain::lbEmail_Click()
{
    Abrir(QStringLiteral("mailto:") + CorreoAutor + QStringLiteral("?subject=Trebolero"), [this] {
        Escritorio::Actual().MostrarMensaje(
            this, QStringLiteral("No se ha podido abrir el programa de correo."));
    });
}

void FormMain::txtEuromillonNumero_Change(int indice)
{
    // Results belong to the draw they were checked against.
    modeloResultado->QuitarAciertos();
    if (txtEuromillonNumero(indice)->text().size() != 2)
        return;
    if (indice == 5)
        txtEuromillonEstrella(1)->setFocus();
    else
        txtEuromillonNumero(indice + 1)->setFocus();
}

void FormMain::txtEuromillonEstrella_Change(int indice)
{
    modeloResultado->QuitarAciertos();
    // A star is complete at two characters (07, 12).
    if (txtEuromillonEstrella(indice)->text().size() != 2)
        return;
    if (indice == 1)
        txtEuromillonEstrella(2)->setFocus();
    else
        cmdComprobar->setFocus();
}

void FormMain::txtEuromillonNumero_GotFocus(int indice)
{
    txtEuromillonNumero(indice)->SeleccionarTodo();
}

void FormMain::txtEuromillonEstrella_GotFocus(int indice)
{
    txtEuromillonEstrella(indice)->SeleccionarTodo();
}

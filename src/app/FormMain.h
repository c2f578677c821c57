#pragma once

#include "desktop/ControlArray.h"
#include "model/modTypeEuromillon.h"

#include <QWidget>

#include <functional>
#include <vector>

class CajaTexto;
class DocumentoIni;
struct LineaResultado;
class EtiquetaPulsable;
class ModeloResultado;
class QGroupBox;
class QKeyEvent;
class QPushButton;
class QTableView;

// The main window: the draw, the bet list and every command of the program.
class FormMain : public QWidget
{
    Q_OBJECT

public:
    explicit FormMain(QWidget *parent = nullptr);
    ~FormMain() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private Q_SLOTS:
    void btnDescargar_Click();
    void cmdComprobar_Click();
    void cmdViaMail_Click();
    void cmdConfigurar_Click();
    void cmdWeb_Click();
    void btnAbout_Click();
    void lbEmail_Click();
    void txtEuromillonNumero_Change(int indice);
    void txtEuromillonEstrella_Change(int indice);
    void txtEuromillonNumero_GotFocus(int indice);
    void txtEuromillonEstrella_GotFocus(int indice);

private:
    void Form_Load();
    // Lists the combinations stored in `ini`.
    void CargarApuestas(const DocumentoIni &ini);
    // Gives each listed bet its hits against `sorteo`.
    void ComprobarApuestas(const Euromillon &sorteo);
    // The draw as the seven boxes show it; a box that holds no whole number
    // is a field that matches nothing.
    Euromillon SorteoEnPantalla() const;
    // Writes the draw into the number and star boxes and moves on to
    // Comprobar, as typing it would.
    void MostrarSorteo(const Euromillon &sorteo);
    // Loads the feed at `url` and takes the draw and its date from it.
    void DescargarSorteo(const QString &url);
    // Opens `direccion` on the desktop; `siFalla` runs if that fails while
    // the window still exists.
    void Abrir(const QString &direccion, std::function<void()> siFalla);
    std::vector<LineaResultado> LineasResultado() const;
    void ConstruirResultado();
    void ConstruirBotones();
    void ConstruirLista();
    void ConstruirEtiqueta();
    void FijarOrdenTabulacion();

    QGroupBox *framResultado = nullptr;
    CajaTexto *txtFecha = nullptr;
    ControlArray<CajaTexto, 5> txtEuromillonNumero;
    ControlArray<CajaTexto, 2> txtEuromillonEstrella;
    QPushButton *btnDescargar = nullptr;
    QPushButton *cmdComprobar = nullptr;
    QPushButton *cmdViaMail = nullptr;
    QPushButton *cmdConfigurar = nullptr;
    QPushButton *cmdWeb = nullptr;
    QPushButton *btnAbout = nullptr;
    QTableView *lstResultado = nullptr;
    ModeloResultado *modeloResultado = nullptr;
    EtiquetaPulsable *lbEmail = nullptr;
};

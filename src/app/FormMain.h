#pragma once

#include "desktop/ControlArray.h"
#include "model/modTypeEuromillon.h"

#include <QWidget>

#include <vector>

class CajaTexto;
class DocumentoIni;
struct LineaResultado;
class EtiquetaPulsable;
class ModeloResultado;
class QGroupBox;
class QPushButton;
class QTableView;

// The main window: the draw, the bet list and every command of the program.
class FormMain : public QWidget
{
    Q_OBJECT

public:
    explicit FormMain(QWidget *parent = nullptr);
    ~FormMain() override;

    // Writes the draw into the number and star boxes.
    void MostrarSorteo(const Euromillon &sorteo);
    // Loads the feed at `url` and takes the draw and its date from it.
    void DescargarSorteo(const QString &url);

    const Euromillon &SorteoActual() const { return Sorteo; }

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
    // Gives each listed bet its hit text against `Sorteo`.
    void ComprobarApuestas();
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

    Euromillon Sorteo;
    // While MostrarSorteo writes the boxes, a written star counts as complete.
    bool mostrandoSorteo = false;
};

#pragma once

#include "desktop/ControlArray.h"
#include "model/modTypeEuromillon.h"

#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

class CajaTexto;
class EtiquetaPulsable;
class ModeloResultado;
class QApplication;
class QGroupBox;
class QPushButton;
class QTableView;

// Loads Qt's Spanish texts and the program's icon into the application.
void PrepararAplicacion(QApplication &aplicacion);

// The main window: the draw, the bet list and every command of the program.
class FormMain : public QWidget
{
    Q_OBJECT

public:
    explicit FormMain(QWidget *parent = nullptr);
    ~FormMain() override;

    // Appends one row per stored combination to the list, filling `Apuestas`.
    void CargarApuestas();
    // Appends each bet's hit text against `Sorteo` to its row.
    void ComprobarApuestas();
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

    std::vector<Euromillon> Apuestas;
    // The bets read ahead for the first load; they stand only while the file
    // is still the one they were read from.
    std::shared_ptr<std::optional<std::vector<Euromillon>>> apuestasAdelantadas;
    Euromillon Sorteo;
    // While MostrarSorteo writes the boxes, a written star counts as complete.
    bool mostrandoSorteo = false;
};

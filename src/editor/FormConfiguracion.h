#pragma once

#include "desktop/CajaTexto.h"
#include "desktop/ControlArray.h"
#include "model/modTypeEuromillon.h"
#include "settings/DocumentoIni.h"

#include <QDialog>

#include <optional>
#include <utility>

class QGroupBox;
class QPushButton;

// The combination editor: shows the stored bets one at a time and adds one
// at the end, removes the last or overwrites the one shown. It keeps no list
// in memory: the total and the index live in two locked boxes, every
// combination is read from the settings file when shown, and every command
// writes the file at once.
class FormConfiguracion : public QDialog
{
    Q_OBJECT

public:
    // Opens over `propietario`, its owner, at combination 1.
    explicit FormConfiguracion(QWidget *propietario);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private Q_SLOTS:
    void cmdInsertar_Click();
    void cmdEliminar_Click();
    void cmdAnterior_Click();
    void cmdSiguiente_Click();
    void cmdGuardar_Click();
    void txtEuromillonConfigNumero_GotFocus(int indice)
    {
        CajaCombinacion(indice)->SeleccionarTodo();
    }
    void txtEuromillonConfigEstrella_GotFocus(int indice)
    {
        CajaCombinacion(5 + indice)->SeleccionarTodo();
    }
    void txtEuromillonConfigNumero_KeyUp(int indice) { Avanzar(indice); }
    void txtEuromillonConfigEstrella_KeyUp(int indice) { Avanzar(5 + indice); }

private:
    void Form_Load();
    QGroupBox *ConstruirCombinaciones();
    QGroupBox *ConstruirModificar();
    void FijarOrdenTabulacion();
    // Edit box `i` of the row: 1 to 5 the numbers, 6 and 7 the stars.
    CajaTexto *CajaCombinacion(int i) const;
    void Avanzar(int i);

    // Writes stored combination `n` of `ini` into the seven edit boxes.
    void MostrarCombinacion(int n, const DocumentoIni &ini);
    // Writes `n` into the index box and shows combination `n` of `ini`.
    void IrA(int n, const DocumentoIni &ini);
    // Shows the stored count of `ini` in the total box, or the stored text
    // as it stands when it is no count.
    void MostrarTotal(const DocumentoIni &ini);
    // The stored count of `ini`; a count that is not valid is reported to the
    // user and gives nothing.
    std::optional<int> ContarApuestas(const DocumentoIni &ini);
    int IndiceActual() const;
    // The bet typed in the seven boxes, when every box holds a whole number
    // and together they make a bet that can win.
    std::optional<Euromillon> ApuestaEscrita() const;
    // Writes keys of the list in one replacement of the file; a failed write
    // is reported to the user.
    bool Escribir(const QList<std::pair<QString, QString>> &valores);

    CajaTexto *txtCombinaciones = nullptr;
    QPushButton *cmdInsertar = nullptr;
    QPushButton *cmdEliminar = nullptr;
    CajaTexto *txtConfigActual = nullptr;
    QPushButton *cmdAnterior = nullptr;
    QPushButton *cmdSiguiente = nullptr;
    ControlArray<CajaTexto, 5> txtEuromillonConfigNumero;
    ControlArray<CajaTexto, 2> txtEuromillonConfigEstrella;
    QPushButton *cmdGuardar = nullptr;
};

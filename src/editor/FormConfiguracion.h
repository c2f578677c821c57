#pragma once

#include "desktop/ControlArray.h"

#include <QDialog>

#include <cstdint>
#include <optional>

class CajaTexto;
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

    // Writes stored combination `n` into the seven edit boxes.
    void MostrarCombinacion(std::int16_t n);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private Q_SLOTS:
    void cmdInsertar_Click();
    void cmdEliminar_Click();
    void cmdAnterior_Click();
    void cmdSiguiente_Click();
    void cmdGuardar_Click();
    void txtEuromillonConfigNumero_GotFocus(int indice);
    void txtEuromillonConfigEstrella_GotFocus(int indice);
    void txtEuromillonConfigNumero_KeyUp(int indice);
    void txtEuromillonConfigEstrella_KeyUp(int indice);

private:
    void Form_Load();
    void ConstruirCombinaciones();
    void ConstruirModificar();
    void FijarOrdenTabulacion();
    CajaTexto *CrearCaja(const QString &nombre, const QRect &geometria);

    // The total held in `texto`; an empty text is an empty list. A text that
    // is no count is reported to the user and gives nothing.
    std::optional<std::int16_t> Total(const QString &texto);
    std::int16_t IndiceActual() const;
    // Writes `n` into the index box and shows combination `n`.
    void IrA(std::int16_t n);
    // Writes one key of the list; a failed write is reported to the user.
    bool Escribir(const QString &clave, const QString &valor);

    QGroupBox *FraCombinaciones = nullptr;
    CajaTexto *txtCombinaciones = nullptr;
    QPushButton *cmdInsertar = nullptr;
    QPushButton *cmdEliminar = nullptr;
    QGroupBox *FraModificar = nullptr;
    CajaTexto *txtConfigActual = nullptr;
    QPushButton *cmdAnterior = nullptr;
    QPushButton *cmdSiguiente = nullptr;
    ControlArray<CajaTexto, 5> txtEuromillonConfigNumero;
    ControlArray<CajaTexto, 2> txtEuromillonConfigEstrella;
    QPushButton *cmdGuardar = nullptr;
};

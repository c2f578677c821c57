#pragma once

#include <QString>

#include <vector>

// One figure of the benchmark: a median time set against the median of the
// work it is compared with, measured side by side in the same run. For
// memory the "ratio" is bytes per stored bet and there is no time.
struct Cifra
{
    QString nombre;
    double medianaMs = 0; // NaN when the figure is no time
    double referenciaMs = 0; // NaN when there is no reference time
    double razon = 0;
    double meta = 0;
    QString frente; // what it is set against

    bool Cumplida() const { return razon <= meta; }
};

double Mediana(std::vector<double> valores);

// One line per figure, with the medians, the ratio and the goal.
QString Tabla(const std::vector<Cifra> &cifras);

// A JSON list of objects {"name", "median_ms", "ratio", "goal"}.
bool GuardarJson(const std::vector<Cifra> &cifras, const QString &ruta);

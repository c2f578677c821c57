#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVarLengthArray>

#include <optional>

// The text of an INI file, kept as its raw bytes with an index for reading and
// writing one key at a time. It never touches a file, so any bytes at all may
// be handed to it.
//
// Reading rules:
// - Lines end at "\r\n", "\n" or "\r". A UTF-8 byte-order mark is skipped.
// - Blanks (spaces and tabs) around names and values are dropped.
// - A line whose first non-blank character is ";" or "#" is a comment.
// - A line whose first non-blank character is "[" opens the section named by
//   the text up to the first "]" (or to the end of the line).
// - Any other line with "=" holds a key (the text before the first "=") and
//   its value; lines without "=" and keys before any section are ignored.
// - Section and key names match regardless of letter case. A section that
//   appears twice is one section; of repeated keys the first one counts.
// - A value between a pair of double quotes reads without them.
// - The text is UTF-8 when its bytes are valid UTF-8 (so an empty or pure
//   ASCII text is UTF-8), and Windows-1252 otherwise.
class DocumentoIni
{
public:
    // A longer text is not looked into: it reads as empty and takes no writes.
    static constexpr qsizetype TamanoMaximo = qsizetype(1) << 30;

    DocumentoIni() = default;
    explicit DocumentoIni(QByteArray bytes);

    const QByteArray &Contenido() const { return contenido; }
    bool EsUtf8() const { return utf8; }

    // The value of `clave` in `seccion`, or the empty text when either is
    // missing.
    QString Leer(QStringView seccion, QStringView clave) const;
    // The same into `valor`, reusing its memory: a run of reads of short
    // values allocates nothing after the first.
    void Leer(QStringView seccion, QStringView clave, QString &valor) const;

    // The document with `valor` stored under `clave` in `seccion`: the key's
    // line changed after its "=" and the blanks that follow, or a new key line
    // after the last non-blank line of the section, or a new section at the
    // end. Every other byte stays as it was; new lines take the text's first
    // line ending. Line breaks inside the names and the value become blanks,
    // and the value is quoted when it would not read back otherwise. Gives
    // nothing when the key would not be found again in the result or would
    // not read back as `valor` with its line breaks turned into blanks (for
    // instance because a character has no Windows-1252 code, or a name holds
    // "=" or "]"), and when a Windows-1252 text would turn into UTF-8 text and
    // so change its other values.
    std::optional<DocumentoIni> Escribir(QStringView seccion, QStringView clave,
                                         QStringView valor) const &;
    // The same, made on this document's own memory instead of a copy of it.
    std::optional<DocumentoIni> Escribir(QStringView seccion, QStringView clave,
                                         QStringView valor) &&;

private:
    using NombrePlegado = QVarLengthArray<char16_t, 64>;

    // Offsets and list positions fit in 32 bits below the size limit.
    using Posicion = quint32;
    struct Seccion
    {
        Posicion cabecera; // start of its first "[...]" line
        Posicion ultimaLinea; // start of the last non-blank line of that block
        quint32 hash;
    };
    struct Clave
    {
        Posicion nombre; // first character of its name, which ends at the first "="
        Posicion seccion;
        quint32 hash;
    };

    void AnalizarLinea(qsizetype inicio, qsizetype fin, qsizetype &seccionActual,
                       bool &enPrimerBloque);
    qsizetype AbrirSeccion(qsizetype linea, qsizetype primero, qsizetype fin, bool &nueva);
    void AnadirClave(qsizetype primero, qsizetype igual, qsizetype seccion);

    qsizetype BuscarSeccion(const NombrePlegado &nombre, quint32 hash) const;
    qsizetype BuscarClave(qsizetype seccion, const NombrePlegado &nombre, quint32 hash) const;
    qsizetype SeccionConsultada(QStringView seccion) const;
    // Positions in the list of keys, or -1 when the key is missing.
    qsizetype ClaveConsultada(qsizetype seccion, QStringView clave) const;
    qsizetype ClaveBuscada(QStringView seccion, QStringView clave) const;
    // A change of the text: the bytes from `desde` to `hasta` replaced by
    // `bytes`. When they add lines, they begin with a line break after the
    // first block of the section at `seccion`, or with a section's header when
    // that is -1.
    struct Edicion
    {
        qsizetype desde;
        qsizetype hasta;
        QByteArray bytes;
        bool lineasNuevas = false;
        qsizetype seccion = -1;
    };
    std::optional<Edicion> ConValor(QStringView seccion, QStringView clave,
                                    const QByteArray &valor) const;
    void Editar(const Edicion &edicion);

    qsizetype FinDeLinea(qsizetype inicio) const;
    qsizetype LargoDeSalto(qsizetype fin) const;
    qsizetype SaltarBlancos(qsizetype desde, qsizetype hasta) const;
    qsizetype Buscar(char caracter, qsizetype desde, qsizetype hasta) const;
    QByteArrayView Recortado(qsizetype desde, qsizetype hasta) const;
    QByteArrayView NombreDeSeccion(qsizetype cabecera) const;
    qsizetype IgualDeClave(const Clave &clave) const;
    QByteArrayView NombreDeClave(const Clave &clave) const;
    QByteArrayView ValorDeClave(const Clave &clave) const;
    QByteArray FinDeLineaPropio() const;
    bool TerminaEnLineaCompleta() const;

    QString Decodificar(QByteArrayView bytes) const;
    void DecodificarEn(QByteArrayView bytes, QString &destino) const;
    std::optional<QByteArray> Codificar(QStringView texto) const;
    void Plegar(QByteArrayView bytes, NombrePlegado &destino) const;
    bool MismoNombre(QByteArrayView bytes, const NombrePlegado &nombre) const;

    QByteArray contenido;
    qsizetype inicioTexto = 0;
    bool utf8 = true;
    QList<Seccion> secciones;
    QList<Clave> claves;
    QList<Posicion> indiceSecciones;
    QList<Posicion> indiceClaves;
    // The last section asked for, as asked, and where it was found: a run of
    // reads in one section folds, hashes and compares its name only once.
    mutable std::optional<QString> seccionConsultada;
    mutable qsizetype posicionConsultada = -1;
    // The key after the last one found: reads in the order of the file, as a
    // load of the whole list makes them, find their key there without going
    // through the index, whose slots lie all over memory.
    mutable qsizetype claveSiguiente = 0;
};

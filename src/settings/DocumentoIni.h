#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>
#include <utility>

// What a settings file's bytes allow: reading and writing, or neither.
enum class EstadoINI {
    Legible,
    Ilegible, // not a plain readable file, or bytes that do not read back
    DemasiadoGrande, // larger than DocumentoIni::TamanoMaximo
};

// The text of an INI file, decoded whole and indexed for reading and writing
// one key at a time. It never touches a file, so any bytes at all may be
// handed to it.
//
// Reading rules:
// - The text is UTF-16 when it starts with a UTF-16 byte-order mark, UTF-8
//   when its bytes (after a UTF-8 mark, if any) are valid UTF-8, and
//   Windows-1252 otherwise. Lines end at "\r\n", "\n" or "\r". A text that
//   holds a NUL character (which is what UTF-32, or UTF-16 without its mark,
//   reads as) is unreadable: it reads as empty and takes no writes.
// - Blanks (spaces and tabs) around names and values are dropped.
// - A line whose first non-blank character is ";" or "#" is a comment.
// - A line whose first non-blank character is "[" and that holds a "]" opens
//   the section named by the text between them, up to the last "]".
// - Any other line with "=" holds a key (the text before the first "=") and
//   its value; lines without "=" and keys before any section are ignored.
// - Section and key names match regardless of letter case. Only the first
//   block of a section that appears twice counts; of repeated keys the first.
// - A value between a pair of double or of single quotes reads without them.
class DocumentoIni
{
public:
    // A longer text is not looked into: it reads as empty and takes no writes.
    static constexpr qsizetype TamanoMaximo = qsizetype(16) << 20;

    DocumentoIni() = default;
    explicit DocumentoIni(QByteArray bytes);
    // The document of a file that could not be read: empty, and it takes no
    // writes.
    explicit DocumentoIni(EstadoINI estado)
        : estado(estado)
    {}

    const QByteArray &Contenido() const { return contenido; }
    EstadoINI Estado() const { return estado; }

    // The value of `clave` in `seccion`, or the empty text when either is
    // missing.
    QString Leer(QStringView seccion, QStringView clave) const;

    // The keys of the first block of `seccion`, in file order, each with its
    // value as Leer gives it; of repeated keys only the first. Both are views
    // into this document's text, valid while it lives unchanged.
    QList<std::pair<QStringView, QStringView>> Seccion(QStringView seccion) const;

    // The document with `valor` stored under `clave` in `seccion`: the key's
    // line changed after its "=" and the blanks that follow, or a new key line
    // after the last non-blank line of the section, or a new section at the
    // end. Every other byte stays as it was; new lines take the text's first
    // line ending. Line breaks inside the names and the value become blanks,
    // and the value is quoted when it would not read back otherwise. Gives
    // nothing for a document that is not readable, when the text does not
    // decode in its own encoding, when the key would not be found again in
    // the result or would not read back as `valor` with its line breaks
    // turned into blanks (for instance because a character has no code in
    // the encoding, or the key holds "="), and when a Windows-1252 text would
    // turn into UTF-8 text and so change its other values.
    std::optional<DocumentoIni> Escribir(QStringView seccion, QStringView clave,
                                         QStringView valor) const;

private:
    struct Clave
    {
        qsizetype inicio; // the start of its line
        qsizetype igual; // its first "="
        qsizetype fin; // the end of its line
    };
    struct Bloque
    {
        qsizetype fin = 0; // the end of its last non-blank line
        QList<Clave> claves; // the first of each name, in file order
        QHash<QString, qsizetype> posiciones; // folded key name -> place in `claves`
    };

    void AnalizarLinea(qsizetype inicio, qsizetype fin, Bloque *&bloque);
    const Clave *Buscar(QStringView seccion, QStringView clave) const;
    QStringView Valor(const Clave &clave) const;
    std::optional<QByteArray> Codificar(QStringView texto) const;
    QString FinDeLineaPropio() const;

    QByteArray contenido;
    EstadoINI estado = EstadoINI::Legible;
    QByteArray marca; // the byte-order mark the text starts with, if any
    QByteArray codificacion;
    QString texto;
    // Folded section name -> its first block.
    QHash<QString, Bloque> secciones;
};

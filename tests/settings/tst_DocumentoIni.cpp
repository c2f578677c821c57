#include "settings/DocumentoIni.h"

#include <QRandomGenerator>
#include <QTest>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *datos, std::size_t tamano);

class PruebaDocumentoIni : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void Leer_data();
    void Leer();
    void Escribir_data();
    void Escribir();
    void EscrituraAlAzar();
    void LecturasSeguidas();
};

namespace {

void Lectura(const char *caso, const QByteArray &contenido, const QString &seccion,
             const QString &clave, const QString &esperado)
{
    QTest::newRow(caso) << contenido << seccion << clave << esperado;
}

// A write with no result is one that could not be read back as given.
void Escritura(const char *caso, const QByteArray &antes, const QString &seccion,
               const QString &clave, const QString &valor, const QByteArray &despues = {})
{
    QTest::newRow(caso) << antes << seccion << clave << valor << despues;
}

} // namespace

void PruebaDocumentoIni::Leer_data()
{
    QTest::addColumn<QByteArray>("contenido");
    QTest::addColumn<QString>("seccion");
    QTest::addColumn<QString>("clave");
    QTest::addColumn<QString>("esperado");

    Lectura("blancos", "  [ a ]  \n\t k \t=\t v w \t\n", " a\t", " k ", "v w");
    Lectura("comillas", "[a]\nk= \" x \" \n", "a", "k", " x ");
    Lectura("una comilla", "[a]\nk=\"x\n", "a", "k", "\"x");
    Lectura("comentarios", "[a]\n;k=1\n  #k=2\nk=3\n", "a", "k", "3");
    Lectura("clave repetida", "[a]\nk=1\nK=2\n", "a", "k", "1");
    Lectura("seccion repetida", "[a]\nx=1\n[b]\nk=0\n[A]\nk=2\n", "a", "k", "2");
    Lectura("linea sin igual", "[a]\nk\nk=3\n", "a", "k", "3");
    Lectura("igual en el valor", "[a]\nk=x=y\n", "a", "k", "x=y");
    Lectura("antes de toda seccion", "k=1\n[a]\n", "a", "k", "");
    Lectura("hasta el primer corchete", "[a]x] y\nk=1\n", "a", "k", "1");
    Lectura("corchete sin cierre", "[ab\nk=1", "ab", "k", "1");
    Lectura("solo retornos", "[a]\rk=1\rj=2", "a", "j", "2");
    Lectura("marca utf-8", "\xEF\xBB\xBF[a]\nk=1\n", "a", "k", "1");
    Lectura("utf-8", "[A\xC3\xB1o]\n\xC3\x91=\xE2\x82\xAC\n", "A\u00D1O", "\u00F1", "\u20AC");
    Lectura("windows-1252", "[A\xF1o]\n\xD1=and\xFA \x80\n", "A\u00D1O", "\u00F1",
            "and\u00FA \u20AC");
    Lectura("nul", QByteArray("[a]\nk=x\0y\n", 11), "a", "k", QStringView(u"x\0y", 3).toString());
}

void PruebaDocumentoIni::Leer()
{
    QFETCH(QByteArray, contenido);
    QFETCH(QString, seccion);
    QFETCH(QString, clave);
    QFETCH(QString, esperado);

    const DocumentoIni documento(contenido);
    QCOMPARE(documento.Leer(seccion, clave), esperado);
    // Read again into a text that held a longer value before.
    QString reutilizado = QStringLiteral("un valor anterior, más largo");
    documento.Leer(seccion, clave, reutilizado);
    QCOMPARE(reutilizado, esperado);
}

void PruebaDocumentoIni::Escribir_data()
{
    QTest::addColumn<QByteArray>("antes");
    QTest::addColumn<QString>("seccion");
    QTest::addColumn<QString>("clave");
    QTest::addColumn<QString>("valor");
    QTest::addColumn<QByteArray>("despues");

    Escritura("solo cambia el valor",
              "; cabecera\r\n[A]\r\n  Total =  1 ; x\r\n\r\n[Otra]\r\nz=9\r\n", "a", "total", "2",
              "; cabecera\r\n[A]\r\n  Total =  2\r\n\r\n[Otra]\r\nz=9\r\n");
    Escritura("primera de las repetidas", "[a]\nk=1\nk=2\n", "a", "k", "3", "[a]\nk=3\nk=2\n");
    Escritura("tras la ultima linea de la seccion", "[a]\nx=1\n; nota\n\n[b]\ny=2\n", "a", "k", "v",
              "[a]\nx=1\n; nota\nk=v\n\n[b]\ny=2\n");
    Escritura("primer bloque de una seccion repetida", "[a]\nx=1\n[b]\n[a]\ny=2\n", "a", "k", "v",
              "[a]\nx=1\nk=v\n[b]\n[a]\ny=2\n");
    Escritura("clave nueva sin salto final", "[a]\nx=1", "a", "k", "v", "[a]\nx=1\nk=v");
    Escritura("seccion nueva con crlf", "[a]\r\nx=1\r\n", "b", "k", "v",
              "[a]\r\nx=1\r\n[b]\r\nk=v\r\n");
    Escritura("seccion nueva sin salto final", "[a]\nx=1", "b", "k", "v", "[a]\nx=1\n[b]\nk=v\n");
    Escritura("clave antes de toda seccion", "k=1\n", "a", "k", "v", "k=1\n[a]\nk=v\n");
    Escritura("solo la marca utf-8", "\xEF\xBB\xBF", "a", "k", "v", "\xEF\xBB\xBF[a]\nk=v\n");
    Escritura("blancos alrededor", "[a]\nk=1\n", "a", "k", " x\t", "[a]\nk=\" x\t\"\n");
    Escritura("entre comillas", "[a]\nk=1\n", "a", "k", "\"q\"", "[a]\nk=\"\"q\"\"\n");
    Escritura("saltos en el valor", "[a]\nk=1\n", "a", "k", "x\r\ny\n", "[a]\nk=\"x  y \"\n");
    Escritura("saltos en el nombre", "[a]\nk=1\n", "a", "x\ny", "v", "[a]\nk=1\nx y=v\n");
    Escritura("utf-8 con marca", "\xEF\xBB\xBF[a]\nk=\xC3\xB1\n", "a", "k", "\u20AC",
              "\xEF\xBB\xBF[a]\nk=\xE2\x82\xAC\n");
    Escritura("windows-1252", "[a]\nk=\xF1\n", "a", "k", "\u20AC\u00FA", "[a]\nk=\x80\xFA\n");
    Escritura("windows-1252 que queda en ascii", "[a]\nk=\xF1\n", "a", "k", "n", "[a]\nk=n\n");
    Escritura("sin codigo en windows-1252", "[a]\nk=\xF1\n", "a", "k", "\u4E00");
    // The other value would then read as UTF-8, "é" instead of "Ã©".
    Escritura("dejaria de ser windows-1252", "[a]\nk=\xF1\nj=\xC3\xA9\n", "a", "k", "n");
    Escritura("sustituto suelto", "", "a", "k", QString(QChar(0xD800)));
    Escritura("igual en la clave", "", "a", "x=y", "v");
    Escritura("clave de comentario", "[a]\n", "a", ";k", "v");
    Escritura("clave de seccion", "[a]\n", "a", "[k", "v");
    Escritura("corchete en la seccion", "", "a]b", "k", "v");
    Escritura("valor vacio en seccion ilegible", "", "a]b", "k", "");
    Escritura("valor vacio en clave ilegible", "[a]\n", "a", ";k", "");
}

void PruebaDocumentoIni::Escribir()
{
    QFETCH(QByteArray, antes);
    QFETCH(QString, seccion);
    QFETCH(QString, clave);
    QFETCH(QString, valor);
    QFETCH(QByteArray, despues);

    const std::optional<DocumentoIni> escrito = DocumentoIni(antes).Escribir(seccion, clave, valor);
    QCOMPARE(escrito.has_value(), !despues.isNull());
    if (escrito)
        QCOMPARE(escrito->Contenido(), despues);
}

// A run of reads from one document, hopping between sections, a missing one,
// names in other letter cases and a section written twice, each answered as
// if it were the only one.
void PruebaDocumentoIni::LecturasSeguidas()
{
    const DocumentoIni documento("[A]\nk=1\n[B]\nk=2\n[]\nk=3\n[a]\nk=4\nj=5\n");
    const struct
    {
        const char16_t *seccion;
        const char16_t *clave;
        const char *esperado;
    } lecturas[] = {{u"A", u"k", "1"}, {u"A", u"k", "1"}, {u"B", u"k", "2"}, {u"C", u"k", ""},
                    {u"b", u"K", "2"}, {u"", u"k", "3"},  {u"A", u"k", "1"}, {u"C", u"k", ""},
                    {u"a", u"k", "1"}, {u"", u"k", "3"},  {u"A", u"j", "5"}, {u"A", u"k", "1"}};
    for (const auto &lectura : lecturas)
        QCOMPARE(documento.Leer(lectura.seccion, lectura.clave),
                 QString::fromLatin1(lectura.esperado));
}

// Random documents and names made of the pieces that matter to the syntax,
// read and written at random through the fuzz target of the settings text,
// whose checks stop the run at the first broken property: a write reads
// back, leaves the other keys and the untouched lines as they were, and the
// edited document answers as its text parsed anew.
void PruebaDocumentoIni::EscrituraAlAzar()
{
    const QByteArray piezas("[]=;#\r\n \t\"aAk\xC3\xB1\xF1\0", 17);
    QRandomGenerator azar(20051201);
    const auto trozo = [&](int largo) {
        QByteArray bytes;
        for (; largo > 0; --largo)
            bytes += piezas[azar.bounded(int(piezas.size()))];
        return bytes;
    };
    for (int prueba = 0; prueba < 3000; ++prueba) {
        const QByteArray documento = trozo(azar.bounded(40));
        QByteArray entrada = char(documento.size()) + QByteArray(1, 0) + documento;
        // Each operation: its kind and decoding, then two or three texts.
        for (int operacion = azar.bounded(8); operacion > 0; --operacion) {
            const auto tipo = char(azar.bounded(6));
            entrada += tipo;
            for (int texto = tipo % 2 ? 3 : 2; texto > 0; --texto) {
                const QByteArray bytes = trozo(azar.bounded(4));
                entrada += char(bytes.size()) + bytes;
            }
        }
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t *>(entrada.constData()),
                               std::size_t(entrada.size()));
    }
}

QTEST_APPLESS_MAIN(PruebaDocumentoIni)
#include "tst_DocumentoIni.moc"

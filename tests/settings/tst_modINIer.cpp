#include "settings/modINIer.h"

#include "support/EntornoPrueba.h"

#include <QDir>
#include <QStringEncoder>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

class PruebaModINIer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void Leer_data();
    void Leer();
    void Escribir_data();
    void Escribir();
    void Archivo();
};

namespace {

// One text with every reading rule, read in each encoding and line ending.
const QString Documento
    = QString::fromUtf16(u"k=0\n[ Año ]x]\n k \t= v w \t\nd=\" x \"\ns=' y '\ne=''\nm='x\"\nu=\"x\n"
                         u";c=1\n #c=2\nc=3\nr=1\nR=2\nn\nz=x=y\nÑ=€\n[b]\n[año]\nw=2\n[]\nk=3");
const struct
{
    const char16_t *seccion, *clave, *valor;
} Lecturas[] = {{u" aÑO\t", u" k ", u"v w"}, {u"año", u"d", u" x "},  {u"año", u"s", u" y "},
                {u"año", u"e", u""},         {u"año", u"m", u"'x\""}, {u"año", u"u", u"\"x"},
                {u"año", u"c", u"3"},        {u"año", u"R", u"1"},    {u"año", u"n", u""},
                {u"año", u"z", u"x=y"},      {u"año", u"ñ", u"€"},    {u"año", u"w", u""},
                {u"", u"k", u"3"},           {u"b", u"k", u""}};

QByteArray Codificado(const char *codificacion, const QString &texto, const QByteArray &marca = {})
{
    return marca + QByteArray(QStringEncoder(codificacion).encode(texto));
}

QByteArray Le(const QString &texto)
{
    return Codificado("UTF-16LE", texto, "\xFF\xFE");
}

} // namespace

void PruebaModINIer::Leer_data()
{
    QTest::addColumn<QByteArray>("contenido");
    const auto con = [](const char *salto) {
        return QString(Documento).replace(u'\n', QLatin1StringView(salto));
    };
    QTest::newRow("utf-8") << Codificado("UTF-8", Documento);
    QTest::newRow("utf-8, marca, crlf") << Codificado("UTF-8", con("\r\n"), "\xEF\xBB\xBF");
    QTest::newRow("windows-1252, cr") << Codificado("windows-1252", con("\r"));
    QTest::newRow("utf-16 le, crlf") << Le(con("\r\n"));
    QTest::newRow("utf-16 be") << Codificado("UTF-16BE", Documento, "\xFE\xFF");
}

void PruebaModINIer::Leer()
{
    QFETCH(QByteArray, contenido);
    const DocumentoIni documento(contenido);
    for (const auto &[seccion, clave, valor] : Lecturas)
        QCOMPARE(documento.Leer(seccion, clave), QString::fromUtf16(valor));
}

// A write with no result is refused: it could not be read back as given.
void PruebaModINIer::Escribir_data()
{
    QTest::addColumn<QByteArray>("antes");
    QTest::addColumn<QString>("clave");
    QTest::addColumn<QString>("valor");
    QTest::addColumn<QByteArray>("despues");
    const auto fila = [](const char *caso, const QByteArray &antes, const QString &clave,
                         const QString &valor, const QByteArray &despues = {}) {
        QTest::newRow(caso) << antes << clave << valor << despues;
    };
    fila("solo el valor", "; c\r\n[A]\r\n  Total =  1 ; x\r\n\r\n[O]\r\n", "total", "2",
         "; c\r\n[A]\r\n  Total =  2\r\n\r\n[O]\r\n");
    fila("primer bloque", "[a]\nx=1\n;\n\n[b]\n[a]\nk=2\n", "k", "v",
         "[a]\nx=1\n;\nk=v\n\n[b]\n[a]\nk=2\n");
    fila("sin salto final", "[a]\nx=1", "k", "v", "[a]\nx=1\nk=v");
    fila("seccion nueva", "[b]\r\nx=1", "k", "v", "[b]\r\nx=1\r\n[a]\r\nk=v\r\n");
    fila("blancos", "[a]\rk=1\r", "k", " x\t", "[a]\rk=\" x\t\"\r");
    fila("comillas", "[a]\nk=1\n", "k", "\"q\"", "[a]\nk=\"\"q\"\"\n");
    fila("comillas simples", "[a]\nk=1\n", "k", "'q'", "[a]\nk=\"'q'\"\n");
    fila("saltos", "[a]\nk=1\n", "x\ny", "a\r\nb", "[a]\nk=1\nx y=a  b\n");
    fila("windows-1252", "[a]\nk=\xF1\n", "k", "€ú", "[a]\nk=\x80\xFA\n");
    fila("1252 a ascii", "[a]\nk=\xF1\n", "k", "n", "[a]\nk=n\n");
    fila("sin codigo en 1252", "[a]\nk=\xF1\n", "k", "\u4E00");
    fila("dejaria de ser 1252", "[a]\nk=\xF1\nj=\xC3\xA9\n", "k", "n");
    fila("sustituto suelto", "", "k", QString(QChar(0xD800)));
    fila("clave de comentario", "[a]\n", ";k", "");
    fila("utf-16", Le("[a]\r\nk=1\r\n;ñ"), "k", "\u4E00", Le("[a]\r\nk=\u4E00\r\n;ñ"));
    fila("utf-16 be", Codificado("UTF-16BE", "[b]", "\xFE\xFF"), "k", "'q'",
         Codificado("UTF-16BE", "[b]\n[a]\nk=\"'q'\"\n", "\xFE\xFF"));
    fila("utf-16 impar", Le("[a]\nk=1\n") + 'x', "k", "2");
    fila("utf-16 sustituto suelto", Le(QString("[a]\nk=1\n") + QChar(0xDC00)), "k", "2");
}

void PruebaModINIer::Escribir()
{
    QFETCH(QByteArray, antes);
    QFETCH(QString, clave);
    QFETCH(QString, valor);
    QFETCH(QByteArray, despues);
    const std::optional<DocumentoIni> escrito = DocumentoIni(antes).Escribir(u"a", clave, valor);
    QCOMPARE(escrito ? escrito->Contenido() : QByteArray(), despues);
}

// The file is named after the program, a read never creates it, keys written
// together are all stored or none, a value that already reads back keeps its
// line, and a change made by hand is seen by the next call. A missing
// folder, a read-only file (even for root) and a full disk (a child whose
// files may not grow past 1 KiB) refuse the write and leave no other file.
void PruebaModINIer::Archivo()
{
    EntornoPrueba entorno("Otro");
    QVERIFY(!EscribirINI("a]", "k", ""));
    QCOMPARE(LeerINI("Copyright", "Autor"), QString());
    QVERIFY(!EscribirINI("Copyright", {{"Autor", "Orbelan"}, {"a=b", "x"}}));
    QVERIFY(!QFile::exists(entorno.RutaIni()));
    QVERIFY(EscribirINI("Copyright", {{"Autor", "Orbelan"}, {"Date", "2005/12"}}));
    QCOMPARE(entorno.LeerIni(), "[Copyright]\nAutor=Orbelan\nDate=2005/12\n");
    entorno.EscribirIni("[Copyright]\r\nAutor = Orbelan \t\r\n");
    QCOMPARE(LeerINI("Copyright", "Date"), QString());
    QVERIFY(EscribirINI("Copyright", {{"autor", "Orbelan"}, {"Date", ""}}));
    QVERIFY(!EscribirINI("Copyright", {{"Date", "1"}, {";k", "x"}}));
    QCOMPARE(entorno.LeerIni(), "[Copyright]\r\nAutor = Orbelan \t\r\nDate=\r\n");
    FijarProgramaINI(entorno.carpeta.filePath("no"), "Otro");
    QVERIFY(!EscribirINI("a", "k", "1"));
    FijarProgramaINI(entorno.carpeta.path(), "Otro");
    const QByteArray original = "[a]\r\nk=1\r\n";
    entorno.EscribirIni(original);
    QVERIFY(QFile::setPermissions(entorno.RutaIni(), QFileDevice::ReadOwner));
    const QFileDevice::Permissions modo = QFileInfo(entorno.RutaIni()).permissions();
    QVERIFY(!EscribirINI("a", "k", "2"));
    QCOMPARE(QFileInfo(entorno.RutaIni()).permissions(), modo);
    QVERIFY(QFile::setPermissions(entorno.RutaIni(), modo | QFileDevice::WriteOwner));
    pid_t hijo = ::fork();
    if (hijo == 0) {
        const rlimit limite {1024, 1024};
        ::signal(SIGXFSZ, SIG_IGN);
        ::_exit(::setrlimit(RLIMIT_FSIZE, &limite) || EscribirINI("a", "k", QString(1024, u'x')));
    }
    int estado = 0;
    QVERIFY(::waitpid(hijo, &estado, 0) == hijo && WIFEXITED(estado) && WEXITSTATUS(estado) == 0);
    QCOMPARE(QDir(entorno.carpeta.path()).entryList(QDir::Files | QDir::Hidden), {"Otro.ini"});
    QCOMPARE(entorno.LeerIni(), original);
}

QTEST_APPLESS_MAIN(PruebaModINIer)
#include "tst_modINIer.moc"

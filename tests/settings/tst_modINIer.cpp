#include "settings/modINIer.h"

#include "support/EntornoPrueba.h"

#include <QDir>
#include <QStringEncoder>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// `texto` in `codificacion`, after its byte-order mark.
static QByteArray Marcado(const char *codificacion, const QString &texto)
{
    return QStringEncoder(codificacion, QStringConverter::Flag::WriteBom).encode(texto);
}

class PruebaModINIer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // One text with every reading rule, read in each encoding and line ending.
    void Leer()
    {
        const QString texto = QString::fromUtf16(
            u"k=0\n[ Año ]x]\n k \t= v w \t\nd=\" x \"\ns=' y '\ne=''\nm='x\"\nu=\"x\n"
            u";c=1\n #c=2\nc=3\nr=1\nR=2\nn\nz=x=y\nÑ=€\n[b]\n[año]\nw=2\n[]\nk=3");
        const auto con = [&](const char *salto) {
            return QString(texto).replace(u'\n', QLatin1StringView(salto));
        };
        const std::tuple<const char16_t *, const char16_t *, const char16_t *> lecturas[]
            = {{u" aÑO\t", u" k ", u"v w"}, {u"año", u"d", u" x "},  {u"año", u"s", u" y "},
               {u"año", u"e", u""},         {u"año", u"m", u"'x\""}, {u"año", u"u", u"\"x"},
               {u"año", u"c", u"3"},        {u"año", u"R", u"1"},    {u"año", u"n", u""},
               {u"año", u"z", u"x=y"},      {u"año", u"ñ", u"€"},    {u"año", u"w", u""},
               {u"", u"k", u"3"},           {u"b", u"k", u""}};
        for (const QByteArray &bytes :
             {texto.toUtf8(), Marcado("UTF-8", con("\r\n")), Marcado("windows-1252", con("\r")),
              Marcado("UTF-16LE", con("\r\n")), Marcado("UTF-16BE", texto)})
            for (const auto &[seccion, clave, valor] : lecturas)
                QCOMPARE(DocumentoIni(bytes).Leer(seccion, clave), QString::fromUtf16(valor));
    }

    // A write into section "a" with no result is refused: it could not be
    // read back as given.
    void Escribir()
    {
        const std::tuple<QByteArray, QString, QString, QByteArray> escrituras[] = {
            {"; c\r\n[A]\r\n  Total =  1 ; x\r\n\r\n[O]\r\n", "total", "2",
             "; c\r\n[A]\r\n  Total =  2\r\n\r\n[O]\r\n"},
            {"[a]\nx=1\n;\n\n[b]\n[a]\nk=2\n", "k", "v", "[a]\nx=1\n;\nk=v\n\n[b]\n[a]\nk=2\n"},
            {"[b]\r\nx=1", "k", "v", "[b]\r\nx=1\r\n[a]\r\nk=v\r\n"},
            {"[a]\rk=1\r", "k", " x\t", "[a]\rk=\" x\t\"\r"},
            {"[a]\nk=1\n", "x\ny", "\"a\r\nb\"", "[a]\nk=1\nx y=\"\"a  b\"\"\n"},
            {"[a]\nk=\xF1\n", "k", "€ú", "[a]\nk=\x80\xFA\n"},
            {"[a]\nk=\xF1\n", "k", "n", "[a]\nk=n\n"},
            {"[a]\nk=\xF1\n", "k", "\u4E00", {}},
            {"[a]\nk=\xF1\nj=\xC3\xA9\n", "k", "n", {}},
            {"", "k", QString(QChar(0xD800)), {}},
            {"[a]\n", ";k", "", {}},
            {Marcado("UTF-16LE", "[a]\r\nk=1\r\n;ñ"), "k", "\u4E00",
             Marcado("UTF-16LE", "[a]\r\nk=\u4E00\r\n;ñ")},
            {Marcado("UTF-16BE", "[b]"), "k", "'q'", Marcado("UTF-16BE", "[b]\n[a]\nk=\"'q'\"\n")},
            {Marcado("UTF-16LE", "[a]\nk=1\n") + 'x', "k", "2", {}},
            {Marcado("UTF-16LE", QString("[a]\nk=1\n") + QChar(0xDC00)), "k", "2", {}}};
        for (const auto &[antes, clave, valor, despues] : escrituras) {
            const auto escrito = DocumentoIni(antes).Escribir(u"a", clave, valor);
            QCOMPARE(escrito ? escrito->Contenido() : QByteArray(), despues);
        }
    }

    // A read never creates the file, keys written together are all stored or
    // none, a value that already reads back keeps its line, and a change made
    // by hand is seen by the next call. A read-only file (even for root), a
    // full disk and a save killed half-way leave the file as it was: a child
    // whose files may not grow past 1 KiB fails the write with SIGXFSZ
    // ignored, and is killed by it otherwise.
    void Archivo()
    {
        EntornoPrueba entorno;
        QVERIFY(!EscribirINI("a]", "k", ""));
        QCOMPARE(LeerINI("Copyright", "Autor"), QString());
        QVERIFY(!EscribirINI("Copyright", {{"Autor", "Orbelan"}, {"a=b", "x"}}));
        QVERIFY(!QFile::exists(entorno.RutaIni()));
        QVERIFY(EscribirINI("Copyright", {{"Autor", "Orbelan"}, {"Date", "2005/12"}}));
        QCOMPARE(entorno.LeerIni(), "[Copyright]\nAutor=Orbelan\nDate=2005/12\n");
        entorno.EscribirIni("[Copyright]\r\nAutor = Orbelan \t\r\n");
        QCOMPARE(LeerINI("Copyright", "Date"), QString());
        QVERIFY(EscribirINI("Copyright", {{"autor", "Orbelan"}, {"Date", ""}}));
        const QByteArray original = "[Copyright]\r\nAutor = Orbelan \t\r\nDate=\r\n";
        QCOMPARE(entorno.LeerIni(), original);
        QVERIFY(QFile::setPermissions(entorno.RutaIni(), QFile::ReadOwner));
        QVERIFY(!EscribirINI("Copyright", "k", "2"));
        QVERIFY(QFile::setPermissions(entorno.RutaIni(), QFile::ReadOwner | QFile::WriteOwner));
        for (const auto senal : {SIG_IGN, SIG_DFL}) {
            const pid_t hijo = ::fork();
            if (hijo == 0) {
                const rlimit limite {1024, 1024};
                ::signal(SIGXFSZ, senal);
                ::_exit(::setrlimit(RLIMIT_FSIZE, &limite)
                        || EscribirINI("a", "k", QString(1024, u'x')));
            }
            int estado = 0;
            QVERIFY(::waitpid(hijo, &estado, 0) == hijo);
            QVERIFY(senal == SIG_IGN ? WIFEXITED(estado) && WEXITSTATUS(estado) == 0
                                     : WIFSIGNALED(estado) && WTERMSIG(estado) == SIGXFSZ);
            QCOMPARE(entorno.LeerIni(), original);
            if (senal == SIG_IGN)
                QCOMPARE(QDir(entorno.carpeta.path()).entryList(QDir::Files | QDir::Hidden),
                         {"Trebolero.ini"});
        }
    }
};

QTEST_APPLESS_MAIN(PruebaModINIer)
#include "tst_modINIer.moc"

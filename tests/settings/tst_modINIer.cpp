#include "settings/modINIer.h"

#include "support/EntornoPrueba.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
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

Q_DECLARE_METATYPE(EstadoINI)

class PruebaModINIer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // One text with every reading rule, read in each encoding and line ending:
    // each section's keys as Seccion lists them, joined as "name=value|", and
    // each as Leer finds it by its name in other letter case and blanks.
    void Leer()
    {
        const QString texto = QString::fromUtf16(
            u"k=0\n[ Año ]x\n K \t= v w \t\nD=\" x \"\nS=' y '\nE=''\nM='x\"\nU=\"x\n"
            u";c=1\n #c=2\nC=3\nR=1\nr=2\nn\nZ=x=y\nÑ=€\n[b]\n[c=4\n[año]\nw=2\n[]\nk=3\n"
            u"[d\n[d]\nk=5\n[e]x]\nk=6");
        const auto con = [&](const char *salto) {
            return QString(texto).replace(u'\n', QLatin1StringView(salto));
        };
        const std::pair<const char16_t *, const char16_t *> secciones[]
            = {{u" aÑO\t", u"K=v w|D= x |S= y |E=|M='x\"|U=\"x|C=3|R=1|Z=x=y|Ñ=€|"},
               {u"B", u"[c=4|"},
               {u"", u"k=3|"},
               {u"d", u"k=5|"},
               {u"e]x", u"k=6|"}};
        for (const QByteArray &bytes :
             {texto.toUtf8(), Marcado("UTF-8", con("\r\n")), Marcado("windows-1252", con("\r")),
              Marcado("UTF-16LE", con("\r\n")), Marcado("UTF-16BE", texto)}) {
            const DocumentoIni documento(bytes);
            for (const auto &[seccion, claves] : secciones) {
                QString unidas;
                for (const auto &[clave, valor] : documento.Seccion(seccion)) {
                    unidas += clave.toString() + u'=' + valor.toString() + u'|';
                    QCOMPARE(documento.Leer(seccion, u' ' + clave.toString().toLower() + u'	'),
                             valor);
                }
                QCOMPARE(unidas, QString::fromUtf16(claves));
            }
        }
    }

    // A write into section "a" with no result is refused: it could not be
    // read back as given.
    void Escribir()
    {
        // Written after "[a]\n" and before "\n", all but 8 of it makes a
        // text that "k=2" takes one byte over the size limit.
        const QByteArray relleno(DocumentoIni::TamanoMaximo, ';');
        const std::tuple<QByteArray, QString, QString, QByteArray> escrituras[] = {
            {"; c\r\n[A]\r\n  Total =  1 ; x\r\n\r\n[O]\r\n", "total", "2",
             "; c\r\n[A]\r\n  Total =  2\r\n\r\n[O]\r\n"},
            {"[a]\nx=1\n;\n\n[b]\n[a]\nk=2\n", "k", "v", "[a]\nx=1\n;\nk=v\n\n[b]\n[a]\nk=2\n"},
            {"[b]\r\nx=1", "k", "v", "[b]\r\nx=1\r\n[a]\r\nk=v\r\n"},
            {"[a]\rk=1\r", "k", " x\t", "[a]\rk=\" x\t\"\r"},
            {"[a]\nk=1\n", "x\ny", "\"a\r\nb\"", "[a]\nk=1\nx y=\"\"a  b\"\"\n"},
            {"[a]\nk=\xF1\n", "k", "€ú", "[a]\nk=\x80\xFA\n"},
            {"[a]\nk=\xF1\n", "k", "\u4E00", {}},
            {"[a]\nk=\xF1\nj=\xC3\xA9\n", "k", "n", {}},
            {Marcado("UTF-16LE", "[a]\r\nk=1\r\n;ñ"), "k", "\u4E00",
             Marcado("UTF-16LE", "[a]\r\nk=\u4E00\r\n;ñ")},
            {Marcado("UTF-16BE", "[b]"), "k", "'q'", Marcado("UTF-16BE", "[b]\n[a]\nk=\"'q'\"\n")},
            {Marcado("UTF-16LE", "[a]\nk=1\n") + 'x', "k", "2", {}},
            {"[a\n[a]\nk=1\n", "k", "2", "[a\n[a]\nk=2\n"},
            {"[a]\n", "k", QString(QChar(0)), {}},
            {"[a]\n" + relleno.sliced(8) + "\n", "k", "2", {}},
            {"[a]\nk=1\n" + relleno, "k", "2", {}}};
        for (const auto &[antes, clave, valor, despues] : escrituras) {
            const auto escrito = DocumentoIni(antes).Escribir(u"a", clave, valor);
            QCOMPARE(escrito ? escrito->Contenido() : QByteArray(), despues);
        }
    }

    // A refused write never creates the file, keys written together are all
    // stored or none, and a value that already reads back keeps its line. A
    // read-only file (even for root), a full disk and a save killed half-way
    // leave the file as it was: a child whose files may not grow past 1 KiB
    // fails the write with SIGXFSZ ignored, and is killed by it otherwise.
    void Archivo()
    {
        EntornoPrueba entorno;
        QVERIFY(!EscribirINI("a", "[k]", ""));
        QVERIFY(!EscribirINI("Copyright", {{"Autor", "Orbelan"}, {"a=b", "x"}}));
        QVERIFY(!QFile::exists(entorno.RutaIni()));
        QVERIFY(EscribirINI("Copyright", {{"Autor", "Orbelan"}, {"Date", "2005/12"}}));
        QCOMPARE(entorno.LeerIni(), "[Copyright]\nAutor=Orbelan\nDate=2005/12\n");
        entorno.EscribirIni("[Copyright]\r\nAutor = Orbelan \t\r\n");
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

    // A file that is too large, or whose text would not read back, is never
    // read into the program nor written; a link is written through to its
    // target, and one that leads nowhere is never replaced.
    void Estados_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("enlace"); // the link's target when the file is a link
        QTest::addColumn<EstadoINI>("estado");
        const QByteArray texto = "[a]\nk=1\n";
        QTest::newRow("17 MiB") << texto + QByteArray(17 << 20, ';') << QString()
                                << EstadoINI::DemasiadoGrande;
        QTest::newRow("UTF-32") << Marcado("UTF-32LE", texto) << QString() << EstadoINI::Ilegible;
        QTest::newRow("UTF-16 sin marca")
            << QByteArray(QStringEncoder(QStringConverter::Utf16BE).encode(texto)) << QString()
            << EstadoINI::Ilegible;
        QTest::newRow("NUL") << texto + '\0' << QString() << EstadoINI::Ilegible;
        QTest::newRow("enlace a un fichero") << texto << QString("real.ini") << EstadoINI::Legible;
        QTest::newRow("enlace en bucle")
            << QByteArray() << QString("Trebolero.ini") << EstadoINI::Ilegible;
        QTest::newRow("enlace roto") << QByteArray() << QString("falta.ini") << EstadoINI::Ilegible;
    }

    void Estados()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, enlace);
        QFETCH(EstadoINI, estado);
        EntornoPrueba entorno;
        QVERIFY(enlace.isEmpty() || QFile::link(enlace, entorno.RutaIni()));
        if (!bytes.isEmpty())
            entorno.EscribirIni(bytes);
        const bool legible = estado == EstadoINI::Legible;
        QCOMPARE(LeerDocumentoINI().Estado(), estado);
        QCOMPARE(EscribirINI("a", "k", "2"), legible);
        QCOMPARE(entorno.LeerIni(), legible ? "[a]\nk=2\n" : bytes);
        QCOMPARE(QFileInfo(entorno.RutaIni()).isSymLink(), !enlace.isEmpty());
    }

    // Two copies of the program writing one file at once, one inserting keys
    // and the other changing a key that is there, lose no write. A lock held
    // by another writer makes a write fail and change nothing.
    void DosProcesos()
    {
        constexpr int Rondas = 20;
        EntornoPrueba entorno;
        entorno.EscribirIni("[a]\nc=0\n");
        pid_t hijos[2];
        for (int hijo = 0; hijo < 2; ++hijo) {
            hijos[hijo] = ::fork();
            if (hijos[hijo] == 0) {
                bool escritas = true;
                for (int ronda = 1; ronda <= Rondas && escritas; ++ronda) {
                    const QString valor = QString::number(ronda);
                    escritas = EscribirINI("a", hijo ? u'n' + valor : QString("c"), valor);
                }
                ::_exit(!escritas);
            }
        }
        QByteArray esperado = "[a]\nc=" + QByteArray::number(Rondas) + '\n';
        for (int ronda = 1; ronda <= Rondas; ++ronda)
            esperado += 'n' + QByteArray::number(ronda) + '=' + QByteArray::number(ronda) + '\n';
        for (const pid_t hijo : hijos) {
            int estado = 0;
            QVERIFY(::waitpid(hijo, &estado, 0) == hijo && WIFEXITED(estado));
            QCOMPARE(WEXITSTATUS(estado), 0);
        }
        QCOMPARE(entorno.LeerIni(), esperado);
        QLockFile cerrojo(entorno.RutaIni() + ".lock");
        QVERIFY(cerrojo.lock());
        QVERIFY(!EscribirINI("a", "n1", "2"));
        QCOMPARE(entorno.LeerIni(), esperado);
    }
};

QTEST_APPLESS_MAIN(PruebaModINIer)
#include "tst_modINIer.moc"

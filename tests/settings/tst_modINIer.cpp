#include "settings/modINIer.h"

#include "support/EntornoPrueba.h"

#include <QTemporaryFile>
#include <QTest>

class PruebaModINIer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void PrimerArranque();
    void OtroNombre();
    void EscribeSoloLoNecesario();
    void EdicionAMano();
    void CarpetaQueEsUnArchivo();
    void MuchasCombinaciones();
    void Vistazo();
    void EscrituraSinCambios();
};

void PruebaModINIer::PrimerArranque()
{
    EntornoPrueba entorno;
    QCOMPARE(LeerINI("Combinaciones", "Total"), QString());
    QVERIFY(!entorno.ExisteIni());

    QVERIFY(EscribirINI("Copyright", "Autor", "Orbelan"));
    QVERIFY(EscribirINI("Copyright", "Date", "2005/12"));
    QCOMPARE(entorno.LeerIni(), "[Copyright]\nAutor=Orbelan\nDate=2005/12\n");

    QVERIFY(EscribirINI("Combinaciones", "Total", "1"));
    QCOMPARE(LeerINI("Combinaciones", "Total"), "1");
    QCOMPARE(LeerINI("Copyright", "Autor"), "Orbelan");
}

void PruebaModINIer::OtroNombre()
{
    QTemporaryDir carpeta;
    EscritorioGrabador escritorio(carpeta.path(), "Otro");
    QVERIFY(EscribirINI("a", "k", "v"));
    QVERIFY(QFile::exists(carpeta.filePath("Otro.ini")));
    QCOMPARE(LeerINI("a", "k"), "v");
}

void PruebaModINIer::EscribeSoloLoNecesario()
{
    EntornoPrueba entorno;
    entorno.EscribirIni("; Apuestas\r\n[Combinaciones]\r\nTotal = 2\r\nC1=03-17-22-41-50-E2-8\r\n"
                        "C2=x\r\nC3=01-02-03-04-05-E1-2\r\n\r\n[Ma\xF1"
                        "ana]\r\nnota=caf\xE9\r\n");
    QVERIFY(EscribirINI("Combinaciones", "Total", "3"));
    QVERIFY(EscribirINI("Combinaciones", "C4", "00-00-00-00-00-E0-0"));
    QVERIFY(EscribirINI("Mañana", "Nota", "té"));
    QCOMPARE(entorno.LeerIni(),
             "; Apuestas\r\n[Combinaciones]\r\nTotal = 3\r\nC1=03-17-22-41-50-E2-8\r\n"
             "C2=x\r\nC3=01-02-03-04-05-E1-2\r\nC4=00-00-00-00-00-E0-0\r\n\r\n[Ma\xF1"
             "ana]\r\nnota=t\xE9\r\n");
    QCOMPARE(LeerINI("combinaciones", "c3"), "01-02-03-04-05-E1-2");
}

// The edits keep the size and follow each other within the same second, so
// only the finer stamps tell them apart. The value is longer than the 254
// characters that older readers kept.
void PruebaModINIer::EdicionAMano()
{
    EntornoPrueba entorno;
    QString valor = QString("0123456789").repeated(30);
    entorno.EscribirIni("[a]\nk=" + valor.toLatin1() + "\n");
    QCOMPARE(LeerINI("a", "k"), valor);
    valor[299] = u'0';
    entorno.EscribirIni("[a]\nk=" + valor.toLatin1() + "\n");
    QCOMPARE(LeerINI("a", "k"), valor);

    QVERIFY(EscribirINI("a", "k", "3333"));
    QCOMPARE(LeerINI("a", "k"), "3333");
    entorno.EscribirIni("[a]\nk=4444\n");
    QCOMPARE(LeerINI("a", "k"), "4444");

    QVERIFY(QFile::remove(entorno.RutaIni()));
    QCOMPARE(LeerINI("a", "k"), QString());
}

void PruebaModINIer::CarpetaQueEsUnArchivo()
{
    QTemporaryFile archivo;
    QVERIFY(archivo.open());
    archivo.write("x");
    archivo.flush();

    EscritorioGrabador escritorio(archivo.fileName());
    QVERIFY(!EscribirINI("a", "k", "v"));
    QCOMPARE(LeerINI("a", "k"), QString());
    QVERIFY(archivo.seek(0));
    QCOMPARE(archivo.readAll(), "x");
}

// Listing every stored bet reads the file once per key, reusing the parsed
// file; by its end the file's stamp is old enough to be trusted, so a later
// edit of the same size must still be seen.
void PruebaModINIer::MuchasCombinaciones()
{
    constexpr int total = 32767;
    QByteArray contenido = "[Combinaciones]\nTotal=32767\n";
    for (int n = 1; n <= total; ++n)
        contenido += "C" + QByteArray::number(n) + "=03-17-22-41-50-E2-"
            + QByteArray::number(n % 10) + "\n";
    EntornoPrueba entorno;
    entorno.EscribirIni(contenido);

    QCOMPARE(LeerINI("Combinaciones", "Total"), "32767");
    for (int n = 1; n <= total; ++n) {
        const QString esperado = "03-17-22-41-50-E2-" + QString::number(n % 10);
        QCOMPARE(LeerINI("Combinaciones", "C" + QString::number(n)), esperado);
    }

    entorno.EscribirIni(contenido.replace("C1=03", "C1=09"));
    QCOMPARE(LeerINI("Combinaciones", "C1"), "09-17-22-41-50-E2-1");
}

// Inside a look the reads see the file as its first read found it, nested
// looks included. A write still starts from the disk, so a change made
// meanwhile is kept, and the reads after it see the file it wrote. Once the
// look ends, the next read sees the disk again.
void PruebaModINIer::Vistazo()
{
    EntornoPrueba entorno;
    {
        const VistazoINI vistazo;
        QCOMPARE(LeerINI("a", "k"), QString());
        entorno.EscribirIni("[a]\nk=1\n");
        QCOMPARE(LeerINI("a", "k"), QString());
    }
    QCOMPARE(LeerINI("a", "k"), "1");
    {
        const VistazoINI vistazo;
        QCOMPARE(LeerINI("a", "k"), "1");
        entorno.EscribirIni("[a]\nk=2\nj=x\n");
        {
            const VistazoINI interior;
            QCOMPARE(LeerINI("a", "k"), "1");
        }
        QCOMPARE(LeerINI("a", "k"), "1");
        QVERIFY(EscribirINI("a", "n", "3"));
        QCOMPARE(entorno.LeerIni(), "[a]\nk=2\nj=x\nn=3\n");
        QCOMPARE(LeerINI("a", "j"), "x");
        entorno.EscribirIni("[a]\nk=4\n");
        QCOMPARE(LeerINI("a", "k"), "2");
    }
    QCOMPARE(LeerINI("a", "k"), "4");
}

// Storing the value that already reads back leaves the file's bytes alone;
// an empty value still creates its key.
void PruebaModINIer::EscrituraSinCambios()
{
    EntornoPrueba entorno;
    entorno.EscribirIni("[a]\nk = \" v\"\n");
    QVERIFY(EscribirINI("a", "k", " v"));
    QCOMPARE(entorno.LeerIni(), "[a]\nk = \" v\"\n");
    QVERIFY(EscribirINI("a", "vacia", ""));
    QCOMPARE(entorno.LeerIni(), "[a]\nk = \" v\"\nvacia=\n");
    QCOMPARE(LeerINI("a", "k"), " v");
}

QTEST_APPLESS_MAIN(PruebaModINIer)
#include "tst_modINIer.moc"

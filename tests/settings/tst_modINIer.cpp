#include "settings/modINIer.h"

#include "support/EntornoPrueba.h"

#include <QDateTime>
#include <QFileInfo>
#include <QTest>

class PruebaModINIer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void PrimerArranque_data();
    void PrimerArranque();
    void EscribeSoloLoNecesario();
    void EdicionAMano();
    void Vistazo();
    void LecturaAdelantada();
};

// The file is named after the program, and a read never creates it. Keys
// written together are all stored or none: a name holding "=" cannot be. The
// start's write creates a missing file, and fills an empty one as any write.
void PruebaModINIer::PrimerArranque_data()
{
    QTest::addColumn<bool>("vacio");
    QTest::newRow("sin fichero") << false;
    QTest::newRow("fichero vacío") << true;
}

void PruebaModINIer::PrimerArranque()
{
    QFETCH(bool, vacio);
    EntornoPrueba entorno("Otro");
    if (vacio)
        entorno.EscribirIni({});
    QCOMPARE(LeerINI("Copyright", "Autor"), QString());
    QCOMPARE(QFile::exists(entorno.RutaIni()), vacio);
    QVERIFY(!EscribirINIAlArrancar({"Copyright", {{"Autor", "Orbelan"}, {"a=b", "x"}}}));
    QCOMPARE(QFile::exists(entorno.RutaIni()), vacio);
    QVERIFY(EscribirINIAlArrancar({"Copyright", {{"Autor", "Orbelan"}, {"Date", "2005/12"}}}));
    QCOMPARE(entorno.LeerIni(), "[Copyright]\nAutor=Orbelan\nDate=2005/12\n");
    QCOMPARE(LeerINI("Copyright", "Date"), "2005/12");
}

// A value that already reads back leaves its line alone; an empty one still
// creates its key.
void PruebaModINIer::EscribeSoloLoNecesario()
{
    EntornoPrueba entorno;
    entorno.EscribirIni("; Apuestas\r\n[Combinaciones]\r\nTotal = 2\r\nC2=\" x\"\r\n\r\n"
                        "[Ma\361ana]\r\nnota=caf\xE9\r\n");
    QVERIFY(EscribirINI("Combinaciones", "Total", "3"));
    QVERIFY(EscribirINI("Combinaciones", "C4", "00-00-00-00-00-E0-0"));
    QVERIFY(EscribirINI("combinaciones", "c2", " x"));
    QVERIFY(EscribirINI("Mañana", "Nota", "té"));
    QVERIFY(EscribirINI("Mañana", "vacia", ""));
    QCOMPARE(entorno.LeerIni(),
             "; Apuestas\r\n[Combinaciones]\r\nTotal = 3\r\nC2=\" x\"\r\n"
             "C4=00-00-00-00-00-E0-0\r\n\r\n[Ma\361ana]\r\nnota=t\xE9\r\nvacia=\r\n");
}

// Every edit keeps the file's size. The first one comes after a pause, when
// the copy read is old enough to be trusted while the file's stamp stays; the
// one after the write comes at once, within the same stamp. The value is
// longer than the 254 characters that older readers kept.
void PruebaModINIer::EdicionAMano()
{
    EntornoPrueba entorno;
    QString valor = QString("0123456789").repeated(30);
    entorno.EscribirIni("[a]\nk=" + valor.toLatin1() + "\n");
    // Until the file's last change is old enough for its stamp to be trusted.
    const QDateTime cambio = QFileInfo(entorno.RutaIni()).metadataChangeTime();
    QVERIFY(QTest::qWaitFor([&] { return cambio.msecsTo(QDateTime::currentDateTime()) > 40; }));
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

// Inside a look the reads see the file as its first read found it, nested
// looks included. A write still starts from the disk, so a change made
// meanwhile is kept, and the reads after it see the file it wrote. Once the
// look ends, the next read sees the disk again.
void PruebaModINIer::Vistazo()
{
    EntornoPrueba entorno;
    entorno.EscribirIni("[a]\nk=1\n");
    {
        const VistazoINI vistazo;
        QCOMPARE(LeerINI("a", "k"), "1");
        entorno.EscribirIni("[a]\nk=2\nj=x\n");
        {
            const VistazoINI interior;
        }
        QCOMPARE(LeerINI("a", "k"), "1");
        QVERIFY(EscribirINI("a", "n", "3"));
        QCOMPARE(entorno.LeerIni(), "[a]\nk=2\nj=x\nn=3\n");
        entorno.EscribirIni("[a]\nk=4\n");
        QCOMPARE(LeerINI("a", "k"), "2");
    }
    QCOMPARE(LeerINI("a", "k"), "4");
}

// A read made ahead stands for the file only while the file is as it was
// read: an edit made meanwhile is seen whatever its size and whenever the
// read ran, and the work done on the read stands as long as the bytes it ran
// on are the file's; a read made ahead of another program folder, or of a
// small file, is not used.
void PruebaModINIer::LecturaAdelantada()
{
    // Only a file this long is worth a thread.
    const QByteArray relleno = "; " + QByteArray(64 * 1024, 'x') + "\n[a]\nk=";
    EntornoPrueba entorno;
    for (const char *valor : {"22", "3"}) {
        entorno.EscribirIni(relleno + "1\n");
        AdelantarLecturaINI();
        entorno.EscribirIni(relleno + valor + '\n');
        QCOMPARE(LeerINI("a", "k"), valor);
    }
    AdelantarLecturaINI();
    QVERIFY(!LecturaAdelantadaVigente());
    for (const char *valor : {"1", "22"}) {
        entorno.EscribirIni(relleno + "1\n");
        QString leido;
        AdelantarLecturaINI([&leido](const LectorINI &leer) { leer(u"A", u"K", leido); });
        QVERIFY(LecturaAdelantadaVigente());
        QCOMPARE(leido, "1");
        entorno.EscribirIni(relleno + valor + '\n');
        QCOMPARE(LeerINI("a", "k"), valor);
        QCOMPARE(LecturaAdelantadaVigente(), leido == valor);
    }
    // Work done on the file as the start's write will leave it counts once
    // that write is made, and not before; that write keeps an edit made on
    // disk meanwhile.
    const EscrituraINI autoria {"Copyright", {{"Autor", "Orbelan"}}};
    for (const QString caso : {"escrita", "editada", "sin escribir"}) {
        entorno.EscribirIni(relleno + "1\n");
        QString leido;
        AdelantarLecturaINI(
            [&leido](const LectorINI &leer) { leer(u"Copyright", u"Autor", leido); }, autoria);
        QVERIFY(!LecturaAdelantadaVigente());
        QCOMPARE(leido, "Orbelan");
        if (caso == "editada")
            entorno.EscribirIni(relleno + "22\n");
        QVERIFY(caso == "sin escribir" || EscribirINIAlArrancar(autoria));
        QCOMPARE(LecturaAdelantadaVigente(), caso == "escrita");
        QCOMPARE(LeerINI("a", "k"), caso == "editada" ? "22" : "1");
        QCOMPARE(LeerINI("Copyright", "Autor"), caso == "sin escribir" ? "" : "Orbelan");
    }
    AdelantarLecturaINI([](const LectorINI &) {});
    EntornoPrueba otro;
    otro.EscribirIni("[a]\nk=otra\n");
    QCOMPARE(LeerINI("a", "k"), "otra");
    QVERIFY(!LecturaAdelantadaVigente());
    otro.EscribirIni(relleno.left(1000) + "1\n");
    bool trabajado = false;
    AdelantarLecturaINI([&trabajado](const LectorINI &) { trabajado = true; });
    QVERIFY(!LecturaAdelantadaVigente());
    QVERIFY(!trabajado);
}

QTEST_APPLESS_MAIN(PruebaModINIer)
#include "tst_modINIer.moc"

#include "mail/ComponerMail.h"

#include <QTest>
#include <QUrl>
#include <QUrlQuery>

class TstComponerMail : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The body of one checked bet, and its heading without a date.
    void cuerpo()
    {
        QCOMPARE(ComponerCuerpo("2005-12-02", {"3", "15", "22", "38", "49", "2", "7"},
                                {{1, {3, 15, 20, 38, 44, 2, 5}, {3, 1}}}),
                 "Resultados del Euromillón (2005-12-02)\n\nNúmeros premiados:\n3,15,22,38,49 - "
                 "2,7\n\nResultados:\n01: 03,15,20,38,44 - 2,5 -> 3+1\n");
        QCOMPARE(ComponerCuerpo({}, {}, {}).section(u'\n', 0, 0), "Resultados del Euromillón");
        QCOMPARE(DireccionMail(AsuntoResultados(), "Euromillón (1)\n"),
                 "mailto:?subject=Trebolero&body=Euromill%C3%B3n%20(1)%0D%0A");
    }

    // Whatever the texts hold, the address has one subject and one body, no
    // recipient, and each reads back whole; line breaks are CR LF in the
    // address and LF on the clipboard.
    void hostil_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::newRow("cabeceras") << "x&to=a@b.c&cc=d@e.f?bcc=g@h.i";
        QTest::newRow("fragmento y escapes") << "#frag %0d%0a%41 +b";
        QTest::newRow("saltos mezclados") << "a\rb\nc\r\nd\n\re";
        QTest::newRow("no ASCII") << "Euromillón €\u0301 \U0001F340";
    }

    void hostil()
    {
        QFETCH(QString, texto);
        const QString lf = QString(texto).replace("\r\n", "\n").replace(u'\r', u'\n');
        const QString crlf = QString(lf).replace(u'\n', "\r\n");
        const QUrl url(DireccionMail(texto, texto), QUrl::StrictMode);
        QCOMPARE(url.toString(QUrl::RemoveQuery), "mailto:");
        QCOMPARE(QUrlQuery(url).queryItems(QUrl::FullyDecoded),
                 (QList<std::pair<QString, QString>> {{"subject", crlf}, {"body", crlf}}));
        QCOMPARE(TextoPortapapeles(texto, texto), lf + u'\n' + lf);
    }
};

QTEST_APPLESS_MAIN(TstComponerMail)
#include "tst_componermail.moc"

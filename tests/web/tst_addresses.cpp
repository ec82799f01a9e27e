// The addresses the web features open: every message reaches the page as
// typed, whatever it holds.
#include "web/addresses.h"

#include <QTest>
#include <QUrl>
#include <QUrlQuery>

using namespace velmora;

Q_DECLARE_METATYPE(velmora::PictureCode)

class TstAddresses : public QObject
{
    Q_OBJECT
private slots:
    void codePage_data();
    void codePage();
    void siteAndVersion();
};

void TstAddresses::codePage_data()
{
    QTest::addColumn<PictureCode>("code");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("expected");
    const QString base = QStringLiteral("http://127.0.0.1:8080");
    QTest::newRow("untouched gato box") << PictureCode::Gato << "Votre Message ICI\r\n"
                                        << base + "/codes/gato/transgato.php3?texte=Votre%20Message%20ICI%0D%0A";
    QTest::newRow("empty semaphore") << PictureCode::Semaphore << ""
                                     << base + "/codes/semaphore/transsemaphore.php3?texte=";
    QTest::newRow("characters a query would eat")
        << PictureCode::Mers << "a&b#c%d+e\r\nf" << base + "/codes/mers/transmers.php3?texte=a%26b%23c%25d%2Be%0D%0Af";
    QTest::newRow("unreserved kept") << PictureCode::Gato << "AZaz09-._~"
                                     << base + "/codes/gato/transgato.php3?texte=AZaz09-._~";
    QTest::newRow("accents as UTF-8") << PictureCode::Gato << "é€"
                                      << base + "/codes/gato/transgato.php3?texte=%C3%A9%E2%82%AC";
    QTest::newRow("equals and question mark")
        << PictureCode::Gato << "x=1?y" << base + "/codes/gato/transgato.php3?texte=x%3D1%3Fy";
}

void TstAddresses::codePage()
{
    QFETCH(PictureCode, code);
    QFETCH(QString, message);
    QFETCH(QString, expected);
    const QString address = codePageAddress(QStringLiteral("http://127.0.0.1:8080"), code, message);
    QCOMPARE(address, expected);
    // Whatever the message, the query gives it back whole, as one key.
    const QUrlQuery query(QUrl(address, QUrl::StrictMode));
    QCOMPARE(query.queryItems().size(), 1);
    QCOMPARE(query.queryItemValue(QStringLiteral("texte"), QUrl::FullyDecoded), message);
}

void TstAddresses::siteAndVersion()
{
    const QString base = QStringLiteral("http://site.example");
    QCOMPARE(siteHomeAddress(base), QStringLiteral("http://site.example/"));
    QCOMPARE(siteContactAddress(base), QStringLiteral("http://site.example/Contact/form.php3"));
    QCOMPARE(versionPageAddress(base), QStringLiteral("http://site.example/version/?ver=" VELMORA_VERSION));
}

QTEST_APPLESS_MAIN(TstAddresses)
#include "tst_addresses.moc"

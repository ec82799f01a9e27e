#include "web/addresses.h"

#include <QByteArray>

namespace velmora {

QByteArray percentEncodeMessage(const QString &message)
{
    // toPercentEncoding keeps exactly the unreserved characters of RFC 3986.
    return message.toUtf8().toPercentEncoding();
}

QString codePagePath(PictureCode code)
{
    switch (code) {
    case PictureCode::Gato:
        return QStringLiteral("/codes/gato/transgato.php3?texte=");
    case PictureCode::Mers:
        return QStringLiteral("/codes/mers/transmers.php3?texte=");
    case PictureCode::Semaphore:
        return QStringLiteral("/codes/semaphore/transsemaphore.php3?texte=");
    }
    return {};
}

QString codePageAddress(const QString &base, PictureCode code, const QString &message)
{
    return base + codePagePath(code) + QString::fromLatin1(percentEncodeMessage(message));
}

} // namespace velmora

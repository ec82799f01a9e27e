#include "web/addresses.h"

#include "render/page_paths.h"

#include <QByteArray>

namespace velmora {

QByteArray percentEncodeMessage(const QString &message)
{
    // toPercentEncoding keeps exactly the unreserved characters of RFC 3986.
    return message.toUtf8().toPercentEncoding();
}

namespace {

QString latin1(std::string_view text)
{
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

} // namespace

// The paths are the rendering service's own (render/page_paths.h).
QString codePagePath(PictureCode code)
{
    std::string_view path;
    switch (code) {
    case PictureCode::Gato:
        path = pagepaths::kGato;
        break;
    case PictureCode::Mers:
        path = pagepaths::kMers;
        break;
    case PictureCode::Semaphore:
        path = pagepaths::kSemaphore;
        break;
    }
    return latin1(path) + QLatin1Char('?') + latin1(pagepaths::kMessageKey) + QLatin1Char('=');
}

QString siteHomeAddress(const QString &base)
{
    return base + latin1(pagepaths::kHome);
}

QString siteContactAddress(const QString &base)
{
    return base + latin1(pagepaths::kContact);
}

QString versionPageAddress(const QString &base)
{
    return base + latin1(pagepaths::kVersion) + QLatin1Char('?') + latin1(pagepaths::kVersionKey) + QLatin1Char('=') +
           QStringLiteral(VELMORA_VERSION);
}

QString codePageAddress(const QString &base, PictureCode code, const QString &message)
{
    return base + codePagePath(code) + QString::fromLatin1(percentEncodeMessage(message));
}

} // namespace velmora

// The addresses of the web pages the program opens.
#pragma once

#include "ui/picturecode.h"
#include "velmora_config.h"

#include <QString>

namespace velmora {

// The message as it travels in a query: UTF-8, every byte but the unreserved
// characters (A-Z a-z 0-9 - . _ ~) percent-encoded, so "&", "#", "%", "+",
// blanks and line breaks all reach the page as typed.
QByteArray percentEncodeMessage(const QString &message);

// "/codes/gato/transgato.php3?texte=", and likewise for the other codes.
QString codePagePath(PictureCode code);

// base ("http://host[:port]") + the code page's path + the encoded message.
QString codePageAddress(const QString &base, PictureCode code, const QString &message);

QString siteHomeAddress(const QString &base);
QString siteContactAddress(const QString &base);
// The update check asks for the version this program is.
QString versionPageAddress(const QString &base);

} // namespace velmora

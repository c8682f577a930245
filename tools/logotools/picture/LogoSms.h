#pragma once

// The SMS a picture of the editor goes as: the document's kind chooses the
// Smart Messaging content, its network and text go with it.

#include "phone/LogoMessage.h"
#include "tools/logotools/picture/LogoDocument.h"

namespace brivello::logotools {

phone::LogoPixels pixelsOf(const QImage &picture);
// The message for `document`, or why there is none in Italian (an operator
// logo with no network picked, a picture of the wrong size).
phone::LogoMessage smsFor(const LogoDocument &document);

} // namespace brivello::logotools

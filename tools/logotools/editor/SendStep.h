#pragma once

#include "tools/logotools/picture/LogoDocument.h"

#include <QString>

class QWidget;

namespace brivello::logotools {

// A way to hand the picture on to a phone: as an SMS, or by cable. The
// editor window shows one button per step it was given, for the kinds of
// picture the step takes, and starts the step with the document as it stands
// (its picture, the network of an operator logo, the text of a picture
// message). A window given no steps shows no such button.
class SendStep
{
public:
    virtual ~SendStep() = default;
    // The button's text: "Invia come SMS...".
    virtual QString buttonText() const = 0;
    virtual bool takes(LogoKind kind) const = 0;
    // Runs the step for the user, from `window`; it tells its own outcome.
    virtual void start(const LogoDocument &document, QWidget *window) = 0;
};

} // namespace brivello::logotools

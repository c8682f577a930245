#pragma once

#include "tools/mkdisc/DiscCatalogue.h"

#include <QHash>
#include <QString>

namespace brivello::mkdisc {

struct AssemblyInputs
{
    QString sourceFolder; // sampledisc/: catalogue/, pages/, tools/
    QString discFolder;   // where the disc is assembled, beside the program
    QString toolDemo;     // the program that stands for every tool started from the disc
    QString smsTool;      // the SMS tool
    // Real programs for tools started from the disc, by the tool's `start`
    // name (compared without letter case); every other such tool gets the demo.
    QHash<QString, QString> toolPrograms;
};

// Writes the whole disc below inputs.discFolder: datafiles/ringtones.dat, a
// recording per ringtone, the rich-text pages as .dat files, links.htm, a
// folder per tool and the SMS tool. Recordings and pages left from earlier
// runs whose source is gone are removed; the tools folder is made anew.
bool assembleDisc(const DiscCatalogue &catalogue, const AssemblyInputs &inputs, QString *error);

// The bytes of an 8 kHz recording of `tune`, as the disc carries it.
QByteArray recordingOf(const melody::Melody &tune);

// The sample rate of the disc's recordings: a phone buzzer needs no more.
inline constexpr int recordingSampleRate = 8000;

} // namespace brivello::mkdisc

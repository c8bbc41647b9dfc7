#pragma once
// The words the pictures carry, kept in one place so that the side bar, the
// title screen and the About box agree.

#include <QString>

class ArtText {
public:
    static QString ProductName() { return QStringLiteral("Veloria"); }
    static QString Version() { return QStringLiteral("Version 3.2"); }
    static QString Notice() { return QStringLiteral("Veloria 3.2"); }
    static QString Tagline() { return QStringLiteral("The training log for athletes"); }
};

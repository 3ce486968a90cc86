#pragma once

#include "ui/HelpDesk.h"

#include <QVariant>
#include <QVariantList>

// Stands in for the help viewer: keeps every request, a number or a key. Installed for its
// lifetime.
class RecordingHelpDesk : public HelpDesk {
public:
    RecordingHelpDesk() { setHelpDesk(this); }
    ~RecordingHelpDesk() override { setHelpDesk(nullptr); }
    RecordingHelpDesk(const RecordingHelpDesk &) = delete;
    RecordingHelpDesk &operator=(const RecordingHelpDesk &) = delete;

    void showTopic(int contextNumber) override { requests << QVariant(contextNumber); }
    void showTopic(const QString &key) override { requests << QVariant(key); }
    QVariantList requests;
};

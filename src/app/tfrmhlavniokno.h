#pragma once

#include "app/buttoncaptions.h"
#include "lang/messagetable.h"
#include "storage/storagelocations.h"

#include <QMainWindow>

namespace tavrok {

class Clock;
class Questions;

class TfrmHlavniOkno : public QMainWindow {
    Q_OBJECT
public:
    TfrmHlavniOkno(const QString& executableFolder, Clock& clock, Questions& questions,
                   QWidget* parent = nullptr);

    StorageLocations& storage() { return storage_; }
    const MessageTable& messageTable() const { return messageTable_; }
    const ButtonCaptions& buttonCaptions() const { return buttonCaptions_; }

private:
    void formCreate(const QString& executableFolder);

    Clock& clock_;
    Questions& questions_;
    StorageLocations storage_;
    MessageTable messageTable_;
    ButtonCaptions buttonCaptions_;
};

} // namespace tavrok

#pragma once

#include "platform/desktopnotifications.h"

#include <QStringList>
#include <vector>

namespace tavrok::test {

// The desktop's side of the notifications: what was sent and taken back; a button is pressed with
// press(notice, button index).
class FakeDesktop final : public DesktopNotifications {
public:
    std::vector<Notice> sent;
    std::vector<quint64> withdrawn;
    quint64 send(const Notice& notice) override {
        sent.push_back(notice);
        return sent.size();
    }
    void withdraw(quint64 notice) override { withdrawn.push_back(notice); }
    QStringList captions(size_t i) const {
        QStringList c;
        for (const auto& [key, caption] : sent.at(i).buttons) {
            c << caption;
        }
        return c;
    }
    void press(quint64 notice, int button) { onButton(notice, sent.at(notice - 1).buttons.at(button).first); }
};

} // namespace tavrok::test

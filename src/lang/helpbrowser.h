#pragma once

#include <QWidget>

class QPushButton;
class QTextBrowser;

namespace tavrok {

// The help pages inside the program, for a desktop without a browser: the page, its links, back and
// forward (also Alt+Left and Alt+Right), and the contents.
class HelpBrowser : public QWidget {
    Q_OBJECT
public:
    explicit HelpBrowser(QWidget* parent = nullptr);
    void showPage(const QString& file);
    QString page() const;

private:
    QTextBrowser* browser_;
    QPushButton* back_;
    QPushButton* forward_;
    QPushButton* contents_;
};

} // namespace tavrok

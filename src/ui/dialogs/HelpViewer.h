#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace dravinor::ui {

// The help window: one HTML document per language, opened at a topic's
// anchor. A separate window, so opening it never changes the page shown.
class HelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent = nullptr);

    // Shows the document at path scrolled to the anchor; a missing document
    // is said in the window itself.
    void showTopic(const QString& path, const QString& anchor);

    QTextBrowser* browser() const { return browser_; }
    // The document shown, empty when it could not be read.
    QString document() const { return document_; }

private:
    QTextBrowser* browser_;
    QString document_;
};

}  // namespace dravinor::ui

#pragma once
// A browser pane of the web search window: it loads an address and tells the text selected in its
// page. With Qt WebEngine it is an embedded browser; a program built without it shows the address
// with a button that opens it in the system's browser.
#include <QUrl>
#include <QWidget>

namespace qh {

class Shell;

class WebPane : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    virtual void load(const QUrl& address) = 0;
    // The address last loaded; empty before the first.
    virtual QUrl address() const = 0;
    // The text selected in the page; empty when nothing is selected or no page was ever loaded.
    virtual QString selectedText() const = 0;
};

// The embedded browser where the program has one, otherwise the address pane.
WebPane* makeWebPane(Shell& shell, QWidget* parent);
// The pane of a program without an embedded browser.
WebPane* makeAddressPane(Shell& shell, QWidget* parent);

}  // namespace qh

#pragma once
// Drives a real window as the clerk does, finding every control by its object name only, so the
// pictures keep working however the window arranges its panels.
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <stdexcept>
#include <string>

class QAbstractItemView;
class QComboBox;
class QMenu;

namespace qh::shots {

// A control that is not there or a state the window never reached: no picture is made.
class ShotError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The program's top-level window called `name`; a ShotError when there is none.
QWidget& topLevelWindow(const QString& name);

class WindowDriver {
public:
    explicit WindowDriver(QWidget& window) : window_(window) {}

    QWidget& window() const { return window_; }

    // The window's child called `name`; a ShotError when it has none of that type.
    template <typename T = QWidget>
    T& find(const QString& name) const {
        if (auto* found = window_.findChild<T*>(name)) {
            return *found;
        }
        throw ShotError("no control " + name.toStdString() + " in " +
                        window_.objectName().toStdString());
    }
    QString text(const QString& label) const;
    bool shown(const QString& name) const;
    int rowCount(const QString& view) const;
    // A cell of a row, as the list shows it.
    QString rowText(const QString& view, int row, int column = 0) const;

    // Runs the window's events until `reached` holds; a ShotError naming `what` when it does not
    // within the time. Messages the window showed meanwhile are part of the error.
    void waitUntil(const std::string& what, const std::function<bool()>& reached,
                   int milliseconds = 30000) const;
    // Lets queued changes and paints through before a picture.
    void settle() const;

    void click(const QString& button) const;
    // The category tabs act on the press of the mouse.
    void press(const QString& button) const;
    void trigger(const QString& action) const;
    void typeInto(const QString& comboBox, const QString& text) const;
    void clickTab(const QString& tabWidget, int tab) const;
    void clickRow(const QString& view, int row) const;
    // A click on the row, then the double click, as the clerk makes it.
    void doubleClickRow(const QString& view, int row) const;
    void selectRows(const QString& view, int first, int last) const;
    void clearSelection(const QString& view) const;
    // The list's own right-click menu over `row`, left open; a ShotError when none opens.
    QMenu& openContextMenu(const QString& view, int row) const;
    // A right click on the window at `place`, on whatever control lies there.
    QMenu& rightClick(QPoint place) const;
    void openDropDown(const QString& comboBox) const;
    // The entry as the clerk picks it from the drop-down.
    void choose(const QString& comboBox, int entry) const;
    void closePopups() const;

    void recordMessage(const QString& text) { messages_ << text; }

private:
    QAbstractItemView& view(const QString& name) const;
    QMenu& openedMenu(const std::string& what) const;

    QWidget& window_;
    QStringList messages_;
};

}  // namespace qh::shots

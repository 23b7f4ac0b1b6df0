#include "window_driver.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDeadlineTimer>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

namespace qh::shots {

QWidget& topLevelWindow(const QString& name) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == name) {
            return *window;
        }
    }
    throw ShotError("no window " + name.toStdString());
}

QString WindowDriver::text(const QString& label) const {
    return find<QLabel>(label).text();
}

bool WindowDriver::shown(const QString& name) const {
    // On its tab page, whether or not that page is on screen.
    return !find(name).isHidden();
}

QAbstractItemView& WindowDriver::view(const QString& name) const {
    return find<QAbstractItemView>(name);
}

int WindowDriver::rowCount(const QString& name) const {
    return view(name).model()->rowCount();
}

QString WindowDriver::rowText(const QString& name, int row, int column) const {
    const auto* model = view(name).model();
    return model->data(model->index(row, column)).toString();
}

void WindowDriver::waitUntil(const std::string& what, const std::function<bool()>& reached,
                             int milliseconds) const {
    QDeadlineTimer deadline(milliseconds);
    while (!reached()) {
        if (deadline.hasExpired()) {
            std::string error = "the window did not reach: " + what;
            if (!messages_.isEmpty()) {
                error += " (it said: " + messages_.join(QStringLiteral(" / ")).toStdString() + ")";
            }
            throw ShotError(error);
        }
        QTest::qWait(10);
    }
}

void WindowDriver::settle() const {
    QTest::qWait(150);
}

void WindowDriver::click(const QString& button) const {
    find<QAbstractButton>(button).click();
}

void WindowDriver::press(const QString& button) const {
    QTest::mousePress(&find(button), Qt::LeftButton);
    QTest::mouseRelease(&find(button), Qt::LeftButton);
}

void WindowDriver::trigger(const QString& action) const {
    find<QAction>(action).trigger();
}

void WindowDriver::typeInto(const QString& comboBox, const QString& text) const {
    find<QComboBox>(comboBox).setEditText(text);
}

void WindowDriver::clickTab(const QString& tabWidget, int tab) const {
    QTabBar* bar = find<QTabWidget>(tabWidget).tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
}

void WindowDriver::clickRow(const QString& name, int row) const {
    auto& list = view(name);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                      list.visualRect(list.model()->index(row, 0)).center());
}

void WindowDriver::doubleClickRow(const QString& name, int row) const {
    auto& list = view(name);
    const QPoint place = list.visualRect(list.model()->index(row, 0)).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, place);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, place);
}

void WindowDriver::selectRows(const QString& name, int first, int last) const {
    auto& list = view(name);
    auto* model = list.model();
    list.setCurrentIndex(model->index(first, 0));
    list.selectionModel()->select(
        QItemSelection(model->index(first, 0), model->index(last, model->columnCount() - 1)),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void WindowDriver::clearSelection(const QString& name) const {
    view(name).clearSelection();
}

QMenu& WindowDriver::openContextMenu(const QString& name, int row) const {
    auto& list = view(name);
    const QPoint place = list.visualRect(list.model()->index(row, 0)).center();
    emit list.customContextMenuRequested(place);
    return openedMenu("the right-click menu of " + name.toStdString());
}

QMenu& WindowDriver::rightClick(QPoint place) const {
    QWidget* target = window_.childAt(place);
    if (target == nullptr) {
        target = &window_;
    }
    const QPoint local = target->mapFrom(&window_, place);
    QContextMenuEvent event(QContextMenuEvent::Mouse, local, target->mapToGlobal(local));
    QApplication::sendEvent(target, &event);
    return openedMenu("the window's right-click menu");
}

QMenu& WindowDriver::openedMenu(const std::string& what) const {
    waitUntil(what,
              [] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr; });
    return *qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

void WindowDriver::openDropDown(const QString& comboBox) const {
    find<QComboBox>(comboBox).showPopup();
    waitUntil("the drop-down of " + comboBox.toStdString(),
              [] { return QApplication::activePopupWidget() != nullptr; });
}

void WindowDriver::choose(const QString& comboBox, int entry) const {
    auto& box = find<QComboBox>(comboBox);
    if (entry >= box.count()) {
        throw ShotError(comboBox.toStdString() + " has no entry " + std::to_string(entry));
    }
    box.setCurrentIndex(entry);
    emit box.activated(entry);
}

void WindowDriver::closePopups() const {
    while (QWidget* popup = QApplication::activePopupWidget()) {
        // A drop-down's list is put away by its box, which then knows it is closed.
        if (auto* box = qobject_cast<QComboBox*>(popup->parentWidget())) {
            box->hidePopup();
        } else {
            popup->close();
        }
        QTest::qWait(10);
    }
}

}  // namespace qh::shots

#pragma once
// TCanSHuForm, the parameters window: the twelve unit prices and the input method of the keyword
// box. Made hidden at start-up, when it reads both settings; shown on demand and kept for the
// whole run. Prices saved here take effect at the next start, an input method at once.
#include <QWidget>
#include <array>
#include <functional>
#include <string>

#include "download/unit_price.h"
#include "library/category_table.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace qh {

class InputMethods;
class KeySounds;
class SettingsStore;

struct ParametersWindowServices {
    SettingsStore& settings;
    const InputMethods& inputMethods;
    KeySounds& keySounds;  // the main window's
};

class ParametersWindow : public QWidget {
    Q_OBJECT
public:
    explicit ParametersWindow(ParametersWindowServices services, QWidget* parent = nullptr);

    // The prices of the settings as read at creation; saving new ones does not change them.
    const UnitPrices& unitPrices() const { return unitPrices_; }
    // GBK; empty only when none is stored and none is installed.
    const std::string& preferredInputMethod() const { return preferredInputMethod_; }

    // The menu entry "参数设置": shown without being modal, with the texts it had last time.
    void showWindow();

    // Message boxes go through here, so tests can read them instead of clicking them away.
    void setMessagePresenter(std::function<void(const QString& text)> present) {
        presentMessage_ = std::move(present);
    }

    // Edit1..Edit12, in category order.
    QLineEdit* priceBox(int categoryIndex) const { return priceBoxes_.at(categoryIndex); }

signals:
    // The clerk chose or typed an input method. The main window gives it to the keyword box at
    // once unless number search is on.
    void preferredInputMethodChanged(const QString& name);

private:
    void buildControls();
    void FormCreate();
    void ComboBox1Change(const QString& text);
    void Button1Click();

    ParametersWindowServices services_;
    std::function<void(const QString&)> presentMessage_;
    std::array<QLineEdit*, kCategoryCount> priceBoxes_{};
    QComboBox* inputMethodBox_ = nullptr;
    UnitPrices unitPrices_{};
    std::string preferredInputMethod_;
};

}  // namespace qh

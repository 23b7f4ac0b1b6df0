#pragma once
// TGYuForm4, the about window: the maker's information ("关于我们") and the disclaimer
// ("免责声明"), two groups at the same place with the disclaimer on top. Made hidden at start-up
// and kept for the whole run; the main window's links show it one way or the other.
#include <QWidget>

class QGroupBox;

namespace qh {

class AboutWindow : public QWidget {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget* parent = nullptr);

    // The link "关于我们": the disclaimer group hidden, so the maker's information shows.
    void showAbout();
    // The link "免责声明": the disclaimer group shown over the maker's information.
    void showDisclaimer();

private:
    void buildControls();
    void showWithDisclaimer(bool disclaimerVisible);
    void Button1Click();

    QGroupBox* aboutGroup_ = nullptr;
    QGroupBox* disclaimerGroup_ = nullptr;
};

}  // namespace qh

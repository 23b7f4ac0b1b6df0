#include "app/side_windows.h"

namespace qh {

SideWindows createSideWindows(ParametersWindowServices parameters) {
    const struct {
        const char* name;
        const char* caption;
        QRect place;  // a zero corner means centred by the window manager
        bool fixedSize;
    } frames[] = {
        {"Twang", "  青禾点唱 ----网  络  搜  索", {-4, -4, 1032, 748}, false},
        {"TGYuForm4", "青禾点唱手机下载系统", {0, 0, 491, 427}, true},
        {"TTuForm", "青禾点唱  之  手机图片", {0, 0, 900, 760}, false},
        {"TCDMuLuForm", "青禾点唱 之 CD目录", {258, 124, 570, 459}, false},
    };
    SideWindows windows;
    for (const auto& frame : frames) {
        auto window = std::make_unique<QWidget>();
        window->setObjectName(QString::fromLatin1(frame.name));
        window->setWindowTitle(QString::fromUtf8(frame.caption));
        if (frame.fixedSize) {
            window->setFixedSize(frame.place.size());
        } else {
            window->resize(frame.place.size());
        }
        if (!frame.place.topLeft().isNull()) {
            window->move(frame.place.topLeft());
        }
        windows.frames.push_back(std::move(window));
    }
    auto made = std::make_unique<ParametersWindow>(parameters);
    windows.parameters = made.get();
    windows.frames.push_back(std::move(made));
    return windows;
}

}  // namespace qh

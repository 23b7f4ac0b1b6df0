#include "app/side_windows.h"

namespace qh {

namespace {

struct FrameLook {
    const char* name;
    const char* caption;
    QRect place;  // a zero corner means centred by the window manager
};

const FrameLook kPictures{"TTuForm", "青禾点唱  之  手机图片", {0, 0, 900, 760}};

std::unique_ptr<QWidget> makeFrame(const FrameLook& look) {
    auto window = std::make_unique<QWidget>();
    window->setObjectName(QString::fromLatin1(look.name));
    window->setWindowTitle(QString::fromUtf8(look.caption));
    window->resize(look.place.size());
    if (!look.place.topLeft().isNull()) {
        window->move(look.place.topLeft());
    }
    return window;
}

// Hands the window to the frames, which own it, and returns it for the typed pointer.
template <typename Window>
Window* keep(SideWindows& windows, std::unique_ptr<Window> window) {
    Window* kept = window.get();
    windows.frames.push_back(std::move(window));
    return kept;
}

}  // namespace

SideWindows createSideWindows(SideWindowServices services) {
    SideWindows windows;
    windows.webSearch =
        keep(windows, std::make_unique<WebSearchWindow>(services.settings, services.shell));
    windows.about = keep(windows, std::make_unique<AboutWindow>());
    windows.pictures = keep(windows, makeFrame(kPictures));
    windows.cdCatalogue =
        keep(windows, std::make_unique<CdCatalogueWindow>(CdCatalogueServices{
                          services.settings, [] { return chooseCatalogueFilesInDialog(nullptr); },
                          [] { return choosePrinterInDialog(nullptr); }}));
    windows.parameters = keep(windows, std::make_unique<ParametersWindow>(services.parameters));
    return windows;
}

}  // namespace qh

#include "app/side_windows.h"

namespace qh {

namespace {

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
    windows.pictures =
        keep(windows, std::make_unique<PictureBrowserWindow>(std::move(services.pictures)));
    windows.cdCatalogue =
        keep(windows, std::make_unique<CdCatalogueWindow>(CdCatalogueServices{
                          services.settings, [] { return chooseCatalogueFilesInDialog(nullptr); },
                          [] { return choosePrinterInDialog(nullptr); }}));
    windows.parameters = keep(windows, std::make_unique<ParametersWindow>(services.parameters));
    return windows;
}

}  // namespace qh

#pragma once
// The five side windows, made hidden right after the main window, in the order the program has
// always made them: web search, about, phone pictures, CD catalogue, parameters.
#include <QWidget>
#include <memory>
#include <vector>

#include "windows/about_window.h"
#include "windows/cd_catalogue_window.h"
#include "windows/parameters_window.h"
#include "windows/picture_browser_window.h"
#include "windows/web_search_window.h"

namespace qh {

class SettingsStore;
class Shell;

struct SideWindowServices {
    ParametersWindowServices parameters;
    SettingsStore& settings;
    Shell& shell;
    PictureBrowserServices pictures;
};

struct SideWindows {
    std::vector<std::unique_ptr<QWidget>> frames;  // in the order made; they own the windows
    WebSearchWindow* webSearch = nullptr;          // Twang
    AboutWindow* about = nullptr;                  // TGYuForm4
    PictureBrowserWindow* pictures = nullptr;      // TTuForm
    CdCatalogueWindow* cdCatalogue = nullptr;      // TCDMuLuForm
    ParametersWindow* parameters = nullptr;        // TCanSHuForm, the last of the frames
};

SideWindows createSideWindows(SideWindowServices services);

}  // namespace qh

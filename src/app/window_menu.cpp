#include "app/window_menu.h"

#include <string>

#include "media/key_sounds.h"
#include "media/sound_cue.h"
#include "platform/shell.h"
#include "settings/app_paths.h"
#include "settings/settings_store.h"
#include "text/gbk.h"

namespace qh {

WindowMenu::WindowMenu(WindowMenuServices services, QWidget* parent)
    : QMenu(parent), services_(services) {
    setObjectName("PopupMenu1");
    addAction(QString::fromUtf8("操作教程"), this, &WindowMenu::N17Click)->setObjectName("N17");
    addSeparator();
    auto* skins = addMenu(QString::fromUtf8("皮肤"));
    skins->setObjectName("N9");
    for (int skin = 0; skin < kSkinCount; ++skin) {
        const auto& entry = skinEntries()[skin];
        auto* action = skins->addAction(QString::fromUtf8(entry.caption), this,
                                        [this, skin] { skinChosen(skin); });
        action->setObjectName(QString::fromLatin1(entry.menuItem));
        action->setCheckable(true);
        skinEntries_[skin] = action;
        if (skin == 0) {
            skins->addSeparator();
        }
    }
    addSeparator();
    addAction(QString::fromUtf8("参数设置"), this, &WindowMenu::parametersWanted)
        ->setObjectName("N15");
    addSeparator();
    addAction(QString::fromUtf8("基本设置"), this, &WindowMenu::basicSetupWanted)
        ->setObjectName("N33");
    addAction(QString::fromUtf8("CD目录打印"), this, [this] {
        emit cdCatalogueWanted();
        services_.keySounds.request(kCueSelect);
    })->setObjectName("CD1");
    addSeparator();
    addAction(QString::fromUtf8("最小化"), this, &WindowMenu::minimiseWanted)->setObjectName("N13");
    addAction(QString::fromUtf8("关闭"), this, &WindowMenu::closeWanted)->setObjectName("N2");
}

void WindowMenu::applyStoredSkin() {
    if (const auto skin = skinNumberOf(services_.settings.read("PiFu", "PiFu"))) {
        applySkin(*skin);
        tickSkin(*skin);
    }
}

int WindowMenu::tickedSkin() const {
    for (int skin = 0; skin < kSkinCount; ++skin) {
        if (skinEntries_[skin]->isChecked()) {
            return skin;
        }
    }
    return -1;
}

void WindowMenu::N17Click() {
    // A shop without the guide gets nothing opened and no message.
    const auto guide = services_.paths.appFile(gbk("操作教程"));
    std::error_code error;
    if (std::filesystem::is_directory(guide, error)) {
        services_.shell.openFolder(guide);
    }
}

void WindowMenu::skinChosen(int skin) {
    applySkin(skin);
    tickSkin(skin);
    services_.settings.write("PiFu", "PiFu", std::to_string(skin));
}

void WindowMenu::tickSkin(int skin) {
    for (int other = 0; other < kSkinCount; ++other) {
        skinEntries_[other]->setChecked(other == skin);
    }
}

}  // namespace qh

#include "windows/web_pane.h"

namespace qh {

WebPane* makeWebPane(Shell& shell, QWidget* parent) {
    return makeAddressPane(shell, parent);
}

}  // namespace qh

#include "platform/input_methods_linux.h"

#include <cstdlib>
#include <string_view>

#include "text/gbk.h"

namespace qh {

std::vector<std::string> LinuxInputMethods::installedNames() const {
    std::vector<std::string> names = {gbk("系统默认输入法")};
    const char* module = std::getenv("QT_IM_MODULE");
    if (module != nullptr && *module != 0) {
        const std::string_view framework(module);
        names.push_back(std::string(framework) + gbk(" 中文输入法"));
    }
    return names;
}

}  // namespace qh

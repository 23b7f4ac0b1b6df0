#include "app/command_line.h"

namespace qh {

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine result;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option != "--app-dir" && option != "--drive") {
            continue;
        }
        if (i + 1 >= arguments.size()) {
            result.errors.push_back(option + " needs a value");
            break;
        }
        const std::string& value = arguments[++i];
        if (option == "--app-dir") {
            result.appDir = std::filesystem::path(value);
        } else if (auto drive = parseDriveSpec(value, std::filesystem::current_path())) {
            result.drives.push_back(*drive);
        } else {
            result.errors.push_back("--drive " + value + ": expected X=DIR or X=DIR,removable");
        }
    }
    return result;
}

}  // namespace qh

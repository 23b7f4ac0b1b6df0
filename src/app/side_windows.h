#pragma once
// The five side windows, made hidden right after the main window, in the order the program has
// always made them: web search, about, phone pictures, CD catalogue, parameters. Each is a frame
// with its caption and size; its contents come with its own window class.
#include <QWidget>
#include <memory>
#include <vector>

namespace qh {

std::vector<std::unique_ptr<QWidget>> createSideWindows();

}  // namespace qh

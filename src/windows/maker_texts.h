#pragma once
// The maker's own texts: who made the program and how to reach them, the disclaimer, and the
// introduction the main window shows over the result list until the first search. The contact
// lines are the maker's, so the memo and the introduction show the same ones.
#include <QString>
#include <QStringList>
#include <QUrl>

namespace qh {

class SettingsStore;

// The address the link "网站主页" opens: the shop's [WangZhan] ZhuYe when it is an http or https
// address, otherwise the maker's own home page.
QUrl homePageAddress(const SettingsStore& settings);

// "青禾点唱 资源网": the resource-update page "/wangye/zygx.htm" on the home page's site.
QUrl resourcePageAddress(const SettingsStore& settings);

// The about window's caption and the first line of its memo.
QString productName();

// Home page, e-mail and telephone of the maker, one line each.
QStringList makerContactLines();

// The about memo's text, with the contact lines.
QString makerInformation();

// The disclaimer list, one short line per row; the first begins "声明总则:".
QStringList disclaimerLines();

// The introduction list ListBox8, line by line.
QStringList introductionLines();

}  // namespace qh

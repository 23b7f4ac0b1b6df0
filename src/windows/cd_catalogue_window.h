#pragma once
// TCDMuLuForm, the CD catalogue window: the clerk picks the song files burnt on a customer's CD,
// lays them out as a numbered list under a header line and prints it with the shop's address and
// telephone. Made hidden at start-up, when it reads both; kept with its lists for the whole run.
#include <QStringList>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <vector>

class QLineEdit;
class QListWidget;
class QPrinter;

namespace qh {

class SettingsStore;

struct CdCatalogueServices {
    SettingsStore& settings;
    // The file-open dialog (several files, no filter): the chosen host paths, empty when
    // cancelled. Tests answer it.
    std::function<std::vector<std::filesystem::path>()> chooseFiles;
    // The print dialog: a printer set up to print on, or nullptr when cancelled. Tests give
    // a QPrinter writing a PDF file.
    std::function<QPrinter*()> choosePrinter;
};

// The program's file-open dialog over `parent`: several files, any type.
std::vector<std::filesystem::path> chooseCatalogueFilesInDialog(QWidget* parent);
// The program's print dialog over `parent`, on one printer kept with `parent` (with the
// application when there is none), so the clerk's choices stand for the next print. Its "print
// to file" writes a PDF.
QPrinter* choosePrinterInDialog(QWidget* parent);

class CdCatalogueWindow : public QWidget {
    Q_OBJECT
public:
    explicit CdCatalogueWindow(CdCatalogueServices services, QWidget* parent = nullptr);

    // The pop-up menu entry "CD目录打印": shown without being modal, with its lists as they were.
    void showWindow();

    // Message boxes go through here, so tests can read them instead of clicking them away.
    void setMessagePresenter(std::function<void(const QString& text)> present) {
        presentMessage_ = std::move(present);
    }

private:
    void buildControls();
    void FormCreate();
    void Edit1Change(const QString& text);
    void Edit2Change(const QString& text);
    void Edit3Change(const QString& text);
    void button1Click();
    void Button2Click();
    void Button3Click();
    void showCatalogue();

    CdCatalogueServices services_;
    std::function<void(const QString&)> presentMessage_;
    QStringList entries_;    // ListBox1's lines
    QStringList catalogue_;  // ListBox2's lines; line 0 is the header
    QListWidget* entryList_ = nullptr;
    QListWidget* catalogueList_ = nullptr;
    QLineEdit* addressBox_ = nullptr;
    QLineEdit* phoneBox_ = nullptr;
    QLineEdit* headerBox_ = nullptr;
};

}  // namespace qh

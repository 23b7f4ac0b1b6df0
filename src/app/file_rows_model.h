#pragma once
// The rows of a list of library files: the result list (with a sequence number) and the download
// list on screen (without). A row is made the moment its path arrives; its size, the one value
// that needs the disk, is read when the row is first shown, so a search that finds a million
// files never holds the window's thread for long.
#include <QAbstractTableModel>
#include <QString>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace qh {

class FileSystem;

class FileRowsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum class Numbering { Numbered, Plain };
    FileRowsModel(const FileSystem& files, Numbering numbering, QObject* parent = nullptr);

    // One insert for the whole batch; the rows are numbered on from the last.
    void appendRows(const std::vector<std::string>& paths);
    void clear();
    void removeRow(int row);
    const std::string& pathAt(int row) const { return rows_.at(row).path; }
    // Rows of these paths show in the skin's alert red (the palette's BrightText), with the text as
    // their hint, until the marks are replaced.
    void setMarks(std::map<std::string, QString> marks);
    // One more mark among those there are.
    void mark(const std::string& path, const QString& text);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void marksChanged();

    struct Row {
        std::string path;
        std::uint8_t kind = 0;
        mutable bool sizeKnown = false;
        mutable std::int64_t size = -1;
    };

    const FileSystem& files_;
    Numbering numbering_;
    std::vector<Row> rows_;
    std::map<std::string, QString> marks_;
};

}  // namespace qh

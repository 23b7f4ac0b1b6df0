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

// Where a result row's file is found: a line of the result path list, or after the hot ranking
// a line of the ranking copy, less its count.
enum class ResultSource { PathList, RankingCopy };

class FileRowsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum class Numbering { Numbered, Plain };
    FileRowsModel(const FileSystem& files, Numbering numbering, QObject* parent = nullptr);

    // One insert for the whole batch; the rows are numbered on from the last.
    void appendRows(const std::vector<std::string>& paths);
    // Emptied, with the result path list as the rows' source again.
    void clear();
    // The hot ranking: one row per line of the ranking copy, its count before the file's name and
    // "不存在" for a file that is not there.
    void showRanking(std::vector<std::string> rankingCopy);
    ResultSource source() const { return source_; }
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
    ResultSource source_ = ResultSource::PathList;
    std::vector<std::string> rankingCopy_;  // ListBox2, row by row while it is the source
    std::map<std::string, QString> marks_;
};

}  // namespace qh

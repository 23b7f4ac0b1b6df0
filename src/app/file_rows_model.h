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
    // The hot ranking: one row per hot line (given in the hot list's ascending order) from the
    // last to the first, so the highest count leads and equal counts come by descending path;
    // each row shows its line's count before the file's name, and "不存在" for a missing file.
    void showRanking(const std::vector<std::string>& hotLines);
    ResultSource source() const { return source_; }
    void removeRow(int row);
    const std::string& pathAt(int row) const { return rows_.at(row).path; }
    // The row's name as the list shows it (GBK): the ranking's count before the DisplayName.
    std::string captionAt(int row) const;
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

    // The kind and the size are found when the row is first shown: a million rows arrive faster
    // than the names of their extensions can be looked up.
    struct Row {
        std::string path;
        mutable std::uint8_t kind = 0;
        mutable bool kindKnown = false;
        mutable bool sizeKnown = false;
        mutable std::int64_t size = -1;
    };
    std::uint8_t kindOf(const Row& row) const;

    const FileSystem& files_;
    Numbering numbering_;
    std::vector<Row> rows_;
    ResultSource source_ = ResultSource::PathList;
    // What the ranking copy (ListBox2) adds to each row's path: the count, "C" and the comma.
    std::vector<std::string> rankingPrefixes_;
    std::map<std::string, QString> marks_;
};

}  // namespace qh

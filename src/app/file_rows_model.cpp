#include "app/file_rows_model.h"

#include <QColor>
#include <QGuiApplication>
#include <QPalette>

#include "app/kind_icons.h"
#include "download/target_kind.h"
#include "library/display_name.h"
#include "library/file_size.h"
#include "library/hot_list.h"
#include "library/size_text.h"
#include "text/byte_text.h"
#include "text/gbk.h"

namespace qh {

namespace {

const char* const kHeaders[] = {"名称", "类型", "大小(MB)", "序号"};

}  // namespace

FileRowsModel::FileRowsModel(const FileSystem& files, Numbering numbering, QObject* parent)
    : QAbstractTableModel(parent), files_(files), numbering_(numbering) {}

void FileRowsModel::appendRows(const std::vector<std::string>& paths) {
    if (paths.empty()) {
        return;
    }
    const int first = static_cast<int>(rows_.size());
    beginInsertRows({}, first, first + static_cast<int>(paths.size()) - 1);
    rows_.reserve(rows_.size() + paths.size());
    for (const auto& path : paths) {
        const auto kind = deliveryKindOf(extensionOf(fileNameOf(path)));
        rows_.push_back({path, static_cast<std::uint8_t>(kind)});
    }
    endInsertRows();
}

void FileRowsModel::clear() {
    beginResetModel();
    rows_.clear();
    rows_.shrink_to_fit();
    rankingCopy_.clear();
    source_ = ResultSource::PathList;
    endResetModel();
}

void FileRowsModel::showRanking(std::vector<std::string> rankingCopy) {
    beginResetModel();
    rows_.clear();
    rows_.reserve(rankingCopy.size());
    for (const auto& line : rankingCopy) {
        const std::string path(splitHotLine(line).path);
        const auto kind = deliveryKindOf(extensionOf(fileNameOf(path)));
        rows_.push_back({path, static_cast<std::uint8_t>(kind)});
    }
    rankingCopy_ = std::move(rankingCopy);
    source_ = ResultSource::RankingCopy;
    endResetModel();
}

void FileRowsModel::removeRow(int row) {
    if (row < 0 || row >= static_cast<int>(rows_.size())) {
        return;
    }
    beginRemoveRows({}, row, row);
    rows_.erase(rows_.begin() + row);
    if (source_ == ResultSource::RankingCopy) {
        rankingCopy_.erase(rankingCopy_.begin() + row);
    }
    endRemoveRows();
}

void FileRowsModel::setMarks(std::map<std::string, QString> marks) {
    marks_ = std::move(marks);
    marksChanged();
}

void FileRowsModel::mark(const std::string& path, const QString& text) {
    marks_[path] = text;
    marksChanged();
}

void FileRowsModel::marksChanged() {
    if (!rows_.empty()) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                         {Qt::ForegroundRole, Qt::ToolTipRole, Qt::DecorationRole});
    }
}

int FileRowsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int FileRowsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : (numbering_ == Numbering::Numbered ? 4 : 3);
}

QVariant FileRowsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(rows_.size())) {
        return {};
    }
    const Row& row = rows_[index.row()];
    if (role == Qt::DecorationRole && index.column() == 0) {
        return marks_.contains(row.path) ? undeliveredKindIcon(row.kind) : kindIcon(row.kind);
    }
    if (role == Qt::ForegroundRole || role == Qt::ToolTipRole) {
        const auto mark = marks_.find(row.path);
        if (mark == marks_.end()) {
            return {};
        }
        return role == Qt::ToolTipRole
                   ? QVariant(mark->second)
                   : QVariant(QGuiApplication::palette().color(QPalette::BrightText));
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    switch (index.column()) {
        case 0:
            if (source_ == ResultSource::RankingCopy) {
                return fromGbk(std::string(splitHotLine(rankingCopy_[index.row()]).prefix) +
                               DisplayName(row.path));
            }
            return fromGbk(DisplayName(row.path));
        case 1:
            return fromGbk(TypeText(row.path));
        case 2:
            if (!row.sizeKnown) {
                row.size = FileSizeOf(files_, row.path);
                row.sizeKnown = true;
            }
            if (row.size < 0 && source_ == ResultSource::RankingCopy) {
                return QString::fromUtf8("不存在");
            }
            return fromGbk(SizeText(row.size));
        default:
            return index.row() + 1;
    }
}

QVariant FileRowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < columnCount()) {
        return QString::fromUtf8(kHeaders[section]);
    }
    return {};
}

}  // namespace qh

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
        rows_.push_back({path});
    }
    endInsertRows();
}

void FileRowsModel::clear() {
    beginResetModel();
    rows_.clear();
    rows_.shrink_to_fit();
    rankingPrefixes_.clear();
    rankingPrefixes_.shrink_to_fit();
    source_ = ResultSource::PathList;
    endResetModel();
}

void FileRowsModel::showRanking(const std::vector<std::string>& hotLines) {
    beginResetModel();
    rows_.clear();
    rankingPrefixes_.clear();
    rows_.reserve(hotLines.size());
    rankingPrefixes_.reserve(hotLines.size());
    for (auto line = hotLines.rbegin(); line != hotLines.rend(); ++line) {
        const auto parts = splitHotLine(*line);
        rows_.push_back({std::string(parts.path)});
        rankingPrefixes_.emplace_back(parts.prefix);
    }
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
        rankingPrefixes_.erase(rankingPrefixes_.begin() + row);
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
        return marks_.contains(row.path) ? undeliveredKindIcon(kindOf(row)) : kindIcon(kindOf(row));
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
            return fromGbk(captionAt(index.row()));
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

std::string FileRowsModel::captionAt(int row) const {
    const std::string& path = rows_.at(row).path;
    if (source_ == ResultSource::RankingCopy &&
        static_cast<std::size_t>(row) < rankingPrefixes_.size()) {
        return rankingPrefixes_[row] + DisplayName(path);
    }
    return DisplayName(path);
}

std::uint8_t FileRowsModel::kindOf(const Row& row) const {
    if (!row.kindKnown) {
        row.kind = static_cast<std::uint8_t>(deliveryKindOf(extensionOf(fileNameOf(row.path))));
        row.kindKnown = true;
    }
    return row.kind;
}

QVariant FileRowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < columnCount()) {
        return QString::fromUtf8(kHeaders[section]);
    }
    return {};
}

}  // namespace qh

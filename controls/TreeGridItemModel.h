#pragma once

#include "controls/TreeGridModel.h"

#include <QAbstractTableModel>

#include <vector>

// Column formats of the grid, as the list keeps them.
inline constexpr int LVCFMT_LEFT = 0;
inline constexpr int LVCFMT_RIGHT = 1;
inline constexpr int LVCFMT_CENTER = 2;

// The tree grid's rows and columns as a Qt table, for the view that shows
// them and for the header. Texts and pictures are painted by the grid itself;
// this gives the view its row count, row height and the header's texts.
class TreeGridItemModel : public QAbstractTableModel, public TreeGridRowObserver
{
public:
    struct Column
    {
        QString heading;
        int format = LVCFMT_LEFT;
    };

    explicit TreeGridItemModel(TreeGridModel* rows, QObject* parent = nullptr);

    // The grid lets go of its rows before it is taken apart.
    void detach();
    void setRowHeight(int height);
    int rowHeight() const { return m_rowHeight; }

    int insertColumn(int column, const Column& description);
    const Column* column(int column) const;
    int columns() const { return int(m_columns.size()); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void rowsAboutToBeInserted(int first, int last) override;
    void rowsInserted() override;
    void rowsAboutToBeRemoved(int first, int last) override;
    void rowsRemoved() override;
    void rowsChanged(int first, int last) override;

private:
    TreeGridModel* m_rows;
    std::vector<Column> m_columns;
    int m_rowHeight = 18;
};

#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

// The symbol palette (102 "記号") of 挿入 > 記号: a modeless window the main
// frame makes once and keeps; the main frame enables its Insert button (1456)
// while the page's caret or text selection can take a symbol. Close and
// Escape hide it.
//
// Until the palette's own symbol grid and face box come, the grid is empty:
// nothing can be chosen, so Insert puts nothing on the page.
class VornaDlgSymbol : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 102;

    explicit VornaDlgSymbol(QWidget* parent = nullptr);
    ~VornaDlgSymbol() override;

    QPushButton* m_btnInsert = nullptr;
    QLabel* m_stPreview = nullptr;
    QListWidget* m_lstSymbols = nullptr;
    QComboBox* m_cbFont = nullptr;
};

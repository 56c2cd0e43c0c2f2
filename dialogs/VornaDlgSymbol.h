#pragma once

#include "dialogs/SymbolTable.h"

#include <QDialog>

class QLabel;
class QPushButton;
class VornaFontCombo;
class VornaSymbolList;

// The symbol palette (102 "記号") of 挿入 > 記号: a modeless window the main
// frame makes once and keeps; the main frame enables its Insert button (1456)
// while the page's caret or text selection can take a symbol. The grid shows
// the install folder's symbol table in the face chosen in the font box, with
// the chosen symbol large beside it; Insert (or a double click while Insert
// is enabled) pastes the symbol in a FONT naming the face shown in the font
// box at the page's text range. Close and Escape hide it.
class VornaDlgSymbol : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 102;
    static constexpr int kPreviewCellHeight = 25;

    // Reads the symbol table of `tablePath` (the install folder's when empty).
    explicit VornaDlgSymbol(QWidget* parent = nullptr, const QString& tablePath = QString());
    ~VornaDlgSymbol() override;

    // Pastes the selected symbol at the page's text range; false when
    // nothing was pasted (no symbol chosen, no text range).
    bool OnInsert();
    // The font box's choice: the grid and the preview redraw in it.
    void OnSelChangeFont();
    // The area the preview draws in, in the palette's coordinates.
    QRect PreviewRect() const;

    QPushButton* m_btnInsert = nullptr;
    QLabel* m_stPreview = nullptr;
    VornaSymbolList* m_lstSymbols = nullptr;
    VornaFontCombo* m_cbFont = nullptr;
    QList<SymbolEntry> m_pSymbols;
    int m_nSymbols = 0;

    void reject() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void OnInitDialog(const QString& tablePath);
};

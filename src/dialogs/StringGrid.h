#pragma once
// A grid of text cells for dialogs: the cell editor is always open in the current cell,
// every move of the cursor can be refused before it happens, and the editor's text can be
// committed on demand, so that a form never reads a cell whose typing is still in the
// editor. Tab leaves the grid like any control. Enter and Esc belong to the cell: Enter
// commits what was typed, Esc puts back the text the cell had before the typing began; the
// dialog's own Enter and Esc act only outside the grid, so no row is lost to them.

#include <QTableWidget>

#include <functional>
#include <string>

class QLineEdit;

class TStringGrid : public QTableWidget {
    Q_OBJECT
public:
    TStringGrid(int rows, int columns, QWidget* parent = nullptr);

    // Asked before the cursor moves to (row, col); false keeps it where it is. The handler
    // may move the cursor itself (within the current row, say) while it runs.
    std::function<bool(int row, int col)> OnSelectCell;
    // Text typed in the editor, at every change, before it is committed.
    std::function<void(int row, int col, const std::string& text)> OnEditText;

    // Writes the open editor's text into its cell; true when an editor was open.
    bool CommitEditor();
    // The editor of the current cell, or null.
    QLineEdit* Editor() const;
    // Moves the cursor to the cell (asking OnSelectCell), opens its editor and focuses it.
    void FocusCell(int row, int col);
    // Text of a cell ("" when it has no item).
    std::string CellText(int row, int col) const;
    // Sets a cell's text without touching an open editor of another cell.
    void SetCellText(int row, int col, const std::string& text);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    class TDelegate;
    class TSelection;
    void openEditor();
    void leaveGrid(bool forward);
    bool editorKey(QLineEdit* editor, QKeyEvent* key);
    void typed(int row, int col, const QString& text);
    void abandonTyping(QLineEdit* editor);
    // Commits the editor's text to its cell and starts a new typing, the text selected.
    void commitTyping(QLineEdit* editor);

    QLineEdit* editor_ = nullptr; // owned by the view; cleared when it goes
    // The user has typed in the open editor since it opened or was last committed, and the
    // cell's text from before that typing.
    bool typing_ = false;
    QString typedFrom_;
};

#pragma once
// A grid of text cells for dialogs: the cell editor is always open in the current cell,
// every move of the cursor can be refused before it happens, and the editor's text can be
// committed on demand, so that a form never reads a cell whose typing is still in the
// editor. No key loses what was typed. Tab and Shift+Tab commit the cell and walk to the
// next or previous cell, on into the next or previous row, and leave the grid only past its
// last cell or before its first. Enter and Esc act first on the typing in the cell: Enter
// commits it, Esc puts back the text the cell had before the typing began. With nothing
// typed since the editor opened or was last committed, they go on to the window, where they
// are the dialog's OK and Cancel, so the user need not leave the grid to close the dialog.

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

    // Writes the open editor's text into its cell, which leaves no typing pending; true when
    // an editor was open.
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
    // Tab's walk: the next or previous cell, the grid left past either end.
    void walk(bool forward);
    // Sends a key the grid has no use for to its window, as any other control would.
    bool passToWindow(const QKeyEvent& key);
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

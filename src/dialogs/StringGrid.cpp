#include "dialogs/StringGrid.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QStyledItemDelegate>

// Opens plain line editors, tells the grid about them, and hands their keys to the grid
// before the editor sees them.
class TStringGrid::TDelegate : public QStyledItemDelegate {
public:
    explicit TDelegate(TStringGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override {
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);
        grid_->editor_ = editor;
        grid_->typing_ = false;
        QPersistentModelIndex cell(index);
        connect(editor, &QLineEdit::textEdited, grid_, [grid = grid_, cell](const QString& text) {
            if (cell.isValid()) grid->typed(cell.row(), cell.column(), text);
        });
        return editor;
    }

    void destroyEditor(QWidget* editor, const QModelIndex& index) const override {
        if (grid_->editor_ == editor) {
            grid_->editor_ = nullptr;
            grid_->typing_ = false;
        }
        QStyledItemDelegate::destroyEditor(editor, index);
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        auto* editor = qobject_cast<QLineEdit*>(object);
        if (editor && event->type() == QEvent::KeyPress &&
            grid_->editorKey(editor, static_cast<QKeyEvent*>(event)))
            return true;
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    TStringGrid* grid_;
};

// Asks the grid before the current cell changes; the selection is always the current cell.
class TStringGrid::TSelection : public QItemSelectionModel {
public:
    TSelection(QAbstractItemModel* model, TStringGrid* grid)
        : QItemSelectionModel(model, grid), grid_(grid) {}

    void setCurrentIndex(const QModelIndex& index, QItemSelectionModel::SelectionFlags) override {
        QPersistentModelIndex target(index);
        if (index.isValid() && index != currentIndex() && grid_->OnSelectCell &&
            !grid_->OnSelectCell(index.row(), index.column()))
            return;
        QItemSelectionModel::setCurrentIndex(target, NoUpdate);
        if (target.isValid()) QItemSelectionModel::select(QItemSelection(target, target), ClearAndSelect);
    }
    // Mouse drags and the view's own selection commands select nothing else.
    void select(const QModelIndex&, QItemSelectionModel::SelectionFlags) override {}
    void select(const QItemSelection&, QItemSelectionModel::SelectionFlags) override {}

private:
    TStringGrid* grid_;
};

TStringGrid::TStringGrid(int rows, int columns, QWidget* parent) : QTableWidget(rows, columns, parent) {
    QItemSelectionModel* old = selectionModel();
    setSelectionModel(new TSelection(model(), this));
    delete old;
    setItemDelegate(new TDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::AllEditTriggers);
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
}

bool TStringGrid::CommitEditor() {
    if (!editor_) return false;
    commitData(editor_);
    typing_ = false;
    return true;
}

QLineEdit* TStringGrid::Editor() const {
    return editor_;
}

void TStringGrid::FocusCell(int row, int col) {
    setCurrentCell(row, col);
    if (currentRow() != row || currentColumn() != col) return;
    openEditor();
    if (editor_)
        editor_->setFocus(Qt::OtherFocusReason);
    else
        setFocus(Qt::OtherFocusReason);
}

std::string TStringGrid::CellText(int row, int col) const {
    const QTableWidgetItem* it = item(row, col);
    return it ? it->text().toStdString() : std::string();
}

void TStringGrid::SetCellText(int row, int col, const std::string& text) {
    const QString t = QString::fromStdString(text);
    QTableWidgetItem* it = item(row, col);
    if (!it)
        setItem(row, col, new QTableWidgetItem(t));
    else if (it->text() != t)
        it->setText(t);
    // An editor open on the cell would write its old text back when committed.
    if (editor_ && currentRow() == row && currentColumn() == col && editor_->text() != t) editor_->setText(t);
}

void TStringGrid::focusInEvent(QFocusEvent* event) {
    QTableWidget::focusInEvent(event);
    openEditor();
    if (editor_ && !editor_->hasFocus()) editor_->setFocus(event->reason());
}

void TStringGrid::keyPressEvent(QKeyEvent* event) {
    // The grid itself has the focus only while no cell is current: nothing can be typed, so
    // Enter and Esc go on to the dialog.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        event->ignore();
        return;
    default:
        QTableWidget::keyPressEvent(event);
    }
}

void TStringGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    // The view forgets the editor before it lets it go; so does the grid.
    if (editor == editor_) editor_ = nullptr;
    QTableWidget::closeEditor(editor, hint);
}

void TStringGrid::openEditor() {
    const QModelIndex current = currentIndex();
    if (!editor_ && current.isValid() && state() != EditingState) edit(current);
}

void TStringGrid::leaveGrid(bool forward) {
    QWidget* w = this;
    for (int guard = 0; guard < 10000; ++guard) {
        w = forward ? w->nextInFocusChain() : w->previousInFocusChain();
        if (!w || w == this) return;
        if (isAncestorOf(w) || w->window() != window()) continue;
        if (w->isEnabled() && w->isVisibleTo(window()) && (w->focusPolicy() & Qt::TabFocus) &&
            !w->focusProxy()) {
            w->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    }
}

void TStringGrid::walk(bool forward) {
    int row = currentRow();
    int col = currentColumn() + (forward ? 1 : -1);
    if (col >= columnCount()) {
        col = 0;
        ++row;
    } else if (col < 0) {
        col = columnCount() - 1;
        --row;
    }
    if (row < 0 || row >= rowCount())
        leaveGrid(forward);
    else
        FocusCell(row, col); // a row left this way is checked like any other
}

bool TStringGrid::passToWindow(const QKeyEvent& key) {
    QKeyEvent copy(key.type(), key.key(), key.modifiers(), key.text(), key.isAutoRepeat(), key.count());
    QCoreApplication::sendEvent(window(), &copy);
    return true;
}

void TStringGrid::typed(int row, int col, const QString& text) {
    if (!typing_) {
        typing_ = true;
        typedFrom_ = QString::fromStdString(CellText(row, col));
    }
    if (OnEditText) OnEditText(row, col, text.toStdString());
}

void TStringGrid::abandonTyping(QLineEdit* editor) {
    if (!typing_) return;
    const QModelIndex cell = currentIndex();
    editor->setText(typedFrom_);
    // The form saw every key typed; it sees the old text come back the same way.
    if (OnEditText && cell.isValid()) OnEditText(cell.row(), cell.column(), typedFrom_.toStdString());
    commitTyping(editor);
}

void TStringGrid::commitTyping(QLineEdit* editor) {
    CommitEditor();
    editor->selectAll();
}

bool TStringGrid::editorKey(QLineEdit* editor, QKeyEvent* key) {
    switch (key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (key->modifiers() & Qt::ControlModifier) return false;
        CommitEditor();
        walk(key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier));
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!typing_) return passToWindow(*key);
        commitTyping(editor);
        return true;
    case Qt::Key_Escape:
        if (!typing_) return passToWindow(*key);
        abandonTyping(editor);
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        CommitEditor();
        const QModelIndex next = moveCursor(key->key() == Qt::Key_Up       ? MoveUp
                                            : key->key() == Qt::Key_Down   ? MoveDown
                                            : key->key() == Qt::Key_PageUp ? MovePageUp
                                                                           : MovePageDown,
                                            key->modifiers());
        if (next.isValid()) FocusCell(next.row(), next.column());
        return true;
    }
    default:
        return false;
    }
}
